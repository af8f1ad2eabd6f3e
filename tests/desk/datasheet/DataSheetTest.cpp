#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>

#include "desk/datasheet/DataSheet.h"
#include "desk/datasheet/DataSheetText.h"
#include "desk/runtime/ModuleLoader.h"
#include "desk/runtime/Session.h"
#include "support/MemoryRecording.h"

using namespace Desk;

namespace {

std::unique_ptr<Session> TwoChannelSession()
{
    auto recording = std::make_unique<TestSupport::MemoryRecording>(
        std::vector<std::vector<std::vector<float>>>{{std::vector<float>(100, 0.0f), std::vector<float>(100, 0.0f)}});
    return Session::Over(std::move(recording), MakeCom<HostServices>(nullptr));
}

// The module registers its 87 functions first (the 80 statistics, then the
// 7 unit quality figures), newest first; the Data Sheet shows them in the
// order they were made.
TEST(DataSheet, HasAColumnPerFunctionInIndexOrder)
{
    const ClassRegistry& registry = ModuleLoader::Load();
    ASSERT_GT(registry.Classes().size(), 87u);
    for (std::size_t i = 0; i < 87; ++i) {
        EXPECT_EQ(registry.Classes()[i].registration.role, Host::ClassRole::DataSheetFunction) << i;
    }
    EXPECT_NE(registry.Classes()[87].registration.role, Host::ClassRole::DataSheetFunction);
    EXPECT_EQ(registry.Classes()[0].registration.displayName, VEX::String(u"Quality: Presence"));
    EXPECT_EQ(registry.Classes()[7].registration.displayName, VEX::String(u"CCH: Bin with Minimum"));
    EXPECT_EQ(registry.Classes()[86].registration.displayName, VEX::String(u"Channel"));

    const auto session = TwoChannelSession();
    const DataSheet sheet(*session);
    ASSERT_EQ(sheet.Columns().size(), 87u);
    EXPECT_EQ(sheet.Columns()[80].className, VEX::String(u"Quality: Refractory Violations"));
    EXPECT_EQ(sheet.Columns()[1].className, VEX::String(u"Selected Unit"));
    EXPECT_EQ(sheet.Columns()[12].className, VEX::String(u"AH: Bin with Maximum"));
    EXPECT_EQ(sheet.Columns()[15].className, VEX::String(u"ISIH: Bin Size"));
    EXPECT_EQ(sheet.Columns()[15].description,
              VEX::String(u"Returns the bin size for the Interspike Interval Histogram."));
}

TEST(DataSheet, WithoutViewsOnlyChannelAndSelectedUnitHaveValues)
{
    const auto session = TwoChannelSession();
    const std::vector<DataSheetCell> row = DataSheet(*session).Row(1);
    ASSERT_EQ(row.size(), 87u);
    EXPECT_EQ(row[0].value, Host::Variant(VEX::String(u"Channel 2")));
    EXPECT_EQ(row[1].value, Host::Variant(VEX::String(u"No Unit Selected")));
    EXPECT_EQ(row[12].name, VEX::String(u"AH: Maximum at"));
    for (std::size_t i = 2; i < row.size(); ++i) {
        EXPECT_EQ(row[i].value, Host::Variant()) << row[i].name.ToUtf8();
    }
    EXPECT_EQ(row[2].units, VEX::String(u"mV"));
    EXPECT_EQ(row[5].units, VEX::String(u" "));
    EXPECT_EQ(row[15].units, VEX::String(u" s"));

    EXPECT_THROW(DataSheet(*session).Row(2), std::runtime_error);
}

TEST(DataSheetText, WritesOneLineOfThreeFieldsPerCell)
{
    EXPECT_EQ(ValueText(Host::Variant(0.1)), "0.1");
    EXPECT_EQ(ValueText(Host::Variant(1e-7)), "1e-07");
    EXPECT_EQ(ValueText(Host::Variant(std::int32_t{-12})), "-12");
    EXPECT_EQ(ValueText(Host::Variant()), "");

    std::ostringstream out;
    WriteTsv({{u"Channel", VEX::String(u"Raw\tsignal"), u" "},
              {u"AH: Selection Start", Host::Variant(), u"mV"},
              {u"AH: Total Counts", std::int32_t{3}, u" "}},
             out);
    EXPECT_EQ(out.str(), "name\tvalue\tunits\n"
                         "Channel\tRaw signal\t \n"
                         "AH: Selection Start\t\tmV\n"
                         "AH: Total Counts\t3\t \n");
}

} // namespace
