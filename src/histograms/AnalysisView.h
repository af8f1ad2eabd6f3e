#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "histograms/AnalysisViewToolbar.h"
#include "histograms/DataSheetView.h"
#include "histograms/Figure.h"
#include "histograms/HistogramPane.h"
#include "histograms/PageController.h"
#include "histograms/PaneOwner.h"
#include "histograms/SettingMenuItems.h"
#include "module/SpikeView.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/Render.h"
#include "platform/ui/TPopupMenu.h"
#include "platform/ui/TWindow.h"

namespace Nerolith {

class AnalysisDocument;

// The window common to the six analysis views: one histogram pane per unit
// of the source channel, stacked below a toolbar. It turns the document's
// notifications into pages (PageController) and counts on its panes, and
// offers bin size, paging and statistics controls, page navigation,
// copying and printing.
//
// A change the user makes (or a script, through the document's
// SetViewSetting) goes to the document, which hands it back through
// SetSetting; the view applies it there and, where the counts depend on it,
// has the channel analysed again. The view holds its document for as long
// as it lives.
//
// Made through the view classes (ViewClasses.h): Create() once constructed,
// then the document's AttachView.
class AnalysisView : public platform::ui::TWindow,
                     public SpikeView,
                     public PaneOwner,
                     public DataSheetView,
                     private PageListener,
                     private ToolbarListener {
public:
    // The toolbar's pop-up menus: the bin size menu's two items, and the
    // page menu's item for page p (from 0), kFirstPageItem + p.
    static constexpr std::uint32_t kBinSizeItem = 1;
    static constexpr std::uint32_t kSetBinSizeItem = 2;
    static constexpr std::uint32_t kFirstPageItem = 10000;
    static constexpr double kDefaultBinSize = 0.01;
    static constexpr const char16_t* kWaitingText = u"Waiting for stimulus...";

    ~AnalysisView() override;

    // SpikeView
    Host::ViewKind Kind() const override { return kind_; }
    void Notify(const SpikeNotification& record) override;
    // The notification itself carries the unit.
    void NotifyUnit(std::int32_t) override {}
    void Reset() override;
    // Title, units and the panes, which follow the source channel's units.
    void ReadSettings() override;
    void Recompute() override;
    void DataAdvanced(std::int32_t block, double time) override;
    void Refresh() override;
    // A pane for a unit of the source channel; none for a unit that has one.
    void AddPane(std::int32_t unit) override;
    void RemovePane(std::int32_t unit) override;
    HRESULT SetSetting(const VEX::String& name, const VEX::String& value) override;
    HRESULT GetSetting(const VEX::String& name, VEX::String* value) override;

    // PaneOwner
    std::int32_t StatisticsOptions() const override { return statisticsOptions_; }
    void SelectionChosen(double start, double end) override;

    // DataSheetView
    double DataSheetBinSize() const override { return binSize_; }
    std::vector<const HistogramPane*> DataSheetPanes() const override;

    // The channel's title, ": " and the view's name.
    VEX::String Title() const;
    virtual VEX::String ViewName() const = 0;
    virtual VEX::String CopyMenuText() const = 0;
    virtual VEX::String PrintMenuText() const = 0;
    virtual VEX::String PagingHint() const;

    AnalysisDocument& Document() const { return *document_; }
    double BinSize() const { return binSize_; }
    // "s" for the time analyses, the channel's units for amplitudes.
    const VEX::String& UnitsText() const { return unitsText_; }
    bool HasPanes() const { return !panes_.empty(); }
    // In creation order.
    std::vector<HistogramPane*> Panes() const;
    const PageController& Paging() const { return paging_; }
    AnalysisViewToolbar& Toolbar() { return toolbar_; }

    // What the toolbar shows: the status text ("Waiting for stimulus...",
    // the reference label, or nothing), the bin size gadget's text ("0.01
    // s") and the page gadget's ("Page 2 of 3", "No Pages"), and the menus
    // those two gadgets pop up.
    VEX::String StatusText() const;
    VEX::String BinSizeText() const;
    VEX::String PageText() const;
    platform::ui::TPopupMenu BinSizeMenu() const;
    platform::ui::TPopupMenu PageMenu() const;

    // What the toolbar's gadgets do.
    void IncreaseBinSize();
    void DecreaseBinSize();
    // Page p from 0, clamped to the last page; nothing without pages.
    void ShowPage(std::int32_t page);
    void OpenBinSizeDialog();
    void OpenStatisticsDialog();
    virtual void OpenPagingDialog();

    // The settings a script may change (ViewSettingProtocol). Each refuses a
    // value out of range (E_INVALIDARG) and, where the counts depend on it,
    // has the channel analysed again, which it cannot while the host
    // samples (E_FAIL).
    HRESULT ChangeBinSize(double binSize);
    // The new paging, then a new analysis (also when the paging stays but
    // the sources changed).
    HRESULT ApplyPaging(const PagingSettings& settings, bool sourcesChanged = false);
    HRESULT ChangeXRange(double minimum, double maximum);
    // The range the user set, else the first pane's; none without either.
    std::optional<std::pair<double, double>> XRange() const;
    // An empty range clears the selection.
    HRESULT ChangeSelection(double start, double end);
    // The selection as the panes snapped it to their bins.
    std::optional<std::pair<double, double>> Selection() const;
    HRESULT ChangeStatisticsOptions(std::int32_t options);
    // The panes' area resized to width x height.
    void ResizePicture(std::int32_t width, std::int32_t height);
    // The options of published figures: S_FALSE for another name.
    HRESULT ApplyFigureSetting(std::u16string_view name, std::u16string_view value);
    // The picture files get: the panes as a figure to publish, titled with
    // the view, the channel and the recording.
    platform::ui::PaintFunction FigurePicture() const;
    // The resolution a written figure is meant for; 0 for none.
    std::int32_t FigureDpi() const { return figureOptions_.dpi; }

    // Puts the picture and the copied text on the clipboard; when the
    // clipboard cannot be opened, says so and returns false.
    bool Copy();
    // Asks where to save the printout (PDF); false when cancelled.
    bool Print();
    // Throws VEX::XVEX naming the file when it cannot be written.
    void PrintToFile(const VEX::String& path);
    void PrintPreview();
    // The copied text of every pane, in pane order.
    std::u16string CopiedText() const;
    // The statistics lines of every pane as painted, one per text line.
    std::u16string StatisticsLines() const;
    // The panes as a picture, at their size on screen.
    platform::ui::TSize PictureSize() const;
    platform::ui::PaintFunction Picture();
    // The picture laid out to fill a rectangle (a printed page), then the
    // panes back as they were.
    void PaintPicture(platform::ui::TDC& dc, const platform::ui::TRect& rect);

protected:
    AnalysisView(AnalysisDocument& document, Host::ViewKind kind, SpikeQuantity quantity);

    // The window the panes are children of.
    platform::ui::TWindow* PaneParent() { return &paneArea_; }
    // The analysis of one pane.
    virtual std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) = 0;
    // The settings only some views take: S_FALSE for a name the view
    // leaves to the base, E_INVALIDARG for a value it refuses.
    virtual HRESULT SetOwnSetting(std::u16string_view name, std::u16string_view value);
    // None for a name the view leaves to the base.
    virtual std::optional<std::u16string> OwnSetting(std::u16string_view name) const;
    // What the status text shows while the view is not waiting.
    virtual VEX::String ReferenceLabel() const { return {}; }
    // The units of the analysis' X values.
    virtual VEX::String AnalysisUnits() const { return VEX::String(u"s"); }
    // Gives a pane the X range the user set; the correlation views make it
    // the lag window, which needs a new analysis.
    virtual void ApplyXRange(HistogramPane& pane, double minimum, double maximum);
    virtual bool XRangeCountsAgain() const { return false; }
    // A pane's values in the units its published figure shows (counts per
    // bin unless a view says otherwise).
    virtual void ToFigureUnits(FigurePane&) const {}
    // A pane's copied text and its figure; views that draw more over the
    // counts change them.
    virtual void AppendPaneText(const HistogramPane& pane, std::u16string& out) const;
    virtual void DecorateFigurePane(const HistogramPane&, FigurePane&) const {}

    // What the view draws over its panes on screen, as DecorateFigurePane
    // decorates them: nothing, lines and shading over the counts, or bars
    // of its own (scaled, or on another axis) with them.
    enum class PaneOverlay { None, OverCounts, OwnBars };
    virtual PaneOverlay Overlay() const { return PaneOverlay::None; }
    // Each pane shows the overlay of its displayed page; after each
    // analysis, page change and change of the view's own settings.
    void ShowPaneOverlays();
    // The view's own settings offered in each pane's context menu.
    virtual std::vector<SettingMenuItems::Choice> MenuChoices() const { return {}; }

    // Hands a changed setting to the document, which gives it back through
    // SetSetting. False when it was refused.
    bool SendSetting(std::u16string_view name, const std::u16string& value);
    // Has the document analyse the channel again (which resets the panes).
    void AnalyseAgain();
    // A new analysis cannot start while the host samples.
    bool CanAnalyseAgain() const;
    // The event sources the host offers, by name, in its order.
    std::vector<VEX::String> EventSourceNames() const;
    // The source channel's record, and a changed one stored in the document.
    Host::ChannelAnalysisRecord SourceRecord() const;
    void StoreSourceRecord(const Host::ChannelAnalysisRecord& record);
    void UpdateStatus();

    void SetupWindow() override;
    void Paint(platform::ui::TDC& dc, bool erase, platform::ui::TRect& rect) override;
    void EvSize(std::uint32_t sizeType, const platform::ui::TSize& size) override;

private:
    // PageListener
    void PagesChanged(std::int32_t pageCount) override;
    void WaitingChanged(bool waiting) override;
    // ToolbarListener
    void ToolbarCommand(std::int32_t id) override;

    void AddUnitPane(std::int32_t unit);
    void ConfigurePane(HistogramPane& pane);
    void FollowSourceUnits();
    void SetUnitsText(const VEX::String& text);
    void ReapplyXRange();
    void Layout();
    void LayoutPanes(const platform::ui::TSize& size);
    void UpdateToolbar();
    void PopUpBinSizeMenu();
    void PopUpPageMenu();

    ComPtr<AnalysisDocument> document_;
    Host::ViewKind kind_;
    // Made with the first pane; the panes' menus refer to it.
    std::unique_ptr<SettingMenuItems> menuItems_;
    AnalysisViewToolbar toolbar_;
    // Declared before the panes, its children, which go first.
    platform::ui::TWindow paneArea_;
    std::vector<std::unique_ptr<HistogramPane>> panes_;
    PageController paging_;
    double binSize_ = kDefaultBinSize;
    VEX::String unitsText_;
    std::int32_t statisticsOptions_;
    std::optional<std::pair<double, double>> xRange_;
    // As the user gave it; each pane snaps it to its bins.
    std::optional<std::pair<double, double>> selection_;
    FigureOptions figureOptions_;
};

} // namespace Nerolith
