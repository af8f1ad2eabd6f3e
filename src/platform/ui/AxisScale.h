#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {

class IAxisScale;
class TDC;
class TWindow;

// Told what the user does to an axis scale.
class IDragScaleObserver {
public:
    // The user pressed on the axis to drag it.
    virtual void OnBeginDrag(IAxisScale& scale) = 0;
    // The user let go; the extent is final.
    virtual void OnEndDrag(IAxisScale& scale) = 0;
    // The extent changed by a drag; read it with GetExtent.
    virtual void OnScalingChanged(IAxisScale& scale) = 0;
    // The autoscale button was pressed; the scale is back at its default extent.
    virtual void OnAutoScale(IAxisScale& scale) = 0;

protected:
    ~IDragScaleObserver() = default;
};

enum class AxisOrientation : std::uint8_t {
    Horizontal, // below the plot, values growing to the right
    Vertical,   // left of the plot, values growing upwards
};

// One axis beside a plot: tick marks, tick labels, the unit text and title,
// dragging to rescale and an autoscale button, in a child window of its own.
//
// Pixel offsets count from the scale's origin: the plot's left edge for a
// horizontal scale, its top edge for a vertical one. Ticks sit at the
// multiples of the tick step (1, 2 or 5 times a power of ten) inside the
// extent: the smallest such step whose ticks lie at least 50 pixels apart
// on a horizontal scale, 30 on a vertical one.
class IAxisScale {
public:
    virtual ~IAxisScale() = default;

    // The scale's child window (for showing, hiding and stacking).
    virtual TWindow& Window() = 0;
    virtual AxisOrientation Orientation() const = 0;

    // Observers are not owned; detach before an observer goes away.
    virtual void Attach(IDragScaleObserver* observer) = 0;
    virtual void Detach(IDragScaleObserver* observer) = 0;

    // Extents as (minimum, maximum). A pair that is not finite or whose
    // maximum is not above its minimum is refused (false, nothing changes).
    virtual bool SetExtent(double minimum, double maximum) = 0;
    virtual std::pair<double, double> GetExtent() const = 0;
    virtual bool SetDefaultExtent(double minimum, double maximum) = 0;
    virtual std::pair<double, double> GetDefaultExtent() const = 0;
    // How far the user may drag (only drags are held to them); by default
    // unlimited.
    virtual bool SetLimits(double minimum, double maximum) = 0;
    virtual std::pair<double, double> GetLimits() const = 0;
    virtual void SetUnitText(const VEX::String& unit) = 0;
    virtual void SetTitle(const VEX::String& title) = 0;
    virtual void Show(bool visible) = 0;
    virtual bool IsShown() const = 0;

    // Places the scale beside a plot rectangle given in the parent's client
    // coordinates; the plot's width (height) becomes the pixel extent.
    virtual void PlaceBeside(const TRect& plotRect) = 0;
    // The room the scale takes beside the plot, in pixels: its height below
    // the plot (horizontal) or its width left of it (vertical).
    virtual std::int32_t Thickness() const = 0;

    // Pixel offsets of the ticks, in order from the origin; empty when the
    // pixel extent is below 2 pixels.
    virtual std::vector<std::int32_t> TickPositions() const = 0;
    // The same ticks as a regular lattice walked from the far end towards
    // the origin: the offset of the tick farthest from the origin, and the
    // (negative) pixel distance to the next one.
    virtual std::int32_t FirstTickOffset() const = 0;
    virtual double TickStepPixels() const = 0;
    // The tick step in data units.
    virtual double TickStep() const = 0;
    virtual std::int32_t PixelExtent() const = 0;

    // Draws the scale into a device context beside a plot rectangle, as on
    // screen (copies and printouts).
    virtual void Draw(TDC& dc, const TRect& plotRect) const = 0;
};

// How a scale is made; the host registers one when it starts.
using AxisScaleFactory = std::function<std::unique_ptr<IAxisScale>(TWindow& parent, AxisOrientation orientation)>;
PLATFORM_API void SetAxisScaleFactory(AxisScaleFactory factory);
// None when no factory is registered or it fails; the plot then goes
// without that axis.
PLATFORM_API std::unique_ptr<IAxisScale> CreateAxisScale(TWindow& parent, AxisOrientation orientation);

} // namespace platform::ui
