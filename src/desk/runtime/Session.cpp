#include "desk/runtime/Session.h"

#include <stdexcept>

#include "desk/document/DocumentFile.h"
#include "desk/document/ModuleSettings.h"
#include "desk/document/RecordingCheck.h"
#include "desk/runtime/ChannelFilters.h"
#include "desk/runtime/ModuleCalculations.h"
#include "desk/runtime/ModuleLoader.h"
#include "desk/runtime/OpenRecording.h"
#include "host/IDocumentClass.h"

namespace Desk {

std::unique_ptr<Session> Session::OpenRecording(const std::string& source, ComPtr<HostServices> services)
{
    return std::unique_ptr<Session>(new Session(Desk::OpenRecording(source), std::move(services)));
}

std::unique_ptr<Session> Session::OpenDocument(const std::string& path, ComPtr<HostServices> services)
{
    const DocumentContents contents = DocumentFile(path).Open();
    RecordingCheck check = ReopenRecording(path, contents.recording, Desk::OpenRecording);
    if (check.status != RecordingStatus::Found) {
        throw std::runtime_error(check.message);
    }
    std::unique_ptr<Session> session(new Session(std::move(check.recording), std::move(services)));
    session->RestoreSettings(contents);
    session->openedHostState_.views = contents.views;
    session->openedHostState_.values = contents.values;
    return session;
}

std::unique_ptr<Session> Session::Over(std::unique_ptr<Recording> recording, ComPtr<HostServices> services)
{
    return std::unique_ptr<Session>(new Session(std::move(recording), std::move(services)));
}

void Session::LoadDocumentSettings(const std::string& path)
{
    const DocumentContents contents = DocumentFile(path).Open();
    if (contents.recording.fingerprint != host_->Data().Fingerprint()) {
        throw std::runtime_error(path + " was saved for the recording " + contents.recording.path + ", not for " +
                                 host_->Data().Source());
    }
    RestoreSettings(contents);
}

Session::Session(std::unique_ptr<Recording> recording, ComPtr<HostServices> services)
    : host_(MakeCom<HostDocument>(std::move(recording), std::move(services)))
{
    const ClassRegistry& registry = ModuleLoader::Load();
    for (const ComPtr<ICalcNumericParamsFuncClass>& function :
         registry.FindAll<ICalcNumericParamsFuncClass>(Host::ClassRole::CalcFunction)) {
        host_->Engine().RegisterFunctionClass(function.Get());
    }
    const ComPtr<IDocumentClass> documentClass = registry.Find<IDocumentClass>(Host::ClassRole::Document);
    if (!documentClass) {
        throw std::runtime_error("the analysis module offers no document class");
    }
    ComPtr<IUnknown> document;
    if (Failed(documentClass->CreateDocument(host_.Get(), document.Put())) || !document) {
        throw std::runtime_error("the analysis module could not make its document");
    }
    host_->SetModuleDocument(document);
    analysis_ = document.As<ISpikeDocInterface>();
    if (!analysis_) {
        throw std::runtime_error("the analysis document offers no scripting interface");
    }
}

Session::~Session() { host_->Close(); }

void Session::RestoreSettings(const DocumentContents& contents)
{
    // The module registers its event sources again as it analyses; the
    // document keeps only its settings.
    const ComPtr<IPersistStreamInit> persistence = ModuleDocument().As<IPersistStreamInit>();
    if (!persistence) {
        throw std::runtime_error("the analysis document cannot load settings");
    }
    LoadSettings(persistence.Get(), contents.moduleSettings);
    RestoreChannelFilters(*host_, contents.channelCalculations);
    RestoreModuleCalculations(*host_, contents.channelCalculations);
}

void Session::Analyze()
{
    analysis_->RequestAnalyze();
    DeliverMessages();
}

void Session::Save(const std::string& path) { Save(path, HostLayout{}); }

void Session::Save(const std::string& path, const HostLayout& layout)
{
    DocumentContents contents;
    StoreLayout(layout, contents);
    contents.recording = ReferenceTo(host_->Data());
    contents.channelCalculations = SavedChannelFilters(*host_);
    for (ChannelCalculationItem& item : SavedModuleCalculations(*host_)) {
        contents.channelCalculations.push_back(std::move(item));
    }
    const ComPtr<IPersistStreamInit> persistence =
        host_->Persistence() ? host_->Persistence() : ModuleDocument().As<IPersistStreamInit>();
    if (!persistence) {
        throw std::runtime_error("the analysis document has no settings to save");
    }
    DocumentFile(path).Save(std::move(contents), persistence.Get());
}

} // namespace Desk
