#include "desk/recording/EdfTal.h"

#include <limits>

#include "desk/recording/Recording.h"

namespace Desk {
namespace {

constexpr char kTalEnd = '\0';
constexpr char kTextEnd = '\x14';
constexpr char kDurationMark = '\x15';
constexpr int kFractionDigits = 7;
// About 3,600 years: far beyond any recording, and small enough that sums
// and differences of a few times never overflow.
constexpr std::int64_t kMaxTime = std::int64_t{1} << 60;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AddDigit(std::int64_t& value, char digit)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    if (value > (kMax - (digit - '0')) / 10) {
        return false;
    }
    value = value * 10 + (digit - '0');
    return true;
}

} // namespace

std::optional<std::int64_t> ParseEdfTime(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && fraction.empty())) {
        return std::nullopt;
    }
    std::int64_t units = 0;
    for (char c : whole) {
        if (!IsDigit(c) || !AddDigit(units, c)) {
            return std::nullopt;
        }
    }
    for (int i = 0; i < kFractionDigits; ++i) {
        const char digit = i < static_cast<int>(fraction.size()) ? fraction[i] : '0';
        if (!IsDigit(digit) || !AddDigit(units, digit)) {
            return std::nullopt;
        }
    }
    for (std::size_t i = kFractionDigits; i < fraction.size(); ++i) {
        if (!IsDigit(fraction[i])) {
            return std::nullopt;
        }
    }
    if (units > kMaxTime) {
        return std::nullopt;
    }
    return negative ? -units : units;
}

std::string QuotedEdfText(std::string_view text)
{
    std::string shown(text);
    for (char& c : shown) {
        if (c < ' ' || c > '~') {
            c = '?';
        }
    }
    return "\"" + shown + "\"";
}

std::vector<EdfTal> ParseTals(std::span<const std::byte> bytes, const std::string& where)
{
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<EdfTal> tals;
    std::size_t pos = 0;
    while (pos < data.size() && data[pos] != kTalEnd) {
        const std::size_t end = data.find(kTalEnd, pos);
        if (end == std::string_view::npos) {
            throw RecordingError(where + ": an annotation list is not terminated");
        }
        std::string_view tal = data.substr(pos, end - pos);
        const std::size_t stampEnd = tal.find(kTextEnd);
        if (stampEnd == std::string_view::npos || tal.back() != kTextEnd) {
            throw RecordingError(where + ": malformed annotation list " + QuotedEdfText(tal));
        }
        const std::string_view stamp = tal.substr(0, stampEnd);
        const std::string_view onset = stamp.substr(0, stamp.find(kDurationMark));
        const auto parsed = onset.empty() || (onset[0] != '+' && onset[0] != '-') ? std::nullopt : ParseEdfTime(onset);
        const bool durationValid = onset.size() == stamp.size()
            || ParseEdfTime(stamp.substr(onset.size() + 1)).value_or(-1) >= 0;
        if (!parsed || !durationValid) {
            throw RecordingError(where + ": bad annotation time " + QuotedEdfText(stamp));
        }
        EdfTal result{*parsed, {}};
        tal.remove_prefix(stampEnd + 1);
        while (!tal.empty()) {
            const std::size_t textEnd = tal.find(kTextEnd);
            result.texts.emplace_back(tal.substr(0, textEnd));
            tal.remove_prefix(textEnd + 1);
        }
        tals.push_back(std::move(result));
        pos = end + 1;
    }
    return tals;
}

} // namespace Desk
