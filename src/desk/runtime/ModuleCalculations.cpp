#include "desk/runtime/ModuleCalculations.h"

#include <stdexcept>

#include "desk/calc/FilterCalculation.h"
#include "desk/runtime/ModuleLoader.h"
#include "host/IChannelCalculation.h"
#include "platform/com/MemoryStream.h"

namespace Desk {
namespace {

std::string ChannelName(std::int32_t channel) { return "channel " + std::to_string(std::int64_t{channel} + 1); }

ComPtr<IChannelCalculationClass> ModuleClassNamed(const std::string& className)
{
    for (const ComPtr<IChannelCalculationClass>& kind :
         ModuleLoader::Load().FindAll<IChannelCalculationClass>(Host::ClassRole::ChannelCalculation)) {
        VEX::String name;
        if (Succeeded(kind->Name(&name)) && name.ToUtf8() == className) {
            return kind;
        }
    }
    return {};
}

void Restore(HostDocument& document, const ChannelCalculationItem& item)
{
    const std::string where = "the document's calculation \"" + item.className + "\" on " + ChannelName(item.channel);
    const ComPtr<IChannelCalculationClass> kind = ModuleClassNamed(item.className);
    if (!kind) {
        throw std::runtime_error(where + ": no such calculation");
    }
    // Create hands out a count of 1, which the pointer takes over.
    ComPtr<IChannelCalculation> calculation;
    if (Failed(kind->Create(static_cast<IHostDocument*>(&document), calculation.Put())) || !calculation) {
        throw std::runtime_error(where + " cannot be made");
    }
    auto stream = MakeCom<MemoryStream>(item.settings);
    if (Failed(calculation->LoadSettings(stream.Get()))) {
        throw std::runtime_error(where + " cannot be read");
    }
    VEX::String reason;
    if (Failed(document.Engine().ChannelCalculations()->Apply(item.channel, calculation.Get(), &reason))) {
        throw std::runtime_error(where + ": " + (reason.Empty() ? std::string("no such channel") : reason.ToUtf8()));
    }
    RememberModuleCalculation(document, item.channel, item.className);
}

} // namespace

void RememberModuleCalculation(HostDocument& document, std::int32_t channel, const std::string& className)
{
    document.CalculationClasses()[channel] = className;
}

std::vector<ChannelCalculationItem> SavedModuleCalculations(HostDocument& document)
{
    std::vector<ChannelCalculationItem> items;
    for (const auto& [channel, className] : document.CalculationClasses()) {
        // A calculation taken off or replaced since (by a filter) is not the
        // one remembered.
        const ComPtr<IChannelCalculation> calculation = document.Engine().Calculation(channel);
        if (!calculation || dynamic_cast<const FilterCalculation*>(calculation.Get()) != nullptr) {
            continue;
        }
        auto stream = MakeCom<MemoryStream>();
        if (Failed(calculation->SaveSettings(stream.Get()))) {
            throw std::runtime_error("cannot save the calculation of " + ChannelName(channel));
        }
        items.push_back({channel, className, stream->Bytes()});
    }
    return items;
}

void RestoreModuleCalculations(HostDocument& document, const std::vector<ChannelCalculationItem>& items)
{
    for (const ChannelCalculationItem& item : items) {
        if (item.className != FilterCalculation::kClassName) {
            Restore(document, item);
        }
    }
}

} // namespace Desk
