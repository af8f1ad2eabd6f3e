#pragma once

#include <cstdint>

#include "host/IClassRegistrar.h"

namespace Nerolith {

// A named action of the host's scripts; it runs one of the document's
// commands, which sends the same request as the menu does.
class AutomationAction final : public UnknownImpl<IAutomationAction> {
public:
    AutomationAction(const char16_t* name, const char16_t* description, std::uint32_t commandId);

    HRESULT Run(IUnknown* document) override;

    const char16_t* Name() const { return name_; }
    const char16_t* Description() const { return description_; }
    static constexpr const char16_t* kCategory = u"Nerolith";

private:
    const char16_t* name_;
    const char16_t* description_;
    std::uint32_t commandId_;
};

// The module's actions: "NL_Analyze" and "NL_ClearAnalysis".
AutomationAction& AnalyzeAction();
AutomationAction& ClearAnalysisAction();

} // namespace Nerolith
