#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/text/CodePage.h"
#include "platform/text/DecimalPoint.h"
#include "platform/text/ListSeparator.h"
#include "platform/text/Utf8.h"
#include "platform/text/VexString.h"

using VEX::String;

TEST(VexString, Utf8RoundTripsIncludingCharactersOutsideTheBasicPlane)
{
    const std::string utf8 = "Unit \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x99\x82";
    const String text = String::FromUtf8(utf8);
    EXPECT_EQ(text.Length(), 11u) << "the emoji takes a surrogate pair";
    EXPECT_EQ(text.ToUtf8(), utf8);
    EXPECT_TRUE(String().Empty());
    EXPECT_EQ(String(u"a") + String(u"b"), String(u"ab"));
}

TEST(CodePage, Windows1252MapsTheHighControlsAndReplacesTheRest)
{
    EXPECT_EQ(VEX::Utf16ToAnsi(u"\u20AC\u00E9\u2122"), "\x80\xE9\x99");
    EXPECT_EQ(VEX::Utf16ToAnsi(u"\u0416x"), "?x") << "Cyrillic is not in the code page";
    EXPECT_EQ(VEX::Utf16ToAnsi(u"\U0001F642"), "?") << "one ? per character, not per code unit";
    EXPECT_EQ(VEX::AnsiToUtf16("\x80\xE9\x81"), u"\u20AC\u00E9\u0081");
    EXPECT_EQ(String::FromAnsi("\x93quoted\x94").ToAnsi(), "\x93quoted\x94");
}

TEST(ListSeparator, FollowsTheDecimalPointUnlessOverridden)
{
    EXPECT_EQ(VEX::ListSeparatorFor(u','), u';') << "a comma decimal point needs another separator";
    EXPECT_EQ(VEX::ListSeparatorFor(u'.'), u',');
    EXPECT_EQ(VEX::ListSeparatorFor(u'\u066B'), u',') << "the Arabic decimal separator is not a comma";
    VEX::OverrideListSeparator(u'|');
    EXPECT_EQ(VEX::ListSeparator(), u'|');
    VEX::OverrideListSeparator(std::nullopt);
    EXPECT_NE(VEX::ListSeparator(), u'|');
}

TEST(Utf8, EachByteOfABrokenSequenceBecomesOneReplacementCharacter)
{
    EXPECT_EQ(VEX::Utf8ToUtf16(""), u"");
    EXPECT_EQ(VEX::Utf8ToUtf16("\x80" "a"), u"\uFFFDa") << "a stray continuation byte";
    EXPECT_EQ(VEX::Utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD") << "an overlong NUL";
    EXPECT_EQ(VEX::Utf8ToUtf16("\xE2\x82" "A"), u"\uFFFD\uFFFDA") << "cut short before another character";
    EXPECT_EQ(VEX::Utf8ToUtf16("\xF0\x9F"), u"\uFFFD\uFFFD") << "cut short by the end";
    EXPECT_EQ(VEX::Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD") << "an encoded surrogate";
    EXPECT_EQ(VEX::Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD") << "past U+10FFFF";
    EXPECT_EQ(VEX::Utf8ToUtf16("\xC3\xC3\xA9"), u"\uFFFD\u00E9") << "decoding resumes at the next byte";
    EXPECT_EQ(VEX::Utf8ToUtf16("\xF4\x8F\xBF\xBF\xED\x9F\xBF"), u"\U0010FFFF\uD7FF") << "the edges that are valid";
    EXPECT_EQ(VEX::Utf8ToUtf16(std::string_view("a\0b", 3)), std::u16string_view(u"a\0b", 3));
}

TEST(Utf8, OnlyALeadingByteOrderMarkIsDropped)
{
    EXPECT_EQ(VEX::Utf8ToUtf16("\xEF\xBB\xBF" "a\xEF\xBB\xBF"), u"a\uFEFF");
    EXPECT_EQ(VEX::Utf16ToUtf8(u"\uFEFFa\uFEFF"), "a\xEF\xBB\xBF");
    EXPECT_EQ(VEX::Utf16ToUtf8(u"\uFFFEa"), "\xEF\xBF\xBE" "a") << "a reversed mark is a character like any other";
}

TEST(Utf8, LoneSurrogatesBecomeQuestionMarksAndPairsOneCharacter)
{
    EXPECT_EQ(VEX::Utf16ToUtf8(u""), "");
    EXPECT_EQ(VEX::Utf16ToUtf8(std::u16string{u'a', 0xD800}), "a?") << "a high surrogate at the end";
    EXPECT_EQ(VEX::Utf16ToUtf8(std::u16string{0xDC00, u'a'}), "?a") << "a low surrogate first";
    EXPECT_EQ(VEX::Utf16ToUtf8(std::u16string{0xD800, 0xD800, 0xDC00}), "?\xF0\x90\x80\x80");
    EXPECT_EQ(VEX::Utf16ToUtf8(u"\u007F\u0080\u07FF\u0800\uFFFF"),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF") << "each length's edges";
}

TEST(DecimalPoint, FollowsTheLanguageThenTheTerritoryOfTheLocaleName)
{
    EXPECT_EQ(VEX::DecimalPointOf("de_DE.UTF-8"), u',');
    EXPECT_EQ(VEX::DecimalPointOf("en_US.UTF-8"), u'.');
    EXPECT_EQ(VEX::DecimalPointOf("de_CH"), u'.') << "Swiss German takes a point";
    EXPECT_EQ(VEX::DecimalPointOf("en_ZA"), u',') << "South African English takes a comma";
    EXPECT_EQ(VEX::DecimalPointOf("es_419"), u'.');
    EXPECT_EQ(VEX::DecimalPointOf("de_XX"), u',') << "an unknown territory takes its language's";
    EXPECT_EQ(VEX::DecimalPointOf("sr_RS@latin"), u',');
    EXPECT_EQ(VEX::DecimalPointOf("sr_Latn_RS"), u',');
    EXPECT_EQ(VEX::DecimalPointOf("fr-ch"), u',');
    for (const char* name : {"C", "C.UTF-8", "POSIX", "", "xx_DE"}) {
        EXPECT_EQ(VEX::DecimalPointOf(name), u'.') << name;
    }
}

namespace {

// Sets an environment variable (nullptr unsets it) until the end of the scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedVariable() { Set(old_ ? old_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    void Set(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(DecimalPoint, TheNumericLocaleIsTheFirstOfLcAllLcNumericAndLangThatIsSet)
{
    ScopedVariable lang("LANG", "fr_FR");
    ScopedVariable numeric("LC_NUMERIC", "");
    ScopedVariable all("LC_ALL", nullptr);
    EXPECT_EQ(VEX::NumericLocaleName(), "fr_FR") << "an empty variable does not count";
    EXPECT_EQ(VEX::ListSeparator(), u';');
    numeric.Set("en_GB");
    EXPECT_EQ(VEX::NumericLocaleName(), "en_GB");
    all.Set("C");
    EXPECT_EQ(VEX::NumericLocaleName(), "C");
    EXPECT_EQ(VEX::ListSeparator(), u',');
}
