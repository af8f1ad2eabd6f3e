#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Desk {

// EDF+ times are kept in whole units of 100 ns, as EDFlib keeps them, so
// record starts compare exactly and contiguity is an integer test.
inline constexpr std::int64_t kEdfTimeUnitsPerSecond = 10'000'000;

// Parses "[+|-]digits[.digits]" seconds into 100 ns units (digits past the
// seventh decimal are dropped); nullopt for anything else or a time beyond
// 2^60 units.
std::optional<std::int64_t> ParseEdfTime(std::string_view text);

// Text from a file as a message shows it: in double quotes, with bytes that
// are not printable ASCII as '?'.
std::string QuotedEdfText(std::string_view text);

// One time-stamped annotation list of an EDF+ annotation signal.
struct EdfTal {
    std::int64_t onset = 0; // 100 ns units, as written in the file
    std::vector<std::string> texts; // UTF-8; the time-keeping TAL's first text is empty
};

// Parses the TALs in one data record's annotation signal bytes. Throws
// RecordingError prefixed with `where` (file and record) when a TAL is
// malformed; never reads outside `bytes`.
std::vector<EdfTal> ParseTals(std::span<const std::byte> bytes, const std::string& where);

} // namespace Desk
