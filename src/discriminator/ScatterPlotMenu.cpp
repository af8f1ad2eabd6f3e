// The scatter plot's context menu: assign the selected spike to a unit,
// exclude it from all units, clear the channel's hand edits, undo and redo
// the document's unit edits.
#include <algorithm>
#include <string>

#include "discriminator/ScatterPlot.h"
#include "discriminator/SelectUnitDialog.h"
#include "graph/GraphMessages.h"
#include "module/AnalysisDocument.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {
namespace {

// Spike numbers shown to the user count from 1.
std::u16string SpikeNumber(std::int32_t spike)
{
    const std::string number = std::to_string(static_cast<std::int64_t>(spike) + 1);
    return {number.begin(), number.end()};
}

} // namespace

std::vector<Host::UnitDescription> ScatterPlot::ChannelUnits() const
{
    std::vector<Host::UnitDescription> all;
    std::vector<Host::UnitDescription> units;
    if (Failed(document_->GetUnits(&all))) {
        return units;
    }
    const std::int32_t channel = Channel();
    std::copy_if(all.begin(), all.end(), std::back_inserter(units),
                 [channel](const Host::UnitDescription& unit) { return unit.channel == channel && unit.kind != 0; });
    return units;
}

void ScatterPlot::BuildMenu(const std::vector<Host::UnitDescription>& units)
{
    std::vector<VEX::String> names;
    for (const Host::UnitDescription& unit : units) {
        names.push_back(unit.name);
    }
    // Rebuilt only when the units change: a refresh may come while the menu
    // shows (a right click selects the spike under it).
    if (menuBuilt_ && names == menuUnits_) {
        return;
    }
    menuBuilt_ = true;
    menuUnits_ = names;
    DUdido1::GraphMenu& menu = graph_.Menu();
    menu.Clear();
    menu.AddItem(kAssignToUnit, VEX::String(u"Assign to unit..."), this);
    menu.AddItem(kExclude, VEX::String(u"Exclude from all units"), this);
    menu.AddSeparator();
    for (std::size_t i = 0; i < names.size(); ++i) {
        menu.AddItem(kFirstUnit + static_cast<std::int32_t>(i), names[i], this);
    }
    if (names.empty()) {
        menu.AddItem(kNoUnits, VEX::String(u"No units defined"), nullptr, false);
    }
    menu.AddSeparator();
    menu.AddItem(kClearEdits, VEX::String(u"Clear Edits"), this);
    menu.AddSeparator();
    menu.AddItem(kUndo, VEX::String(u"Undo"), this);
    menu.AddItem(kRedo, VEX::String(u"Redo"), this);
}

void ScatterPlot::PrepareItem(DUdido1::PreDisplayMenuMessage& item)
{
    if (item.id == kAssignToUnit && hovered_ && *hovered_ != SelectedSpike()) {
        // The first item is asked first: a right click on a point selects it.
        Select(*hovered_);
    }
    if (item.id == kUndo || item.id == kRedo) {
        item.enabled = item.id == kUndo ? document_->CanUndo() : document_->CanRedo();
        return;
    }
    const std::int32_t spike = SelectedSpike();
    if (item.id == kClearEdits) {
        item.enabled = HasHandEdits();
        return;
    }
    item.enabled = spike >= 0;
    const std::u16string number = spike >= 0 ? SpikeNumber(spike) : std::u16string();
    if (item.id == kAssignToUnit && spike >= 0) {
        item.text = VEX::String(u"Assign spike " + number + u" to unit...");
    } else if (item.id == kExclude && spike >= 0) {
        item.text = VEX::String(u"Exclude spike " + number + u" from all units");
    } else if (item.id >= kFirstUnit && static_cast<std::size_t>(item.id - kFirstUnit) < menuUnits_.size()) {
        const std::u16string name(menuUnits_[static_cast<std::size_t>(item.id - kFirstUnit)].Str());
        item.text = VEX::String(spike >= 0 ? u"Assign spike " + number + u" to " + name : u"Assign spike to " + name);
    }
}

void ScatterPlot::MenuCommand(std::int32_t id)
{
    // The document analyses the channel again after either.
    if (id == kUndo) {
        document_->Undo();
        return;
    }
    if (id == kRedo) {
        document_->Redo();
        return;
    }
    if (id == kClearEdits) {
        if (document_->ClearEdits(Channel()) == S_OK) {
            Reanalyse();
        }
        return;
    }
    if (SelectedSpike() < 0) {
        return;
    }
    const std::vector<Host::UnitDescription> units = ChannelUnits();
    if (id == kAssignToUnit) {
        SelectUnitDialog dialog(&graph_, units);
        if (dialog.Execute() == platform::ui::IDOK && dialog.Chosen()) {
            AssignSelected(*dialog.Chosen());
        }
    } else if (id == kExclude) {
        AssignSelected(-1);
    } else if (id >= kFirstUnit && static_cast<std::size_t>(id - kFirstUnit) < units.size()) {
        AssignSelected(units[static_cast<std::size_t>(id - kFirstUnit)].number);
    }
}

void ScatterPlot::AssignSelected(std::int32_t unit)
{
    if (Succeeded(document_->AssignSpike(SelectedSpike(), unit))) {
        Reanalyse();
    }
}

bool ScatterPlot::HasHandEdits() const
{
    std::vector<Host::HandAssignment> edits;
    if (Failed(document_->GetHandAssignments(&edits))) {
        return false;
    }
    const std::int32_t channel = Channel();
    return std::any_of(edits.begin(), edits.end(),
                       [channel](const Host::HandAssignment& edit) { return edit.channel == channel; });
}

void ScatterPlot::Reanalyse()
{
    if (!document_->IsSampling()) {
        document_->AnalyzeChannel(Channel());
    }
}

} // namespace Nerolith
