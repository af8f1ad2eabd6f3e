#include "platform/text/CodePage.h"
#include "platform/text/Surrogates.h"

#include <array>

namespace VEX {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes it leaves undefined.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToAnsiByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c && c != 0) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

std::string Utf16ToAnsi(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
            out.push_back('?');
            continue;
        }
        out.push_back(ToAnsiByte(text[i]));
    }
    return out;
}

std::u16string AnsiToUtf16(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b >= 0x80 && b <= 0x9F) {
            const char16_t mapped = kHighControls[b - 0x80];
            // Undefined bytes map to the C1 control of the same value, as
            // the platform's conversion does.
            out.push_back(mapped != 0 ? mapped : static_cast<char16_t>(b));
        } else {
            out.push_back(static_cast<char16_t>(b));
        }
    }
    return out;
}

} // namespace VEX
