#include "desk/calc/HostCalc.h"

#include <new>

#include "desk/calc/ChannelSamples.h"
#include "desk/calc/ExpressionBinder.h"
#include "desk/calc/RecordedEventsSource.h"
#include "host/HostTypes.h"

namespace Desk {
namespace {

// Names typed by people may carry stray spaces.
std::u16string_view Trimmed(std::u16string_view text)
{
    const auto first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

} // namespace

HostCalc::HostCalc(std::shared_ptr<CalcContext> context) : context_(std::move(context)) {}

HRESULT HostCalc::OpenSamples(std::int32_t channel, std::int32_t block, std::int32_t startTick,
                              std::uint32_t requestCode, IEnumSamples** samples)
{
    if (samples != nullptr && requestCode != Host::kSampleRequest) {
        *samples = nullptr;
        return E_INVALIDARG;
    }
    return OpenChannelSamples(context_, channel, block, startTick, false, samples);
}

HRESULT HostCalc::OpenExpressionEvents(const VEX::String& expression, std::int32_t block, std::int32_t firstTick,
                                       std::int32_t endTick, std::uint32_t flags, IEnumEventEx** events)
{
    if (events == nullptr) {
        return E_POINTER;
    }
    *events = nullptr;
    if (flags != Host::kEventRequest) {
        return E_INVALIDARG;
    }
    return OpenEvents(expression, block, firstTick, endTick, events);
}

HRESULT HostCalc::OpenEvents(const VEX::String& expression, std::int32_t block, std::int32_t firstTick,
                             std::int32_t endTick, IEnumEventEx** events)
{
    try {
        return ExpressionBinder(context_).BindEvents(expression.View())->OpenEvents(block, firstTick, endTick, events);
    } catch (const ExpressionError&) {
        return E_INVALIDARG;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT HostCalc::RegisterEventSource(const VEX::String& name, const VEX::String& expression, std::int32_t* id1,
                                      std::int32_t* id2)
{
    return context_->sources.Register(name, expression, id1, id2);
}

HRESULT HostCalc::RenameEventSource(std::int32_t id1, std::int32_t id2, const VEX::String& name)
{
    return context_->sources.Rename(id1, id2, name);
}

HRESULT HostCalc::WithdrawEventSource(std::int32_t id1, std::int32_t id2)
{
    return context_->sources.Withdraw(id1, id2);
}

HRESULT HostCalc::EventSourceName(std::int32_t id1, std::int32_t id2, VEX::String* name)
{
    return context_->sources.Name(id1, id2, name);
}

HRESULT HostCalc::ResolveEventSource(const VEX::String& text, std::int32_t* position)
{
    if (position == nullptr) {
        return E_POINTER;
    }
    *position = Host::kAbsentSource;
    const std::u16string_view trimmed = Trimmed(text.View());
    if (trimmed.empty()) {
        return S_FALSE;
    }
    if (const std::optional<std::int32_t> named = context_->sources.PositionOfName(trimmed)) {
        *position = *named;
        return S_OK;
    }
    try {
        ExpressionBinder(context_).BindEvents(trimmed);
    } catch (const ExpressionError&) {
        return S_FALSE;
    }
    *position = context_->sources.PositionOfExpression(VEX::String(trimmed));
    return S_OK;
}

HRESULT HostCalc::OpenSourceEvents(std::int32_t position, std::int32_t block, std::int32_t firstTick,
                                   std::int32_t endTick, IEnumEventEx** events)
{
    if (events == nullptr) {
        return E_POINTER;
    }
    *events = nullptr;
    const std::optional<EventSourceTable::Entry> entry = context_->sources.At(position);
    if (!entry) {
        return E_INVALIDARG;
    }
    if (entry->kind == EventSourceTable::Entry::Kind::Recorded) {
        return ComPtr<ICalcSource>(new RecordedEventsSource(context_, entry->recordedIndex))
            ->OpenEvents(block, firstTick, endTick, events);
    }
    return OpenEvents(entry->text, block, firstTick, endTick, events);
}

std::int32_t HostCalc::EventSourceCount() { return context_->sources.Count(); }

HRESULT HostCalc::EventSourceNameAt(std::int32_t position, VEX::String* name)
{
    return context_->sources.NameAt(position, name);
}

} // namespace Desk
