#pragma once

class QPrinter;

namespace Desk {

class ChartView;

// Prints the chart as it is on screen (traces, axes, selection and event
// ticks) on one landscape page under its title, scaled to the page width.
// False when the printer cannot be opened.
bool PrintChart(ChartView& chart, QPrinter& printer);

} // namespace Desk
