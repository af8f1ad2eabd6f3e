#include <gtest/gtest.h>

#include "graph/DecadeLabels.h"

namespace {

using DUdido1::DecadeLabels;

TEST(DecadeLabels, NameEachDecadeInTheLargestUnitThatKeepsItWhole)
{
    EXPECT_EQ(DecadeLabels::DecadeText(-12), u"1e-12 s");
    EXPECT_EQ(DecadeLabels::DecadeText(-7), u"100 ns");
    EXPECT_EQ(DecadeLabels::DecadeText(-6), u"1 \u00B5s");
    EXPECT_EQ(DecadeLabels::DecadeText(-4), u"100 \u00B5s");
    EXPECT_EQ(DecadeLabels::DecadeText(-3), u"1 ms");
    EXPECT_EQ(DecadeLabels::DecadeText(-1), u"100 ms");
    EXPECT_EQ(DecadeLabels::DecadeText(0), u"1 s");
    EXPECT_EQ(DecadeLabels::DecadeText(2), u"100 s");
}

} // namespace
