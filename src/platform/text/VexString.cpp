#include "platform/text/VexString.h"

#include "platform/text/CodePage.h"
#include "platform/text/Utf8.h"

namespace VEX {
namespace {

const std::shared_ptr<const std::u16string>& EmptyText()
{
    static const auto empty = std::make_shared<const std::u16string>();
    return empty;
}

} // namespace

String::String() : text_(EmptyText()) {}

String::String(const char16_t* text)
    : String(std::u16string_view(text ? text : u""))
{
}

String::String(std::u16string text)
    : text_(text.empty() ? EmptyText() : std::make_shared<const std::u16string>(std::move(text)))
{
}

String::String(std::u16string_view text) : String(std::u16string(text)) {}

String String::FromUtf8(std::string_view utf8)
{
    return String(Utf8ToUtf16(utf8));
}

String String::FromAnsi(std::string_view ansi) { return String(AnsiToUtf16(ansi)); }

std::string String::ToUtf8() const
{
    return Utf16ToUtf8(*text_);
}

std::string String::ToAnsi() const { return Utf16ToAnsi(*text_); }

String operator+(const String& a, const String& b) { return String(a.Str() + b.Str()); }

} // namespace VEX
