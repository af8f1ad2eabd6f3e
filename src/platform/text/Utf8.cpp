#include "platform/text/Utf8.h"
#include "platform/text/Surrogates.h"

#include <utility>

namespace VEX {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kByteOrderMark = u'\uFEFF';

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The well-formed range of a sequence's second byte, which rules out
// overlong forms, surrogates and code points past U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second)
{
    switch (lead) {
    case 0xE0: return second >= 0xA0 && second <= 0xBF;
    case 0xED: return second >= 0x80 && second <= 0x9F;
    case 0xF0: return second >= 0x90 && second <= 0xBF;
    case 0xF4: return second >= 0x80 && second <= 0x8F;
    default: return IsContinuation(second);
    }
}

int SequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// The code point of the well-formed sequence at the start of bytes, with its
// length; length 0 when the sequence is not well formed.
std::pair<char32_t, int> DecodeOne(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const int length = SequenceLength(lead);
    if (length <= 1 || static_cast<std::size_t>(length) > bytes.size()) {
        return {lead, length == 1 ? 1 : 0};
    }
    if (!SecondByteFits(lead, static_cast<unsigned char>(bytes[1]))) {
        return {0, 0};
    }
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        if (!IsContinuation(byte)) {
            return {0, 0};
        }
        code = (code << 6) | (byte & 0x3F);
    }
    return {code, length};
}

void AppendUtf16(std::u16string& out, char32_t code)
{
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::u16string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto [code, length] = DecodeOne(bytes);
        if (length == 0) {
            out.push_back(kReplacement);
            bytes.remove_prefix(1);
        } else {
            AppendUtf16(out, code);
            bytes.remove_prefix(static_cast<std::size_t>(length));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    if (!text.empty() && text.front() == kByteOrderMark) {
        text.remove_prefix(1);
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            out.push_back('?');
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace VEX
