#pragma once

#include <memory>
#include <vector>

#include "host/IClassRegistrar.h"
#include "host/ISpikeDocInterface.h"

namespace Nerolith {

class AnalysisView;
class AnalysisDocument;

// The six analysis view classes, in their place in the registration order
// (autocorrelation, cross-correlation, interspike interval, amplitude, rate
// meter, peristimulus time), each a view of the document class.
std::vector<Host::ClassRegistration> AnalysisViewClassRegistrations(const CLSID& documentClass);

// Gives analysis documents their analysis views: a document's OpenView
// makes the view of that kind, attaches it and shows it (unless headless).
// The view lives until CloseAnalysisViews, holding its document until then.
void InstallAnalysisViews();

// A view of one of the six kinds, created but not attached; none for the
// discriminator.
std::unique_ptr<AnalysisView> MakeAnalysisView(AnalysisDocument& document, Host::ViewKind kind);

// Closes the analysis views open on a document.
void CloseAnalysisViews(AnalysisDocument& document);

} // namespace Nerolith
