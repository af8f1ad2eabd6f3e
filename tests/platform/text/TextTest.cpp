#include <gtest/gtest.h>

#include "platform/text/CodePage.h"
#include "platform/text/ListSeparator.h"
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
