#pragma once

#include <optional>
#include <vector>

#include "desk/ui/TickRule.h"
#include "platform/ui/AxisScale.h"
#include "platform/ui/TWindow.h"

namespace Desk::ui {

// The host's axis scale: ticks, tick labels and a "title (unit)" line beside
// one axis of a plot, in a child window of the plot's window.
//
// Dragging on the axis rescales it: the minimum stays put and the value
// grabbed stays under the pointer. With Shift held, or when grabbed right at
// the minimum, the drag moves the whole extent instead. Drags keep within
// the limits. The autoscale button puts the default extent back.
// Drawn into a printer's context, sizes grow with its resolution.
class AxisScale : public platform::ui::TWindow, public platform::ui::IAxisScale {
public:
    static constexpr std::int32_t kAutoScaleButton = 1;
    static constexpr std::int32_t kHorizontalThickness = 36;
    static constexpr std::int32_t kVerticalThickness = 60;

    AxisScale(platform::ui::TWindow& parent, platform::ui::AxisOrientation orientation);
    ~AxisScale() override;

    // Makes the platform create axis scales of this kind.
    static void Register();

    platform::ui::TWindow& Window() override { return *this; }
    platform::ui::AxisOrientation Orientation() const override { return orientation_; }
    void Attach(platform::ui::IDragScaleObserver* observer) override;
    void Detach(platform::ui::IDragScaleObserver* observer) override;
    bool SetExtent(double minimum, double maximum) override;
    std::pair<double, double> GetExtent() const override { return extent_; }
    bool SetDefaultExtent(double minimum, double maximum) override;
    std::pair<double, double> GetDefaultExtent() const override { return defaultExtent_; }
    bool SetLimits(double minimum, double maximum) override;
    std::pair<double, double> GetLimits() const override { return limits_; }
    void SetUnitText(const VEX::String& unit) override;
    void SetTitle(const VEX::String& title) override;
    void Show(bool visible) override;
    bool IsShown() const override { return shown_; }
    void PlaceBeside(const platform::ui::TRect& plotRect) override;
    std::int32_t Thickness() const override;
    std::vector<std::int32_t> TickPositions() const override;
    std::int32_t FirstTickOffset() const override;
    double TickStepPixels() const override;
    double TickStep() const override;
    std::int32_t PixelExtent() const override { return pixelExtent_; }
    void Draw(platform::ui::TDC& dc, const platform::ui::TRect& plotRect) const override;

    // The label written at a tick, with as many decimals as the step needs.
    static VEX::String FormatTick(double value, double step);

protected:
    void Paint(platform::ui::TDC& dc, bool erase, platform::ui::TRect& rect) override;
    void EvLButtonDown(std::uint32_t modKeys, const platform::ui::TPoint& point) override;
    void EvMouseMove(std::uint32_t modKeys, const platform::ui::TPoint& point) override;
    void EvLButtonUp(std::uint32_t modKeys, const platform::ui::TPoint& point) override;
    void EvCommand(std::int32_t id, platform::ui::ControlNotify notify) override;

private:
    struct Drag {
        std::int32_t startOffset = 0;
        std::pair<double, double> startExtent;
        bool pan = false;
    };

    bool IsHorizontal() const { return orientation_ == platform::ui::AxisOrientation::Horizontal; }
    TickLayout Ticks() const;
    VEX::String Caption() const;
    // The pixel distance from the minimum's end of the axis.
    std::int32_t OffsetFromMinimum(const platform::ui::TPoint& point) const;
    std::pair<double, double> DraggedExtent(std::int32_t offset) const;
    std::pair<double, double> WithinLimits(std::pair<double, double> extent, bool keepSpan) const;
    void PlaceAutoScaleButton();
    void DrawHorizontal(platform::ui::TDC& dc, const platform::ui::TRect& plot) const;
    void DrawVertical(platform::ui::TDC& dc, const platform::ui::TRect& plot) const;
    void DrawVerticalCaption(platform::ui::TDC& dc, platform::ui::TFont font, const platform::ui::TRect& plot) const;
    template <class Call>
    void Notify(Call call);

    platform::ui::AxisOrientation orientation_;
    std::vector<platform::ui::IDragScaleObserver*> observers_;
    std::pair<double, double> extent_{0.0, 1.0};
    std::pair<double, double> defaultExtent_{0.0, 1.0};
    std::pair<double, double> limits_;
    VEX::String unit_;
    VEX::String title_;
    bool shown_ = true;
    // The plot's rectangle in this window's coordinates.
    platform::ui::TRect plot_;
    std::int32_t pixelExtent_ = 0;
    std::optional<Drag> drag_;
};

} // namespace Desk::ui
