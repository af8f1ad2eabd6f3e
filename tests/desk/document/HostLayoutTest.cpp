#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desk/document/DocumentError.h"
#include "desk/document/DocumentFile.h"
#include "desk/document/DocumentTestSupport.h"
#include "desk/document/HostLayout.h"

using namespace Desk;
using ::testing::HasSubstr;

namespace {

HostLayout TwoViewsAndAChart()
{
    HostLayout layout;
    layout.views.push_back({"ISIH", {{"bin-size", "0.002"}, {"page", "2"}}, {10, 20, 300, 200}});
    layout.views.push_back({"discriminator", {}, {0, 0, 640, 480}});
    layout.chart = ChartLayout{12.5, 0.25, {{-1.5, 2.0}, {0.0, 5.0}}, {0, 0, 800, 300}};
    return layout;
}

DocumentContents WithLayout(const HostLayout& layout)
{
    DocumentContents contents;
    contents.recording = {"demo", "f"};
    contents.moduleSettings = {1, 2, 3};
    StoreLayout(layout, contents);
    return contents;
}

std::string LoadError(const DocumentContents& contents)
{
    try {
        LoadLayout(contents, "saved.nrl");
    } catch (const DocumentError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(HostLayout, SurvivesTheDocumentFileInOrder)
{
    DocumentTests::TempDirectory folder;
    const std::string path = folder.File("layout.nrl");
    const HostLayout layout = TwoViewsAndAChart();
    DocumentFile(path).Save(WithLayout(layout));
    const DocumentContents reopened = DocumentFile(path).Open();
    EXPECT_EQ(LoadLayout(reopened, path), layout);
    EXPECT_EQ(reopened.moduleSettings, (std::vector<std::uint8_t>{1, 2, 3}));
}

// Documents of the command line and of earlier versions hold no layout;
// saving none must keep them as they were.
TEST(HostLayout, NoneWritesNothingAndReadsAsNone)
{
    const DocumentContents contents = WithLayout({});
    EXPECT_TRUE(contents.views.empty());
    EXPECT_TRUE(contents.values.empty());
    EXPECT_TRUE(LoadLayout(contents, "old.nrl").Empty());
}

TEST(HostLayout, RefusesMalformedEntriesNamingThem)
{
    const DocumentContents good = WithLayout(TwoViewsAndAChart());
    const auto withView = [&good](const std::string& text) {
        DocumentContents contents = good;
        contents.views[1].settings.assign(text.begin(), text.end());
        return contents;
    };
    EXPECT_THAT(LoadError(withView("{\"frame\": [0, 0, 10")),
                HasSubstr("saved.nrl: view 2 (discriminator) of the window "
                          "layout cannot be read: not a JSON object"));
    EXPECT_THAT(LoadError(withView(R"({"settings": [], "frame": [0, 0, 0, 10]})")), HasSubstr("frame has no area"));
    EXPECT_THAT(LoadError(withView(R"({"settings": [], "frame": [0, 0, 1e300, 10]})")),
                HasSubstr("frame width is not a whole number"));
    EXPECT_THAT(LoadError(withView(R"({"settings": [["page", 2]], "frame": [0, 0, 5, 10]})")),
                HasSubstr("not a [name, value] pair of texts"));
    EXPECT_THAT(LoadError(withView(R"({"frame": [0, 0, 5, 10]})")), HasSubstr("no settings"));

    DocumentContents chart = good;
    chart.values.insert_or_assign("chart_layout",
                                  R"({"start": 0, "span": 1, "scales": [[2, 1]], "frame": [0, 0, 5, 5]})");
    EXPECT_THAT(LoadError(chart), HasSubstr("the chart's layout cannot be read: a scale's minimum is not below"));
    chart.values.insert_or_assign("chart_layout", R"({"start": 0, "span": -1, "scales": [], "frame": [0, 0, 5, 5]})");
    EXPECT_THAT(LoadError(chart), HasSubstr("span is not positive"));
}

TEST(HostLayout, TellsALaterFormatFromADamagedOne)
{
    DocumentContents contents = WithLayout(TwoViewsAndAChart());
    contents.values.insert_or_assign("layout_format", "2");
    EXPECT_THAT(LoadError(contents), HasSubstr("saved.nrl: the window layout was saved by a later version"));
    contents.values.insert_or_assign("layout_format", "two");
    EXPECT_THAT(LoadError(contents), HasSubstr("layout format \"two\" is not a version number"));
}
