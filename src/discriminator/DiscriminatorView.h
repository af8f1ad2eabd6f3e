#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "discriminator/PictureLegend.h"
#include "discriminator/ScatterPlot.h"
#include "discriminator/SpikePlot.h"
#include "module/SpikeView.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/Render.h"
#include "platform/ui/TSplitter.h"
#include "platform/ui/TStatusLine.h"
#include "platform/ui/TWindow.h"

namespace Nerolith {

class AnalysisDocument;

// The window in which spikes are sorted into units: a tool row (channel,
// "Add Unit", unit, "Edit...", "Delete..."), the scatter plot on the left
// and the spike plot on the right of a pane the user splits anew by
// dragging, and a status line with a size grip. It follows the document:
// each change redraws both plots from the spike store and refills the tool
// row and the status line. Its pictures carry a header naming the document
// and the units' colours.
//
// Scripts reach it through the document's SetViewSetting:
//   picture = discriminator | scatter | waveforms   what write-picture draws
//   size = WxH                                      the picture's size
//   write-picture = FILE.png|.svg|.pdf
//   print = FILE.pdf                                the view's printout
//   copy = clipboard                                the view's copy
//   waveforms = all | selected                      the spike plot's spikes
//   suggest-units = N                               contour units around the
//       clusters of a Gaussian mixture of up to N components (see
//       UnitSuggestion.h), created as the user creates them
class DiscriminatorView : public platform::ui::TWindow, public SpikeView {
public:
    enum class Picture : std::uint8_t { Discriminator, Scatter, Waveforms };

    // The tool row's controls.
    static constexpr std::int32_t kChannels = 1000;
    static constexpr std::int32_t kAddUnit = 1001;
    static constexpr std::int32_t kUnits = 1002;
    static constexpr std::int32_t kEdit = 1003;
    static constexpr std::int32_t kDelete = 1004;
    static constexpr std::int32_t kToolRowHeight = 29;
    static constexpr std::int32_t kStatusHeight = 20;

    explicit DiscriminatorView(AnalysisDocument& document);
    ~DiscriminatorView() override;

    AnalysisDocument& Document() const { return *document_; }
    // The document's name, ": " and the view's name.
    VEX::String Title() const;
    ScatterPlot& Scatter() { return scatter_; }
    SpikePlot& Spikes() { return spikes_; }
    platform::ui::TSplitter& Pane() { return pane_; }
    platform::ui::TStatusLine& StatusLine() { return status_; }

    // The tool row's commands, as its buttons run them.
    void AddUnit();
    void EditUnit();
    void DeleteUnit();

    // Copy and print: both plots side by side, half the width each.
    static VEX::String CopyMenuText();
    static VEX::String PrintMenuText();
    void DrawView(platform::ui::TDC& dc, const platform::ui::TRect& rect);
    // The channel's spikes, one line each, with their units' names.
    std::u16string CopiedText() const;
    // The picture and the text on the clipboard; when the clipboard cannot
    // be opened, says so and returns false.
    bool Copy();
    // Asks where to save the printout (PDF); false when cancelled.
    bool Print();
    // Throws VEX::XVEX naming the file when it cannot be written.
    void PrintToFile(const VEX::String& path);
    void PrintPreview();

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
    void Paint(platform::ui::TDC& dc, bool erase, platform::ui::TRect& rect) override;
    void EvSize(std::uint32_t sizeType, const platform::ui::TSize& size) override;
    void EvCommand(std::int32_t id, platform::ui::ControlNotify notify) override;
    // Ctrl+Z undoes the document's last unit edit, Ctrl+Shift+Z redoes it.
    void EvKeyDown(std::uint32_t key, std::uint32_t repeatCount, std::uint32_t flags) override;

private:
    void AddToolRow();
    void RefreshTools();
    void FillChannels();
    void FillUnits();
    void ShowUnitTips();
    // Recomputes the units' quality: the warning colour on the selector's
    // units past a threshold, the chosen unit's figures on the status line.
    void ShowUnitQuality();
    void ChannelChosen();
    void UnitChosen();
    // The unit the unit selector shows, when the channel has one.
    std::optional<Host::UnitDescription> ChosenUnit() const;
    // Classification happens at detection: a unit change takes effect on the
    // spikes by analysing the channel again (after sampling, while sampling).
    void Reclassify();

    HRESULT WritePicture(std::u16string_view path);
    std::optional<std::uint32_t> ShownUnitColour() const;
    VEX::String DocumentName() const;
    // The source channel's units and, when there are any, the unassigned.
    std::vector<LegendEntry> Legend() const;
    void RefreshSpikePlot();
    std::optional<Waveform> SelectedSpikeWindow(IHostCalc& calc, IHostRecording& recording,
                                                const SpikeWindow& window) const;

    ComPtr<AnalysisDocument> document_;
    // The pane first: the plots are its children.
    platform::ui::TSplitter pane_;
    ScatterPlot scatter_;
    SpikePlot spikes_;
    Picture picture_ = Picture::Discriminator;
    std::optional<platform::ui::TSize> pictureSize_;
    bool selectedOnly_ = false;
    // What the spike plot's windows were read for. They are read again only
    // when the store or what is shown changed, not for a new selection: on an
    // hour of recording that is hundreds of thousands of windows per click.
    struct ShownWaveforms {
        std::size_t spikes = 0;
        SpikeWindow window;
        std::optional<std::uint32_t> colour;

        friend bool operator==(const ShownWaveforms&, const ShownWaveforms&) = default;
    };
    std::optional<ShownWaveforms> shownWaveforms_;
    platform::ui::TStatusLine status_;
    bool refreshing_ = false;
};

} // namespace Nerolith
