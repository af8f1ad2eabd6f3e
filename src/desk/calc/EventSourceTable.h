#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/com/Result.h"
#include "platform/text/VexString.h"

namespace Desk {

// The document's event sources and the positions they are opened by.
//
// Positions are stable for the life of the document, so a position resolved
// once keeps naming the same source: the recording's event lists come first
// (0 .. R-1), then one slot per registration (R + slot). Slots are never
// reused; a withdrawn source leaves a dead slot behind. Texts resolved as
// expressions get positions from kExpressionBase on.
//
// A registration is identified by (slot, generation); the generation is a
// serial number, so ids of a withdrawn source or of another document are
// refused.
class EventSourceTable {
public:
    static constexpr std::int32_t kExpressionBase = 0x40000000;

    struct Entry {
        enum class Kind { Recorded, Registered, Expression };
        Kind kind;
        std::int32_t recordedIndex; // Kind::Recorded
        VEX::String text;           // the expression (Registered, Expression)
    };

    explicit EventSourceTable(std::vector<VEX::String> recordedNames);

    // Refuses an empty or taken name and an expression that does not parse.
    HRESULT Register(const VEX::String& name, const VEX::String& expression, std::int32_t* id1,
                     std::int32_t* id2);
    HRESULT Rename(std::int32_t id1, std::int32_t id2, const VEX::String& name);
    HRESULT Withdraw(std::int32_t id1, std::int32_t id2);
    HRESULT Name(std::int32_t id1, std::int32_t id2, VEX::String* name) const;

    // Named positions, dead slots included (their name is empty, S_FALSE).
    std::int32_t Count() const;
    HRESULT NameAt(std::int32_t position, VEX::String* name) const;

    // The position of the live source with exactly that name, if any.
    std::optional<std::int32_t> PositionOfName(std::u16string_view name) const;
    // A position for a text that is evaluated as an expression.
    std::int32_t PositionOfExpression(const VEX::String& text);
    std::optional<Entry> At(std::int32_t position) const;

    // For expressions that name a source.
    std::optional<VEX::String> RegisteredExpression(std::u16string_view name) const;
    std::optional<std::int32_t> RecordedIndex(std::u16string_view name) const;

private:
    struct Registration {
        VEX::String name;
        VEX::String expression;
        std::int32_t generation = 0;
        bool live = false;
    };

    Registration* Live(std::int32_t id1, std::int32_t id2);
    const Registration* Live(std::int32_t id1, std::int32_t id2) const;
    std::int32_t RecordedCount() const { return static_cast<std::int32_t>(recordedNames_.size()); }

    std::vector<VEX::String> recordedNames_;
    std::vector<Registration> registrations_;
    std::vector<VEX::String> expressions_;
    std::int32_t nextGeneration_ = 1;
};

} // namespace Desk
