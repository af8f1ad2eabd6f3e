#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/ui/AxisScale.h"
#include "platform/ui/TDC.h"
#include "platform/ui/TWindow.h"

namespace graphtest {

namespace ui = platform::ui;

// An axis scale whose ticks the test chooses, and through which the test
// acts as the user dragging the axis or pressing its autoscale button.
class FakeAxisScale : public ui::IAxisScale {
public:
    FakeAxisScale(ui::TWindow& parent, ui::AxisOrientation orientation)
        : window_(&parent), orientation_(orientation)
    {
    }

    std::vector<std::int32_t> ticks;
    std::int32_t firstTick = 0;
    double stepPixels = 0.0;
    std::int32_t thickness = 20;
    ui::TRect placedBeside;

    void UserDrags(double minimum, double maximum)
    {
        for (auto* o : observers_) {
            o->OnBeginDrag(*this);
        }
        extent_ = {minimum, maximum};
        for (auto* o : observers_) {
            o->OnScalingChanged(*this);
        }
        for (auto* o : observers_) {
            o->OnEndDrag(*this);
        }
    }
    void UserAutoScales()
    {
        extent_ = default_;
        for (auto* o : observers_) {
            o->OnAutoScale(*this);
        }
    }
    std::size_t ObserverCount() const { return observers_.size(); }

    ui::TWindow& Window() override { return window_; }
    ui::AxisOrientation Orientation() const override { return orientation_; }
    void Attach(ui::IDragScaleObserver* observer) override { observers_.push_back(observer); }
    void Detach(ui::IDragScaleObserver* observer) override { std::erase(observers_, observer); }
    bool SetExtent(double minimum, double maximum) override { return Set(extent_, minimum, maximum); }
    std::pair<double, double> GetExtent() const override { return extent_; }
    bool SetDefaultExtent(double minimum, double maximum) override { return Set(default_, minimum, maximum); }
    std::pair<double, double> GetDefaultExtent() const override { return default_; }
    bool SetLimits(double minimum, double maximum) override { return Set(limits_, minimum, maximum); }
    std::pair<double, double> GetLimits() const override { return limits_; }
    void SetUnitText(const VEX::String& unit) override { unit_ = unit; }
    void SetTitle(const VEX::String&) override {}
    void Show(bool visible) override { shown_ = visible; }
    bool IsShown() const override { return shown_; }
    void PlaceBeside(const ui::TRect& plotRect) override { placedBeside = plotRect; }
    std::int32_t Thickness() const override { return thickness; }
    std::vector<std::int32_t> TickPositions() const override { return ticks; }
    std::int32_t FirstTickOffset() const override { return firstTick; }
    double TickStepPixels() const override { return stepPixels; }
    double TickStep() const override { return 1.0; }
    std::int32_t PixelExtent() const override
    {
        return orientation_ == ui::AxisOrientation::Horizontal ? placedBeside.Width() : placedBeside.Height();
    }
    void Draw(ui::TDC& dc, const ui::TRect& plotRect) const override
    {
        dc.SelectObject(ui::TPen(ui::kBlack));
        if (orientation_ == ui::AxisOrientation::Horizontal) {
            dc.MoveTo(plotRect.left, plotRect.bottom);
            dc.LineTo(plotRect.right, plotRect.bottom);
        } else {
            dc.MoveTo(plotRect.left - 1, plotRect.top);
            dc.LineTo(plotRect.left - 1, plotRect.bottom);
        }
    }

private:
    static bool Set(std::pair<double, double>& slot, double minimum, double maximum)
    {
        if (!(maximum > minimum)) {
            return false;
        }
        slot = {minimum, maximum};
        return true;
    }

    ui::TWindow window_;
    ui::AxisOrientation orientation_;
    std::vector<ui::IDragScaleObserver*> observers_;
    std::pair<double, double> extent_{0.0, 1.0};
    std::pair<double, double> default_{0.0, 1.0};
    std::pair<double, double> limits_{-1e300, 1e300};
    VEX::String unit_;
    bool shown_ = true;
};

// Makes every graph window created while it lives get fake scales.
class FakeScaleFactory {
public:
    FakeScaleFactory()
    {
        ui::SetAxisScaleFactory([](ui::TWindow& parent, ui::AxisOrientation orientation) {
            return std::make_unique<FakeAxisScale>(parent, orientation);
        });
    }
    ~FakeScaleFactory() { ui::SetAxisScaleFactory({}); }
};

} // namespace graphtest
