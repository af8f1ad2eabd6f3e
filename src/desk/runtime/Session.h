#pragma once

#include <memory>
#include <string>

#include "desk/document/DocumentContents.h"
#include "desk/document/HostLayout.h"
#include "desk/runtime/ClassRegistry.h"
#include "desk/runtime/HostDocument.h"
#include "host/ISpikeDocInterface.h"

namespace Desk {

// A host document with the module's analysis document made for it, as the
// host sets one up when it opens a recording or a saved document: the
// module's calculation functions are made known to the engine, the document
// class makes the analysis document, and a saved document's settings are
// restored.
class Session {
public:
    // Opens a recording ("demo", a sidecar .json, an .edf/.bdf file).
    static std::unique_ptr<Session> OpenRecording(const std::string& source, ComPtr<HostServices> services);
    // Opens a saved document and the recording it refers to; refuses one
    // whose recording is missing or changed.
    static std::unique_ptr<Session> OpenDocument(const std::string& path, ComPtr<HostServices> services);
    // A session over a recording of its own (an empty one, for settings work).
    static std::unique_ptr<Session> Over(std::unique_ptr<Recording> recording, ComPtr<HostServices> services);
    ~Session();

    HostDocument& Host() { return *host_; }
    ISpikeDocInterface& Analysis() { return *analysis_; }
    const ComPtr<IUnknown>& ModuleDocument() const { return host_->ModuleDocument(); }

    // Runs the host's message loop until no request is waiting.
    void DeliverMessages() { host_->Messages().DeliverPending(); }
    // Sends the analyse request and lets the loop run it.
    void Analyze();

    // Loads the settings of a saved document made for this session's
    // recording; refuses a document of another recording.
    void LoadDocumentSettings(const std::string& path);
    // Saves everything to a document file in one transaction.
    void Save(const std::string& path);

    // The desktop program's windows, kept beside the analysis: saved with
    // it, and handed back as the document that was opened held them (empty
    // for a document without, or a session opened from a recording).
    void Save(const std::string& path, const HostLayout& layout);
    const DocumentContents& OpenedHostState() const { return openedHostState_; }

private:
    Session(std::unique_ptr<Recording> recording, ComPtr<HostServices> services);
    void RestoreSettings(const DocumentContents& contents);

    ComPtr<HostDocument> host_;
    ComPtr<ISpikeDocInterface> analysis_;
    DocumentContents openedHostState_;
};

} // namespace Desk
