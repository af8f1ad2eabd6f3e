#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/error/XVEX.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Print.h"
#include "platform/ui/RecordingDC.h"
#include "platform/ui/Render.h"
#include "platform/ui/TDC.h"
#include "platform/ui/TWindow.h"

namespace platform::ui {
namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);

void Picture(TDC& dc, const TRect& rect)
{
    dc.FillRect(rect, TBrush::White());
    dc.FillRect(TRect(rect.left, rect.top, rect.left + 10, rect.top + 10), TBrush(kGreen));
    dc.TextOut(rect.left + 12, rect.top + 2, u"ISI");
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SquareWindow : public TWindow {
protected:
    void Paint(TDC& dc, bool, TRect&) override { Picture(dc, GetClientRect()); }
};

class TwoPages : public TPrintout {
public:
    TwoPages() : TPrintout(u"Rate Meter View") {}
    std::int32_t PageCount() const override { return 2; }
    void PrintPage(TDC& dc, std::int32_t page, const TRect& rect) override
    {
        dpi = dc.GetDeviceCaps(DeviceCap::LogPixelsX);
        pages.push_back(page);
        Picture(dc, rect);
    }
    std::int32_t dpi = 0;
    std::vector<std::int32_t> pages;
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("nerolith-render-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(dir_);
        automation::Reset();
    }
    VEX::String PathOf(const char* name) const { return VEX::String::FromUtf8((dir_ / name).string()); }

    std::filesystem::path dir_;
};

TEST_F(RenderTest, WindowRendersToPngSvgAndPdfFiles)
{
    SquareWindow window;
    window.MoveWindow(0, 0, 60, 40);
    const PaintFunction paint = PaintOf(window);
    SavePng(PathOf("w.png"), {60, 40}, paint);
    SaveSvg(PathOf("w.svg"), {60, 40}, paint);
    SavePdf(PathOf("w.pdf"), {60, 40}, paint);

    EXPECT_EQ(TBitmap::FromPng(ReadAll(dir_ / "w.png")).CountPixels(kGreen), 100);
    const std::string svg = ReadAll(dir_ / "w.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("ISI"), std::string::npos);
    EXPECT_EQ(ReadAll(dir_ / "w.pdf").rfind("%PDF", 0), 0u);
}

TEST_F(RenderTest, WindowPaintedIntoPartOfAPictureKeepsToThatPart)
{
    SquareWindow window;
    window.MoveWindow(0, 0, 60, 40);
    const TBitmap bitmap = RenderBitmap({100, 50}, [&window](TDC& dc, const TRect&) {
        PaintOf(window)(dc, TRect(50, 5, 100, 50));
    });
    EXPECT_EQ(bitmap.CountPixels(kGreen, TRect(50, 5, 60, 15)), 100);
    EXPECT_EQ(bitmap.CountPixels(kGreen), 100);
}

TEST_F(RenderTest, BadTargetsGiveClearErrors)
{
    const PaintFunction paint = Picture;
    EXPECT_THROW(SavePng(PathOf("missing/dir/w.png"), {10, 10}, paint), VEX::XVEX);
    EXPECT_THROW(RenderPng({0, 10}, paint), VEX::XVEX);
    EXPECT_THROW(TBitmap::FromPng("not a picture"), VEX::XVEX);
    EXPECT_THROW(SaveSvg(PathOf("missing/dir/w.svg"), {10, 10}, paint), VEX::XVEX);
    EXPECT_THROW(TBitmap(4, 4).SavePng(PathOf("missing/dir/b.png")), VEX::XVEX);
}

TEST_F(RenderTest, SavingReplacesTheWholeFile)
{
    std::ofstream(dir_ / "w.png") << std::string(100000, 'x');
    const PaintFunction paint = Picture;
    SavePng(PathOf("w.png"), {10, 10}, paint);
    EXPECT_EQ(ReadAll(dir_ / "w.png"), RenderPng({10, 10}, paint));
}

TEST_F(RenderTest, PrintoutPrintsEveryPageAtPrinterResolution)
{
    TwoPages printout;
    PrintToPdf(printout, PathOf("p.pdf"));
    EXPECT_EQ(printout.pages, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(printout.dpi, 300);
    EXPECT_GT(std::filesystem::file_size(dir_ / "p.pdf"), 500u);
    EXPECT_THROW(PrintToPdf(printout, PathOf("missing/dir/p.pdf")), VEX::XVEX);

    automation::QueueFileAnswer(PathOf("chosen"));
    EXPECT_TRUE(Print(printout, nullptr));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "chosen.pdf"));
    PrintPreview(printout, nullptr);
    EXPECT_EQ(automation::ShownPrintPreviews(), (std::vector<std::int32_t>{2}));
}

} // namespace
} // namespace platform::ui
