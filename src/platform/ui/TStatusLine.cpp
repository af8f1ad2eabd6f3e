#include "platform/ui/TStatusLine.h"

#include <QApplication>
#include <QPointer>
#include <QSizeGrip>
#include <QStyle>

#include "platform/ui/TDC.h"
#include "platform/ui/qt/WindowImpl.h"

namespace platform::ui {

namespace {

constexpr std::int32_t kTextIndent = 4;
constexpr COLORREF kButtonFace = RGB(240, 240, 240);

std::int32_t GripSide()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

} // namespace

struct TStatusLine::Parts {
    QPointer<QSizeGrip> grip;
};

TStatusLine::TStatusLine(TWindow* parent) : TWindow(parent, u"StatusBar"), parts_(std::make_unique<Parts>())
{
    parts_->grip = new QSizeGrip(GetImpl().widget.data());
    parts_->grip->hide();
}

TStatusLine::~TStatusLine() = default;

void TStatusLine::SetText(const VEX::String& text)
{
    text_ = text;
    Invalidate();
}

void TStatusLine::EnableSizeGrip(bool enabled)
{
    if (QSizeGrip* grip = parts_->grip.data()) {
        grip->setVisible(enabled);
        const TRect square = SizeGripRect();
        grip->setGeometry(square.left, square.top, square.Width(), square.Height());
    }
}

bool TStatusLine::SizeGripShown() const
{
    const QSizeGrip* grip = parts_->grip.data();
    return grip != nullptr && !grip->isHidden();
}

TRect TStatusLine::SizeGripRect() const
{
    const TRect client = GetClientRect();
    const std::int32_t side = GripSide();
    return {client.right - side, client.bottom - side, client.right, client.bottom};
}

void TStatusLine::Paint(TDC& dc, bool, TRect&)
{
    const TRect client = GetClientRect();
    dc.FillRect(client, TBrush(kButtonFace));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(kBlack);
    dc.SelectObject(TFont(u"DejaVu Sans", 12));
    const TRect textRect(client.left + kTextIndent, client.top, client.right - GripSide(), client.bottom);
    dc.DrawText(text_, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.RestoreFont();
}

void TStatusLine::EvSize(std::uint32_t, const TSize&)
{
    if (QSizeGrip* grip = parts_->grip.data()) {
        const TRect square = SizeGripRect();
        grip->setGeometry(square.left, square.top, square.Width(), square.Height());
    }
}

} // namespace platform::ui
