#include "platform/ui/TStatusLine.h"

#include "platform/ui/Backend.h"
#include "platform/ui/TDC.h"

namespace platform::ui {

namespace {

constexpr std::int32_t kTextIndent = 4;
constexpr COLORREF kButtonFace = RGB(240, 240, 240);

} // namespace

struct TStatusLine::Parts {
    std::unique_ptr<SizeGripPeer> grip;
};

TStatusLine::TStatusLine(TWindow* parent) : TWindow(parent, u"StatusBar"), parts_(std::make_unique<Parts>())
{
    parts_->grip = TheBackend().MakeSizeGrip(*this);
}

TStatusLine::~TStatusLine() = default;

void TStatusLine::SetText(const VEX::String& text)
{
    text_ = text;
    Invalidate();
}

void TStatusLine::EnableSizeGrip(bool enabled)
{
    parts_->grip->SetVisible(enabled);
    parts_->grip->Place(SizeGripRect());
}

bool TStatusLine::SizeGripShown() const
{
    return parts_->grip->IsShown();
}

TRect TStatusLine::SizeGripRect() const
{
    const TRect client = GetClientRect();
    const std::int32_t side = parts_->grip->Side();
    return {client.right - side, client.bottom - side, client.right, client.bottom};
}

void TStatusLine::Paint(TDC& dc, bool, TRect&)
{
    const TRect client = GetClientRect();
    dc.FillRect(client, TBrush(kButtonFace));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(kBlack);
    dc.SelectObject(TFont(u"DejaVu Sans", 12));
    const TRect textRect(client.left + kTextIndent, client.top, client.right - parts_->grip->Side(), client.bottom);
    dc.DrawText(text_, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.RestoreFont();
}

void TStatusLine::EvSize(std::uint32_t, const TSize&)
{
    parts_->grip->Place(SizeGripRect());
}

} // namespace platform::ui
