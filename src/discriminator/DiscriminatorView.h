#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "discriminator/PictureLegend.h"
#include "discriminator/ScatterPlot.h"
#include "discriminator/SpikePlot.h"
#include "module/SpikeView.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/Render.h"
#include "platform/ui/TWindow.h"

namespace Nerolith {

class AnalysisDocument;

// The window in which spikes are sorted into units: the scatter plot on
// the left, the spike plot on the right, each half the width. It follows
// the document: each change redraws both plots from the spike store. Its
// pictures carry a header naming the document and the units' colours.
//
// Scripts reach it through the document's SetViewSetting:
//   picture = discriminator | scatter | waveforms   what write-picture draws
//   size = WxH                                      the picture's size
//   write-picture = FILE.png|.svg|.pdf
//   waveforms = all | selected                      the spike plot's spikes
//   suggest-units = N                               contour units around the
//       clusters of a Gaussian mixture of up to N components (see
//       UnitSuggestion.h), created as the user creates them
class DiscriminatorView : public platform::ui::TWindow, public SpikeView {
public:
    enum class Picture : std::uint8_t { Discriminator, Scatter, Waveforms };

    explicit DiscriminatorView(AnalysisDocument& document);
    ~DiscriminatorView() override;

    AnalysisDocument& Document() const { return *document_; }
    // The document's name, ": " and the view's name.
    VEX::String Title() const;
    ScatterPlot& Scatter() { return scatter_; }
    SpikePlot& Spikes() { return spikes_; }

    // SpikeView: the plots are redrawn from the store when the analysis
    // ends or the units change, not spike by spike.
    Host::ViewKind Kind() const override { return Host::ViewKind::Discriminator; }
    void Notify(const SpikeNotification&) override {}
    void NotifyUnit(std::int32_t) override {}
    void Reset() override;
    void ReadSettings() override;
    void Recompute() override { Refresh(); }
    void DataAdvanced(std::int32_t, double) override {}
    void Refresh() override;
    void AddPane(std::int32_t) override { Refresh(); }
    void RemovePane(std::int32_t) override { Refresh(); }
    HRESULT SetSetting(const VEX::String& name, const VEX::String& value) override;
    HRESULT GetSetting(const VEX::String& name, VEX::String* value) override;

    // Contour units around the clusters of the source channel's spikes,
    // through the document as "Add Unit" makes them; the number made, or
    // none when the fit failed or the document refused a unit.
    std::optional<std::int32_t> SuggestUnits(std::int32_t maxClusters);

    platform::ui::PaintFunction PictureOf(Picture picture);
    platform::ui::TSize PictureSize(Picture picture) const;

protected:
    void EvSize(std::uint32_t sizeType, const platform::ui::TSize& size) override;

private:
    HRESULT WritePicture(std::u16string_view path);
    std::optional<std::uint32_t> ShownUnitColour() const;
    VEX::String DocumentName() const;
    // The source channel's units and, when there are any, the unassigned.
    std::vector<LegendEntry> Legend() const;
    void RefreshSpikePlot();

    ComPtr<AnalysisDocument> document_;
    ScatterPlot scatter_;
    SpikePlot spikes_;
    Picture picture_ = Picture::Discriminator;
    std::optional<platform::ui::TSize> pictureSize_;
    bool selectedOnly_ = false;
};

} // namespace Nerolith
