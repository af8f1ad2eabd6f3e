// A window with the graph library's two kinds of graph, to look at and play
// with: a histogram (right click for its plot styles) and a 2-D graph of
// three clusters with a draggable threshold line and a free-hand contour.
//
//   nerolith-graph-demo                      a window, until it is closed
//   nerolith-graph-demo --screenshot F.png   renders once into F.png, exits

#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "desk/ui/AxisScale.h"
#include "graph/BasicAnnotation.h"
#include "graph/BinAnnotation.h"
#include "graph/BinPlotData.h"
#include "graph/BinPlotter.h"
#include "graph/Graph2DWindow.h"
#include "graph/GraphMessages.h"
#include "graph/HistogramWindow.h"
#include "graph/PlotData.h"
#include "graph/PointPlotter.h"
#include "graph/QueenFreeHand.h"
#include "graph/QueenLineH.h"
#include "platform/ui/Application.h"
#include "platform/ui/Render.h"
#include "platform/ui/TDC.h"
#include "platform/ui/TWindow.h"

namespace {

namespace ui = platform::ui;
using namespace DUdido1;

constexpr std::int32_t kBins = 60;
constexpr double kBinWidth = 0.002;
constexpr double kThreshold = 0.6;
// Room on the right and at the top for the scales' end labels.
constexpr GraphMargins kMargins{5, 10, 20, 5};

// Interspike intervals of a cell with a 3 ms refractory period: counts of a
// shifted gamma shape.
std::vector<float> IntervalCounts()
{
    std::vector<float> counts(kBins);
    for (std::int32_t i = 0; i < kBins; ++i) {
        const double x = ((i + 0.5) * kBinWidth - 0.003) / 0.008;
        counts[static_cast<std::size_t>(i)] =
            x <= 0.0 ? 0.0f : static_cast<float>(std::round(400.0 * x * x * std::exp(-x)));
    }
    return counts;
}

std::int32_t PeakBin(const std::vector<float>& counts)
{
    std::int32_t peak = 0;
    for (std::int32_t i = 1; i < static_cast<std::int32_t>(counts.size()); ++i) {
        if (counts[static_cast<std::size_t>(i)] > counts[static_cast<std::size_t>(peak)]) {
            peak = i;
        }
    }
    return peak;
}

// Spike widths (ms) and heights of three units, always the same.
void ClusterPoints(std::vector<double>& widths, std::vector<double>& heights)
{
    struct Cluster {
        double width, height, widthSd, heightSd;
        int count;
    };
    std::mt19937 random(7);
    for (const Cluster c : {Cluster{0.35, 0.9, 0.04, 0.08, 900}, Cluster{0.6, 1.5, 0.06, 0.12, 700},
                            Cluster{0.9, 0.75, 0.08, 0.06, 500}}) {
        std::normal_distribution<double> width(c.width, c.widthSd);
        std::normal_distribution<double> height(c.height, c.heightSd);
        for (int i = 0; i < c.count; ++i) {
            widths.push_back(width(random));
            heights.push_back(height(random));
        }
    }
}

// Prints what the user does to the 2-D graph's handles.
class HandleReporter : public MessSys::MessageReceiver {
public:
    explicit HandleReporter(const QueenFreeHand& contour) : contour_(contour) {}

    void Receive(MessSys::Message& message) override
    {
        const auto* end = dynamic_cast<const MessageQueenTrackEnd*>(&message);
        if (end && end->kind == kQueenKindBlob) {
            std::printf("threshold line at %.3f\n", end->position.y);
        } else if (end && end->kind == kQueenKindFreeHand) {
            std::printf("contour of %zu points\n", contour_.PointCount());
        }
        std::fflush(stdout);
    }

private:
    const QueenFreeHand& contour_;
};

class DemoWindow : public ui::TWindow {
public:
    DemoWindow() : ui::TWindow(nullptr, u"Nerolith graph demo"), histogram_(this), scatter_(this), reporter_(*contour_)
    {
        SetUpHistogram();
        SetUpScatter();
    }

    // Both graphs with their scales, where they sit in the window.
    void DrawPicture(ui::TDC& dc, const ui::TRect& rect)
    {
        dc.FillRect(rect, ui::TBrush::LightGray());
        for (ui::TWindow* graph : std::initializer_list<ui::TWindow*>{&histogram_, &scatter_}) {
            const ui::TRect place = graph->GetWindowRect();
            const std::int32_t saved = dc.SaveDC();
            dc.SetViewportOrg(dc.State().viewportOrg.OffsetBy(place.left, place.top));
            const ui::TRect local(0, 0, place.Width(), place.Height());
            if (graph == &histogram_) {
                histogram_.DrawPicture(dc, local);
            } else {
                scatter_.DrawPicture(dc, local);
            }
            dc.RestoreDC(saved);
        }
    }

protected:
    void Paint(ui::TDC& dc, bool, ui::TRect& rect) override { dc.FillRect(rect, ui::TBrush::LightGray()); }

    void EvSize(std::uint32_t, const ui::TSize& size) override
    {
        const std::int32_t half = size.cx / 2;
        histogram_.MoveWindow(0, 0, half, size.cy);
        scatter_.MoveWindow(half, 0, size.cx - half, size.cy);
    }

private:
    void SetUpHistogram()
    {
        histogram_.Create();
        histogram_.SetMargins(kMargins);
        const std::vector<float> counts = IntervalCounts();
        bins_.SetExtent(0.0, kBins * kBinWidth);
        bins_.SetBinWidth(kBinWidth);
        bins_.SetBinCount(kBins);
        for (std::int32_t i = 0; i < kBins; ++i) {
            bins_.SetCount(i, counts[static_cast<std::size_t>(i)]);
        }
        auto* plotter = new BinPlotter;
        plotter->SetStyle(kStyleFilledBar);
        plotter->SetBinWidth(kBinWidth);
        plotter->SetPlotData(&bins_);
        histogram_.AddPlotter(plotter, true);
        histogram_.AddAnnotation(new BinAnnotation(bins_, PeakBin(counts), u"mode"), true);
        const double top = counts[static_cast<std::size_t>(PeakBin(counts))] * 1.15;
        histogram_.SetDefaultDomain(0.0, kBins * kBinWidth);
        histogram_.SetDefaultRange(0.0, top);
        histogram_.SetDomain(0.0, kBins * kBinWidth);
        histogram_.SetRange(0.0, top);
        histogram_.SetAxisTitles(u"Time", u"Counts/bin");
        histogram_.SetAxisUnits(u"s", u"");
    }

    void SetUpScatter()
    {
        scatter_.Create();
        scatter_.SetMargins(kMargins);
        std::vector<double> widths;
        std::vector<double> heights;
        ClusterPoints(widths, heights);
        points_.SetPoints(std::move(widths), std::move(heights));
        auto* plotter = new PointPlotter;
        plotter->SetColour(ui::RGB(255, 0, 0));
        plotter->SetPlotData(&points_);
        scatter_.AddPlotter(plotter, true);

        threshold_->SetPosition(0.0, kThreshold);
        threshold_->SetFillColour(ui::kGray);
        scatter_.AddQueen(threshold_, true);
        scatter_.AddQueen(contour_, true);
        threshold_->Attach(&reporter_);
        contour_->Attach(&reporter_);
        scatter_.AddAnnotation(new BasicAnnotation(0.05, 2.0, u"Drag the grey line; draw around a cluster"), true);

        scatter_.SetDefaultDomain(0.0, 1.4);
        scatter_.SetDefaultRange(0.0, 2.1);
        scatter_.SetDomain(0.0, 1.4);
        scatter_.SetRange(0.0, 2.1);
        scatter_.SetAxisTitles(u"Width", u"Height");
        scatter_.SetAxisUnits(u"ms", u"V");
    }

    HistogramWindow histogram_;
    Graph2DWindow scatter_;
    BinPlotData bins_;
    VectorPlotData points_;
    QueenLineH* threshold_ = new QueenLineH;
    QueenFreeHand* contour_ = new QueenFreeHand;
    HandleReporter reporter_;
};

int Run(int argc, char** argv)
{
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--screenshot FILE.png]\n", argv[0]);
            return 2;
        }
    }

    ui::EnsureApplication();
    Desk::ui::AxisScale::Register();
    DemoWindow window;
    window.Create();
    window.MoveWindow(40, 40, 1000, 420);
    window.Show();
    if (screenshot.empty()) {
        return ui::RunEventLoop();
    }
    ui::ProcessEvents(100);
    const ui::TRect client = window.GetClientRect();
    ui::SavePng(VEX::String::FromUtf8(screenshot), client.Size(),
                [&window](ui::TDC& dc, const ui::TRect& rect) { window.DrawPicture(dc, rect); });
    std::printf("wrote %s\n", screenshot.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nerolith-graph-demo: %s\n", error.what());
        return 1;
    }
}
