#include <gtest/gtest.h>

#include <string>

#include "desk/calc/ExpressionParser.h"

using Desk::Expression;
using Desk::ParseExpression;

namespace {

std::string ErrorOf(std::u16string_view text)
{
    try {
        ParseExpression(text);
    } catch (const Desk::ExpressionError& error) {
        return error.what();
    }
    return "accepted";
}

} // namespace

TEST(ExpressionParser, ReadsTheModulesDetectorCall)
{
    const Expression call = ParseExpression(u"SpikeDet(-ch3, 0.2, 0.001, 1e-05, 2, 0, 1, -1, -1, -1, -1)");
    ASSERT_EQ(call.kind, Expression::Kind::Call);
    EXPECT_EQ(call.name, u"SpikeDet");
    ASSERT_EQ(call.arguments.size(), 11u);
    EXPECT_EQ(call.arguments[0].kind, Expression::Kind::Channel);
    EXPECT_EQ(call.arguments[0].channel, 2);
    EXPECT_TRUE(call.arguments[0].negated);
    EXPECT_DOUBLE_EQ(call.arguments[1].number, 0.2);
    EXPECT_DOUBLE_EQ(call.arguments[3].number, 1e-05);
    EXPECT_DOUBLE_EQ(call.arguments[10].number, -1.0);

    const Expression nested = ParseExpression(u" EventFrequency( UnitSelector(NerolithSpikes1, 0) ) ");
    ASSERT_EQ(nested.arguments.size(), 1u);
    EXPECT_EQ(nested.arguments[0].arguments[0].kind, Expression::Kind::Name);
    EXPECT_EQ(nested.arguments[0].arguments[0].name, u"NerolithSpikes1");
    EXPECT_EQ(ParseExpression(u"eventinterp(NerolithUnit1,1)").arguments.size(), 2u);
    EXPECT_DOUBLE_EQ(ParseExpression(u"1e+06").number, 1e6);
    EXPECT_DOUBLE_EQ(ParseExpression(u".5").number, 0.5);
    EXPECT_EQ(ParseExpression(u"ch12").channel, 11);
}

TEST(ExpressionParser, RejectsBadTextWithItsColumn)
{
    EXPECT_EQ(ErrorOf(u""), "Empty expression at column 1");
    EXPECT_EQ(ErrorOf(u"Cross(ch1, 0.5"), "Missing ')' for the '(' of Cross at column 6");
    EXPECT_EQ(ErrorOf(u"Cross(ch1, 0.5))"), "Unbalanced ')' at column 16");
    EXPECT_EQ(ErrorOf(u"Cross(ch1 0.5)"), "Expected ',' or ')' in the arguments of Cross but found '0' at column 11");
    EXPECT_EQ(ErrorOf(u"ch1 x"), "Unexpected 'x' after the end of the expression at column 5");
    EXPECT_EQ(ErrorOf(u"Cross(ch1, 1.2.3)"), "Malformed number '1.2.3' at column 12");
    EXPECT_EQ(ErrorOf(u"1e"), "Malformed number '1e' at column 1");
    EXPECT_EQ(ErrorOf(u"2x"), "Malformed number '2x' at column 1");
    EXPECT_EQ(ErrorOf(u"1e999"), "Number '1e999' is out of range at column 1");
    EXPECT_EQ(ErrorOf(u"-foo"), "'-' must be followed by a number or a channel such as -ch1 at column 1");
    EXPECT_EQ(ErrorOf(u"ch0"), "Channels count from 1: ch0 names none at column 1");
    EXPECT_EQ(ErrorOf(u"ch99999999999"), "Channel number 99999999999 is too large at column 1");
    EXPECT_EQ(ErrorOf(u"Cross(ch1,)"), "Unexpected ')' at column 11");
    EXPECT_EQ(ErrorOf(u"Cross(1,2"), "Missing ')' for the '(' of Cross at column 6");
    EXPECT_EQ(ErrorOf(u"0,5"), "Unexpected ',' after the end of the expression at column 2");

    std::u16string deep;
    for (int i = 0; i < 10000; ++i) {
        deep += u"f(";
    }
    EXPECT_EQ(ErrorOf(deep), "Expression nested too deeply at column 127");
}
