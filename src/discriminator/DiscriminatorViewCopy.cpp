// The discriminator view's copy and print: both plots side by side, and as
// text the channel's spikes with their units.
#include <charconv>
#include <string>
#include <vector>

#include "discriminator/DiscriminatorPrintout.h"
#include "discriminator/DiscriminatorView.h"
#include "module/AnalysisDocument.h"
#include "module/StringTable.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

constexpr std::uint32_t kCopyMenuText = 126;
constexpr std::uint32_t kPrintMenuText = 127;

// The shortest text that reads back to the same number.
std::u16string NumberText(double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return {buffer, end};
}

std::u16string UnitName(std::int32_t number, const std::vector<Host::UnitDescription>& units)
{
    for (const Host::UnitDescription& unit : units) {
        if (unit.number == number) {
            return unit.name.Str();
        }
    }
    return {};
}

} // namespace

VEX::String DiscriminatorView::CopyMenuText() { return LoadString(kCopyMenuText); }

VEX::String DiscriminatorView::PrintMenuText() { return LoadString(kPrintMenuText); }

void DiscriminatorView::DrawView(ui::TDC& dc, const ui::TRect& rect)
{
    const std::int32_t half = static_cast<std::int32_t>(rect.Width() * 0.5);
    scatter_.Graph().DrawPicture(dc, ui::TRect(rect.left, rect.top, rect.left + half, rect.bottom));
    spikes_.Graph().DrawPicture(dc, ui::TRect(rect.left + half, rect.top, rect.right, rect.bottom));
}

std::u16string DiscriminatorView::CopiedText() const
{
    std::vector<Host::UnitDescription> units;
    document_->GetUnits(&units);
    std::u16string text = u"spike\tblock\ttick\ttime\theight\twidth_ms\tunit\n";
    for (std::int32_t i = 0; i < document_->SpikeCount(); ++i) {
        Host::SpikeInfo spike;
        if (Failed(document_->GetSpike(i, &spike))) {
            break;
        }
        text += NumberText(i + 1) + u"\t" + NumberText(spike.block) + u"\t" + NumberText(spike.tick) + u"\t" +
                NumberText(spike.time) + u"\t" + NumberText(spike.height) + u"\t" + NumberText(spike.widthMs) +
                u"\t" + UnitName(spike.unit, units) + u"\n";
    }
    return text;
}

bool DiscriminatorView::Copy()
{
    const ui::TRect client = GetClientRect();
    ui::ClipboardContent content;
    content.pictureSize = ui::TSize(std::max(client.Width(), 1), std::max(client.Height(), 1));
    content.picture = [this](ui::TDC& dc, const ui::TRect& rect) { DrawView(dc, rect); };
    content.text = VEX::String(CopiedText());
    if (!ui::CopyToClipboard(content)) {
        ui::MessageBox(this, u"Unable to copy to clipboard at present", u"Error", ui::MB_OK);
        return false;
    }
    return true;
}

bool DiscriminatorView::Print()
{
    DiscriminatorPrintout printout(*this);
    return ui::Print(printout, this);
}

void DiscriminatorView::PrintToFile(const VEX::String& path)
{
    DiscriminatorPrintout printout(*this);
    ui::PrintToPdf(printout, path);
}

void DiscriminatorView::PrintPreview()
{
    DiscriminatorPrintout printout(*this);
    ui::PrintPreview(printout, this);
}

} // namespace Nerolith
