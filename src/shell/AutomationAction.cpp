#include "shell/AutomationAction.h"

#include "host/ICommandFactory.h"
#include "platform/com/ComPtr.h"
#include "shell/CommandTable.h"

namespace Nerolith {

AutomationAction::AutomationAction(const char16_t* name, const char16_t* description, std::uint32_t commandId)
    : UnknownImpl(1), name_(name), description_(description), commandId_(commandId)
{
}

HRESULT AutomationAction::Run(IUnknown* document)
{
    if (document == nullptr) {
        return E_POINTER;
    }
    ComPtr<ICommandHandler> handler;
    if (Failed(document->QueryInterface(ICommandHandler::iid, reinterpret_cast<void**>(handler.Put())))) {
        return E_NOINTERFACE;
    }
    return handler->Execute(commandId_);
}

// Statics that live as long as the module; the extra reference from the
// constructor keeps the host's Release from deleting them.
AutomationAction& AnalyzeAction()
{
    static AutomationAction* action =
        new AutomationAction(u"NL_Analyze", u"Analyze channel or selection", Commands::kAnalyze);
    return *action;
}

AutomationAction& ClearAnalysisAction()
{
    static AutomationAction* action = new AutomationAction(
        u"NL_ClearAnalysis", u"Clears analysis of channel or selection", Commands::kClearAnalysis);
    return *action;
}

} // namespace Nerolith
