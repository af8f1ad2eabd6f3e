#pragma once

#include <cstdint>

#include "host/IHostDocument.h"
#include "host/IHostRecording.h"
#include "host/IHostServices.h"
#include "host/ISpikeDocInterface.h"
#include "module/AnalysisSettings.h"
#include "platform/text/VexString.h"

namespace Nerolith {

class SpikeData;
class SpikeView;

// The analysis document as its views and dialogs see it: the settings, the
// spike store with its units, the host's services, the view table and the
// few operations a view starts. The scripting interface comes with it, and
// its reference count keeps the document alive for a view that holds it.
class AnalysisDocument : public ISpikeDocInterface {
public:
    virtual const AnalysisSettings& Settings() const = 0;
    virtual SpikeData& Store() = 0;

    // The host document and its services; null when the document has no host.
    virtual IHostDocument* HostDocument() = 0;
    virtual IHostRecording* Recording() const = 0;
    virtual IHostServices* Services() const = 0;
    virtual bool IsSampling() const = 0;

    virtual std::int32_t SelectedUnitNumber() const = 0;
    // The unit text of a channel's values ("mV").
    virtual VEX::String ChannelUnitText(std::int32_t channel) const = 0;

    // A view that attaches gets a pane per unit of the source channel and
    // the store's history. False when all slots are taken.
    virtual bool AttachView(SpikeView& view) = 0;
    virtual void DetachView(SpikeView& view) = 0;
    virtual SpikeView* FindView(Host::ViewKind kind) const = 0;

    // The position of the event source a record names (stimulus or
    // reference) in the host's list, or Host::kAbsentSource.
    virtual std::int32_t ResolveSource(const VEX::String& text) const = 0;

    // The offline run over the channel's analysed range.
    virtual void AnalyzeChannel(std::int32_t channel) = 0;
    // Tells the host the document changed.
    virtual void SendDocumentChanged() = 0;

    // Where the user moved the scatter plot, kept in the settings.
    virtual void KeepScatterExtents(std::pair<double, double> width, std::pair<double, double> height) = 0;

protected:
    ~AnalysisDocument() = default;
};

} // namespace Nerolith
