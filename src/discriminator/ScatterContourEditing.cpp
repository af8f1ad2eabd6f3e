// The selected contour unit's outline on the scatter plot, reshaped by its
// vertices; each finished edit becomes the unit's contour and the channel is
// classified again.
#include <algorithm>

#include "discriminator/ScatterPlot.h"
#include "graph/QueenPolygon.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {
namespace {

constexpr std::int32_t kContourUnitKind = 2;

} // namespace

void ScatterPlot::ShowEditedContour(const std::vector<Host::UnitDescription>& units)
{
    const std::int32_t selected = document_->SelectedUnitNumber();
    const auto unit = std::find_if(units.begin(), units.end(), [selected](const Host::UnitDescription& u) {
        return u.number == selected && u.kind == kContourUnitKind && u.widths.size() >= 3 &&
               u.widths.size() == u.heights.size();
    });
    if (unit == units.end()) {
        editedUnit_.reset();
        editor_->SetVisible(false);
        return;
    }
    std::vector<double> heights;
    for (const double height : unit->heights) {
        heights.push_back(height * displayFactor_);
    }
    editedUnit_ = unit->number;
    editor_->SetPenColour(unit->colour);
    editor_->SetFillColour(platform::ui::kWhite);
    editor_->SetVertices(unit->widths, std::move(heights));
    editor_->SetVisible(true);
}

void ScatterPlot::ContourEdited()
{
    if (!editedUnit_) {
        return;
    }
    std::vector<double> heights;
    for (const double y : editor_->Ys()) {
        heights.push_back(y / displayFactor_);
    }
    if (Succeeded(document_->SetUnitContour(*editedUnit_, editor_->Xs(), heights))) {
        Reanalyse();
    }
}

} // namespace Nerolith
