#include "desk/calc/EventSourceTable.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "desk/calc/ExpressionParser.h"

namespace Desk {
namespace {

bool Parses(const VEX::String& expression)
{
    try {
        ParseExpression(expression.View());
        return true;
    } catch (const ExpressionError&) {
        return false;
    }
}

} // namespace

EventSourceTable::EventSourceTable(std::vector<VEX::String> recordedNames)
    : recordedNames_(std::move(recordedNames))
{
}

HRESULT EventSourceTable::Register(const VEX::String& name, const VEX::String& expression, std::int32_t* id1,
                                   std::int32_t* id2)
{
    if (id1 == nullptr || id2 == nullptr) {
        return E_POINTER;
    }
    if (name.Empty() || !Parses(expression)) {
        return E_INVALIDARG;
    }
    if (PositionOfName(name.View())) {
        return E_FAIL;
    }
    if (registrations_.size() >= static_cast<std::size_t>(kExpressionBase - RecordedCount()) ||
        nextGeneration_ == INT_MAX) {
        return E_OUTOFMEMORY;
    }
    registrations_.push_back({name, expression, nextGeneration_++, true});
    *id1 = static_cast<std::int32_t>(registrations_.size() - 1);
    *id2 = registrations_.back().generation;
    return S_OK;
}

HRESULT EventSourceTable::Rename(std::int32_t id1, std::int32_t id2, const VEX::String& name)
{
    Registration* registration = Live(id1, id2);
    if (registration == nullptr || name.Empty()) {
        return E_INVALIDARG;
    }
    const std::optional<std::int32_t> holder = PositionOfName(name.View());
    if (holder && *holder != RecordedCount() + id1) {
        return E_FAIL;
    }
    registration->name = name;
    return S_OK;
}

HRESULT EventSourceTable::Withdraw(std::int32_t id1, std::int32_t id2)
{
    Registration* registration = Live(id1, id2);
    if (registration == nullptr) {
        return E_INVALIDARG;
    }
    *registration = Registration{};
    return S_OK;
}

HRESULT EventSourceTable::Name(std::int32_t id1, std::int32_t id2, VEX::String* name) const
{
    if (name == nullptr) {
        return E_POINTER;
    }
    const Registration* registration = Live(id1, id2);
    if (registration == nullptr) {
        *name = VEX::String();
        return E_INVALIDARG;
    }
    *name = registration->name;
    return S_OK;
}

std::int32_t EventSourceTable::Count() const
{
    return RecordedCount() + static_cast<std::int32_t>(registrations_.size());
}

HRESULT EventSourceTable::NameAt(std::int32_t position, VEX::String* name) const
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = VEX::String();
    if (position < 0 || position >= Count()) {
        return E_INVALIDARG;
    }
    if (position < RecordedCount()) {
        *name = recordedNames_[static_cast<std::size_t>(position)];
        return S_OK;
    }
    const Registration& registration = registrations_[static_cast<std::size_t>(position - RecordedCount())];
    *name = registration.name;
    return registration.live ? S_OK : S_FALSE;
}

std::optional<std::int32_t> EventSourceTable::PositionOfName(std::u16string_view name) const
{
    for (std::size_t i = 0; i < registrations_.size(); ++i) {
        if (registrations_[i].live && registrations_[i].name.View() == name) {
            return RecordedCount() + static_cast<std::int32_t>(i);
        }
    }
    return RecordedIndex(name);
}

std::int32_t EventSourceTable::PositionOfExpression(const VEX::String& text)
{
    auto found = std::find(expressions_.begin(), expressions_.end(), text);
    if (found == expressions_.end()) {
        found = expressions_.insert(expressions_.end(), text);
    }
    return kExpressionBase + static_cast<std::int32_t>(found - expressions_.begin());
}

std::optional<EventSourceTable::Entry> EventSourceTable::At(std::int32_t position) const
{
    if (position >= 0 && position < RecordedCount()) {
        return Entry{Entry::Kind::Recorded, position, {}};
    }
    if (position >= RecordedCount() && position < Count()) {
        const Registration& registration = registrations_[static_cast<std::size_t>(position - RecordedCount())];
        if (registration.live) {
            return Entry{Entry::Kind::Registered, -1, registration.expression};
        }
        return std::nullopt;
    }
    const std::int64_t expressionIndex = static_cast<std::int64_t>(position) - kExpressionBase;
    if (expressionIndex >= 0 && expressionIndex < static_cast<std::int64_t>(expressions_.size())) {
        return Entry{Entry::Kind::Expression, -1, expressions_[static_cast<std::size_t>(expressionIndex)]};
    }
    return std::nullopt;
}

std::optional<VEX::String> EventSourceTable::RegisteredExpression(std::u16string_view name) const
{
    for (const Registration& registration : registrations_) {
        if (registration.live && registration.name.View() == name) {
            return registration.expression;
        }
    }
    return std::nullopt;
}

std::optional<std::int32_t> EventSourceTable::RecordedIndex(std::u16string_view name) const
{
    for (std::size_t i = 0; i < recordedNames_.size(); ++i) {
        if (recordedNames_[i].View() == name) {
            return static_cast<std::int32_t>(i);
        }
    }
    return std::nullopt;
}

EventSourceTable::Registration* EventSourceTable::Live(std::int32_t id1, std::int32_t id2)
{
    return const_cast<Registration*>(std::as_const(*this).Live(id1, id2));
}

const EventSourceTable::Registration* EventSourceTable::Live(std::int32_t id1, std::int32_t id2) const
{
    if (id1 < 0 || static_cast<std::size_t>(id1) >= registrations_.size()) {
        return nullptr;
    }
    const Registration& registration = registrations_[static_cast<std::size_t>(id1)];
    return registration.live && registration.generation == id2 ? &registration : nullptr;
}

} // namespace Desk
