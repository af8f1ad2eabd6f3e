// The discriminator view's tool row and status line: the channel and unit
// selectors, Add Unit, Edit... and Delete..., and the layout around them.
#include <algorithm>
#include <vector>

#include "discriminator/ContourBounds.h"
#include "discriminator/DiscriminatorStatus.h"
#include "discriminator/DiscriminatorView.h"
#include "discriminator/UnitPropertiesDialog.h"
#include "discriminator/UnitQualityText.h"
#include "module/AnalysisDocument.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TDC.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

constexpr std::int32_t kRowTop = 3;
constexpr std::int32_t kRowBottom = kRowTop + 23;
constexpr ui::COLORREF kButtonFace = ui::RGB(240, 240, 240);
constexpr std::int64_t kContourKind = 2;

std::vector<Host::UnitDescription> ChannelUnits(AnalysisDocument& document, std::int32_t channel)
{
    std::vector<Host::UnitDescription> units;
    document.GetUnits(&units);
    std::erase_if(units, [channel](const Host::UnitDescription& unit) { return unit.channel != channel; });
    return units;
}

double PrefixFactor(AnalysisDocument& document, std::int32_t channel)
{
    VEX::String unit;
    double factor = 1.0;
    if (IHostRecording* recording = document.Recording()) {
        recording->ChannelUnit(channel, &unit, &factor);
    }
    return factor > 0.0 ? factor : 1.0;
}

} // namespace

void DiscriminatorView::AddToolRow()
{
    SetControlFont(ui::TFont(u"DejaVu Sans", 13));
    AddControl({kChannels, ui::ControlKind::ComboBox, {}, {6, kRowTop, 156, kRowBottom}});
    AddControl({kAddUnit, ui::ControlKind::Button, u"Add Unit", {162, kRowTop, 237, kRowBottom}});
    AddControl({kUnits, ui::ControlKind::ComboBox, {}, {249, kRowTop, 324, kRowBottom}});
    AddControl({kEdit, ui::ControlKind::Button, u"Edit...", {330, kRowTop, 405, kRowBottom}});
    AddControl({kDelete, ui::ControlKind::Button, u"Delete...", {411, kRowTop, 486, kRowBottom}});
}

void DiscriminatorView::Paint(ui::TDC& dc, bool, ui::TRect&)
{
    const ui::TRect client = GetClientRect();
    dc.FillRect(ui::TRect(client.left, client.top, client.right, client.top + kToolRowHeight), ui::TBrush(kButtonFace));
}

void DiscriminatorView::RefreshTools()
{
    FillChannels();
    FillUnits();
    ShowUnitQuality();
}

void DiscriminatorView::FillChannels()
{
    ClearItems(kChannels);
    IHostRecording* recording = document_->Recording();
    const std::int32_t count = recording != nullptr ? recording->ChannelCount() : 0;
    for (std::int32_t channel = 0; channel < count; ++channel) {
        VEX::String title;
        recording->ChannelTitle(channel, &title);
        AddItem(kChannels, title, channel);
    }
    SetSelIndex(kChannels, std::min(document_->Settings().sourceChannel, count - 1));
}

void DiscriminatorView::FillUnits()
{
    ClearItems(kUnits);
    const std::vector<Host::UnitDescription> units = ChannelUnits(*document_, document_->Settings().sourceChannel);
    if (units.empty()) {
        AddItem(kUnits, VEX::String(u"No Units"), -1);
        SetSelIndex(kUnits, 0);
        if (document_->SelectedUnitNumber() != -1) {
            document_->SetSelectedUnit(-1);
        }
    } else {
        std::int32_t chosen = 0;
        for (const Host::UnitDescription& unit : units) {
            const std::int32_t index = AddItem(kUnits, unit.name, unit.number);
            chosen = unit.number == document_->SelectedUnitNumber() ? index : chosen;
        }
        SetSelIndex(kUnits, chosen);
    }
    const bool any = !units.empty();
    EnableControl(kEdit, any);
    EnableControl(kDelete, any);
    ShowUnitTips();
}

void DiscriminatorView::ShowUnitTips()
{
    const std::optional<Host::UnitDescription> unit = ChosenUnit();
    const std::u16string name = unit ? unit->name.Str() : std::u16string();
    SetControlTooltip(kEdit, VEX::String(u"Edit " + name));
    SetControlTooltip(kDelete, VEX::String(u"Delete " + name));
}

void DiscriminatorView::ShowUnitQuality()
{
    // Figures of a channel not analysed would measure another channel's spikes.
    Host::ChannelAnalysisRecord record;
    document_->GetChannelRecord(document_->Settings().sourceChannel, &record);
    std::vector<Host::UnitQuality> quality;
    if (!record.analyzed || Failed(document_->GetUnitQuality(&quality))) {
        quality.clear();
    }
    const auto measured = [&quality](std::int64_t number) {
        return std::find_if(quality.begin(), quality.end(),
                            [number](const Host::UnitQuality& unit) { return unit.number == number; });
    };
    for (std::int32_t index = 0; index < GetItemCount(kUnits); ++index) {
        const auto unit = measured(GetItemData(kUnits, index));
        if (unit != quality.end() && unit->warnings != 0) {
            SetItemColour(kUnits, index, kQualityWarningColour);
        }
    }
    std::u16string text = DiscriminatorStatus(*document_).Str();
    const std::optional<Host::UnitDescription> chosen = ChosenUnit();
    if (const auto unit = chosen ? measured(chosen->number) : quality.end(); unit != quality.end()) {
        if (!text.empty() && text.back() != u' ') {
            text += u' ';
        }
        text += UnitQualityText(*unit);
    }
    status_.SetText(VEX::String(text));
}

std::optional<Host::UnitDescription> DiscriminatorView::ChosenUnit() const
{
    const std::int32_t index = GetSelIndex(kUnits);
    if (index < 0) {
        return std::nullopt;
    }
    const auto number = static_cast<std::int32_t>(GetItemData(kUnits, index));
    for (const Host::UnitDescription& unit : ChannelUnits(*document_, document_->Settings().sourceChannel)) {
        if (unit.number == number) {
            return unit;
        }
    }
    return std::nullopt;
}

void DiscriminatorView::EvCommand(std::int32_t id, ui::ControlNotify notify)
{
    if (notify == ui::ControlNotify::SelChange && id == kChannels) {
        ChannelChosen();
    } else if (notify == ui::ControlNotify::SelChange && id == kUnits) {
        UnitChosen();
    } else if (notify == ui::ControlNotify::Clicked && id == kAddUnit) {
        AddUnit();
    } else if (notify == ui::ControlNotify::Clicked && id == kEdit) {
        EditUnit();
    } else if (notify == ui::ControlNotify::Clicked && id == kDelete) {
        DeleteUnit();
    }
}

void DiscriminatorView::EvKeyDown(std::uint32_t key, std::uint32_t, std::uint32_t flags)
{
    if (key != 'Z' || (flags & ui::MK_CONTROL) == 0) {
        return;
    }
    scatter_.ClearContour();
    if ((flags & ui::MK_SHIFT) != 0) {
        document_->Redo();
    } else {
        document_->Undo();
    }
}

void DiscriminatorView::ChannelChosen()
{
    const std::int32_t index = GetSelIndex(kChannels);
    if (index < 0) {
        return;
    }
    const auto channel = static_cast<std::int32_t>(GetItemData(kChannels, index));
    if (channel == document_->Settings().sourceChannel || Failed(document_->SetSourceChannel(channel))) {
        return;
    }
    scatter_.ClearContour();
    // The plots and the spike store must hold the chosen channel's spikes
    // (none when it is not analysed), or an assignment would mix channels.
    if (!document_->IsSampling()) {
        document_->AnalyzeChannel(channel);
    }
    Refresh();
}

void DiscriminatorView::UnitChosen()
{
    if (const std::optional<Host::UnitDescription> unit = ChosenUnit()) {
        document_->SetSelectedUnit(unit->number);
    }
    ShowUnitTips();
}

void DiscriminatorView::Reclassify()
{
    if (!document_->IsSampling()) {
        document_->AnalyzeChannel(document_->Settings().sourceChannel);
    }
}

void DiscriminatorView::AddUnit()
{
    const std::int32_t channel = document_->Settings().sourceChannel;
    std::int32_t number = -1;
    std::int32_t spike = -1;
    if (scatter_.ContourReady()) {
        if (Succeeded(document_->CreateContourUnit(channel, scatter_.ContourWidths(), scatter_.ContourHeights(),
                                                   VEX::String(), &number))) {
            Reclassify();
        }
        scatter_.ClearContour();
    } else if (Succeeded(document_->GetSpikeSelection(&spike)) && spike >= 0) {
        Host::ChannelAnalysisRecord record;
        document_->GetChannelRecord(channel, &record);
        if (Succeeded(document_->CreateTemplateUnit(spike, record.defaultFitTolerance, &number))) {
            Reclassify();
        }
    }
    document_->SetSpikeSelection(-1);
    Refresh();
}

void DiscriminatorView::DeleteUnit()
{
    const std::optional<Host::UnitDescription> unit = ChosenUnit();
    if (!unit) {
        return;
    }
    const VEX::String question(u"Are you sure you want to delete " + unit->name.Str() + u"?");
    if (ui::MessageBox(this, question, VEX::String(u"Nerolith"), ui::MB_OKCANCEL | ui::MB_ICONEXCLAMATION) !=
        ui::IDOK) {
        return;
    }
    if (Succeeded(document_->DeleteUnit(unit->number))) {
        Reclassify();
    }
    scatter_.ClearContour();
    SetFocus();
    Refresh();
}

void DiscriminatorView::EditUnit()
{
    const std::optional<Host::UnitDescription> unit = ChosenUnit();
    if (!unit) {
        return;
    }
    const double factor = PrefixFactor(*document_, unit->channel);
    UnitPropertiesDialog::Values values{unit->name, unit->colour, std::nullopt};
    const bool contour = unit->kind == kContourKind && !unit->widths.empty();
    if (contour) {
        values.bounds = DisplayedBounds(unit->widths, unit->heights, factor);
    }
    UnitPropertiesDialog dialog(this, values, document_->ChannelUnitText(unit->channel));
    if (dialog.Execute() != ui::IDOK) {
        return;
    }
    const UnitPropertiesDialog::Values& result = dialog.Result();
    document_->SetUnitProperties(unit->number, result.name, result.colour, unit->fitTolerance);
    if (contour && result.bounds) {
        std::vector<double> widths = unit->widths;
        std::vector<double> heights = unit->heights;
        ApplyDisplayedBounds(widths, heights, *result.bounds, factor);
        if (Succeeded(document_->SetUnitContour(unit->number, widths, heights))) {
            Reclassify();
        }
    }
    Refresh();
}

} // namespace Nerolith
