#include "histograms/ViewClasses.h"

#include <algorithm>
#include <array>
#include <new>

#include "histograms/AmplitudeHistogramView.h"
#include "histograms/AutoCorrelationView.h"
#include "histograms/CrossCorrelationView.h"
#include "histograms/InterSpikeIntervalView.h"
#include "histograms/PSTHView.h"
#include "histograms/RateMeterView.h"
#include "module/AnalysisDocument.h"
#include "module/DocumentWindows.h"
#include "platform/ui/Application.h"

namespace Nerolith {

namespace {

using Host::ViewKind;

// The class object the host knows a view class by; the document's OpenView
// makes the views.
class AnalysisViewClass final : public UnknownImpl<IUnknown> {};

struct ViewClassEntry {
    ViewKind kind;
    const char16_t* displayName;
    std::uint16_t number; // the class's number in the registration table
};

constexpr std::array kViewClasses{
    ViewClassEntry{ViewKind::Autocorrelation, u"Autocorrelation Histogram View", 2},
    ViewClassEntry{ViewKind::CrossCorrelation, u"Cross-correlation Histogram View", 3},
    ViewClassEntry{ViewKind::InterspikeInterval, u"Interspike Interval Histogram View", 5},
    ViewClassEntry{ViewKind::AmplitudeHistogram, u"Amplitude Histogram View", 6},
    ViewClassEntry{ViewKind::RateMeter, u"Rate Meter View", 7},
    ViewClassEntry{ViewKind::PeristimulusTime, u"Peristimulus Time Histogram View", 8},
};

constexpr std::uint32_t kViewClassVersion = 1;

CLSID ViewClassId(std::uint16_t number)
{
    return {0x4E524C02, number, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(number)}};
}

// Statics for the life of the module; the extra reference keeps the host's
// Release from deleting them. Null where one could not be allocated.
AnalysisViewClass* ClassObject(const ViewClassEntry&)
{
    auto* object = new (std::nothrow) AnalysisViewClass;
    if (object != nullptr) {
        object->AddRef();
    }
    return object;
}

// The open views. Never destroyed: views outlive no process, and tearing
// windows down during static destruction would race the window system's.
std::vector<std::unique_ptr<AnalysisView>>& OpenViews()
{
    static auto* views = new std::vector<std::unique_ptr<AnalysisView>>;
    return *views;
}

HRESULT OpenAnalysisView(AnalysisDocument& document, ViewKind kind)
{
    std::unique_ptr<AnalysisView> view = MakeAnalysisView(document, kind);
    if (!view) {
        return E_NOTIMPL;
    }
    view->Create();
    if (!document.AttachView(*view)) {
        return E_FAIL;
    }
    if (!platform::ui::IsHeadless()) {
        view->Show();
    }
    OpenViews().push_back(std::move(view));
    return S_OK;
}

} // namespace

std::vector<Host::ClassRegistration> AnalysisViewClassRegistrations(const CLSID& documentClass)
{
    static const std::array<AnalysisViewClass*, kViewClasses.size()> objects = [] {
        std::array<AnalysisViewClass*, kViewClasses.size()> made{};
        std::transform(kViewClasses.begin(), kViewClasses.end(), made.begin(), ClassObject);
        return made;
    }();
    std::vector<Host::ClassRegistration> registrations;
    for (std::size_t i = 0; i < kViewClasses.size(); ++i) {
        Host::ClassRegistration registration;
        registration.role = Host::ClassRole::View;
        registration.displayName = VEX::String(kViewClasses[i].displayName);
        registration.classId = ViewClassId(kViewClasses[i].number);
        registration.parentClassId = documentClass;
        registration.version = kViewClassVersion;
        registration.object = objects[i];
        registrations.push_back(registration);
    }
    return registrations;
}

void InstallAnalysisViews()
{
    InstalledWindows().openView = OpenAnalysisView;
    InstalledWindows().closeViews = CloseAnalysisViews;
}

std::unique_ptr<AnalysisView> MakeAnalysisView(AnalysisDocument& document, ViewKind kind)
{
    switch (kind) {
    case ViewKind::AmplitudeHistogram:
        return std::make_unique<AmplitudeHistogramView>(document);
    case ViewKind::RateMeter:
        return std::make_unique<RateMeterView>(document);
    case ViewKind::InterspikeInterval:
        return std::make_unique<InterSpikeIntervalView>(document);
    case ViewKind::Autocorrelation:
        return std::make_unique<AutoCorrelationView>(document);
    case ViewKind::CrossCorrelation:
        return std::make_unique<CrossCorrelationView>(document);
    case ViewKind::PeristimulusTime:
        return std::make_unique<PSTHView>(document);
    default:
        return nullptr;
    }
}

void CloseAnalysisViews(AnalysisDocument& document)
{
    std::erase_if(OpenViews(), [&document](const std::unique_ptr<AnalysisView>& view) {
        return &view->Document() == &document;
    });
}

} // namespace Nerolith
