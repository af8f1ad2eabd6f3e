#include "histograms/CrossCorrelationView.h"

#include "histograms/AnalysisViewSettings.h"
#include "histograms/CrossCorrPagingDialog.h"
#include "histograms/CrossCorrelationHistogram.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {

CrossCorrelationView::CrossCorrelationView(AnalysisDocument& document)
    : AnalysisView(document, Host::ViewKind::CrossCorrelation, SpikeQuantity::Time)
{
}

VEX::String CrossCorrelationView::ViewName() const
{
    return VEX::String(u"Cross-correlation Histogram View");
}

VEX::String CrossCorrelationView::CopyMenuText() const
{
    return VEX::String(u"Copy Cross-correlation Histogram View");
}

VEX::String CrossCorrelationView::PrintMenuText() const
{
    return VEX::String(u"Print Cross-correlation Histogram View...");
}

VEX::String CrossCorrelationView::PagingHint() const
{
    return VEX::String(u"Open Paging and Reference Options Dialog");
}

void CrossCorrelationView::OpenPagingDialog()
{
    const VEX::String reference = SourceRecord().referenceSource;
    CrossCorrPagingDialog dialog(this, Paging().Settings(), EventSourceNames(), reference);
    if (dialog.Execute() != platform::ui::IDOK) {
        return;
    }
    if (dialog.Settings() != Paging().Settings()) {
        SendSetting(ViewSettingName::kPaging, PagingText(dialog.Settings()));
    }
    if (dialog.Reference() != reference) {
        SendSetting(ViewSettingName::kReference, dialog.Reference().Str());
    }
}

HRESULT CrossCorrelationView::SetOwnSetting(std::u16string_view name, std::u16string_view value)
{
    return name == ViewSettingName::kReference ? ApplyReference(value) : overlay_.Set(name, value);
}

std::optional<std::u16string> CrossCorrelationView::OwnSetting(std::u16string_view name) const
{
    if (name == ViewSettingName::kReference) {
        return SourceRecord().referenceSource.Str();
    }
    return overlay_.Get(name);
}

void CrossCorrelationView::AppendPaneText(const HistogramPane& pane, std::u16string& out) const
{
    overlay_.AppendText(Document(), pane, out);
}

void CrossCorrelationView::DecorateFigurePane(const HistogramPane& pane, FigurePane& figure) const
{
    overlay_.Decorate(Document(), pane, figure);
}

VEX::String CrossCorrelationView::ReferenceLabel() const
{
    const VEX::String reference = SourceRecord().referenceSource;
    return VEX::String(u"Reference Source: ") + (reference.Empty() ? VEX::String(u"Not selected") : reference);
}

// Every pane of this view is a cross-correlation (CreatePane).
void CrossCorrelationView::ApplyXRange(HistogramPane& pane, double minimum, double maximum)
{
    static_cast<CrossCorrelationHistogram&>(pane).SetLagWindow(minimum, maximum);
}

std::unique_ptr<HistogramPane> CrossCorrelationView::CreatePane(std::int32_t unit,
                                                                 const Host::UnitDescription& description)
{
    return std::make_unique<CrossCorrelationHistogram>(PaneParent(), *this, unit, description);
}

// A source the host cannot resolve would count nothing without saying why.
HRESULT CrossCorrelationView::ApplyReference(std::u16string_view source)
{
    const VEX::String name{std::u16string(source)};
    Host::ChannelAnalysisRecord record = SourceRecord();
    if (name == record.referenceSource) {
        return S_OK;
    }
    if (!name.Empty() && Document().ResolveSource(name) == Host::kAbsentSource) {
        return E_INVALIDARG;
    }
    if (!CanAnalyseAgain()) {
        return E_FAIL;
    }
    record.referenceSource = name;
    StoreSourceRecord(record);
    AnalyseAgain();
    return S_OK;
}

} // namespace Nerolith
