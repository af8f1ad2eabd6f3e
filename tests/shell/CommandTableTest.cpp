#include <gtest/gtest.h>

#include "shell/CommandTable.h"
#include "shell/StringTable.h"

using namespace Nerolith;

TEST(CommandTable, TextsAreFoundFromTheIdAlone)
{
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.IsSeparator() || entry.id == Commands::kWindows) {
            continue;
        }
        EXPECT_TRUE(HasString(entry.id)) << entry.id;
        const Host::CommandSpec command = DescribeCommand(entry);
        EXPECT_EQ(command.shortName, LoadString(entry.id + 1));
    }
}

TEST(CommandTable, WindowsTakesItsDescriptionFromItsOwnString)
{
    const auto table = CommandTable();
    const auto windows = std::find_if(table.begin(), table.end(),
                                      [](const CommandEntry& e) { return e.id == Commands::kWindows; });
    ASSERT_NE(windows, table.end());
    const Host::CommandSpec command = DescribeCommand(*windows);
    EXPECT_EQ(command.description, VEX::String(u"Nerolith Views"));
    EXPECT_EQ(command.flags, 520u);
    EXPECT_EQ(command.icon, 119u);
    EXPECT_TRUE(command.shortName.Empty());
}

TEST(CommandTable, MenuOrderSeparatorsAndIcons)
{
    const auto table = CommandTable();
    ASSERT_EQ(table.size(), 18u);
    EXPECT_EQ(table.front().id, Commands::kSettings);
    EXPECT_EQ(table.back().id, Commands::kAnalyze);
    int separators = 0;
    for (const CommandEntry& entry : table) {
        if (entry.IsSeparator()) {
            ++separators;
            EXPECT_EQ(VEX::String(entry.path), VEX::String(u"Nerolith|-"));
            EXPECT_EQ(entry.flags, 2u);
        }
        const bool hasIcon = entry.icon != 0;
        EXPECT_EQ(hasIcon, entry.flags == 10u || entry.flags == 520u) << entry.id;
    }
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(DescribeCommand(table.back()).description, VEX::String(u"Analyze"));
}
