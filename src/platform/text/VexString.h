#pragma once

#include <compare>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Export.h"

namespace VEX {

// An immutable UTF-16 string whose text is shared between copies (reference
// counted), as the host and the module pass names and texts around.
class PLATFORM_API String {
public:
    String();
    String(const char16_t* text);
    String(std::u16string text);
    String(std::u16string_view text);

    static String FromUtf8(std::string_view utf8);
    // Windows-1252 bytes, as older streams and foreign files hold them.
    static String FromAnsi(std::string_view ansi);

    std::string ToUtf8() const;
    // Windows-1252; characters it cannot show become '?'.
    std::string ToAnsi() const;

    const std::u16string& Str() const { return *text_; }
    std::u16string_view View() const { return *text_; }
    const char16_t* Data() const { return text_->c_str(); }
    std::size_t Length() const { return text_->size(); }
    bool Empty() const { return text_->empty(); }

    friend String operator+(const String& a, const String& b);
    friend bool operator==(const String& a, const String& b) { return a.Str() == b.Str(); }
    friend std::strong_ordering operator<=>(const String& a, const String& b)
    {
        return a.Str() <=> b.Str();
    }

private:
    std::shared_ptr<const std::u16string> text_;
};

} // namespace VEX
