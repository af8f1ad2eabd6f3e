#include "graph/HistogramDrawer.h"

#include "graph/BinPlotter.h"
#include "graph/GraphMessages.h"

namespace DUdido1 {

namespace {

bool IsStyleId(std::int32_t id)
{
    return id >= kStyleBar && id <= kStyleFunction;
}

} // namespace

HistogramDrawer::HistogramDrawer()
{
    styleMenu_.AddItem(kStyleDot, u"Dot", this);
    styleMenu_.AddItem(kStyleLine, u"Line", this);
    styleMenu_.AddItem(kStyleBar, u"Bar", this);
    styleMenu_.AddItem(kStyleFilledBar, u"Filled Bar", this);
    styleMenu_.AddItem(kStyleFunction, u"Function", this);
    styleMenu_.AddItem(kStyleStep, u"Step", this);
}

BinPlotter* HistogramDrawer::HistogramPlotter() const
{
    for (std::int32_t i = 0; i < PlotterCount(); ++i) {
        if (auto* plotter = dynamic_cast<BinPlotter*>(GetPlotter(i))) {
            return plotter;
        }
    }
    return nullptr;
}

void HistogramDrawer::Receive(MessSys::Message& message)
{
    if (auto* state = dynamic_cast<PreDisplayMenuMessage*>(&message)) {
        const BinPlotter* plotter = HistogramPlotter();
        state->enabled = IsStyleId(state->id);
        state->checked = state->enabled && plotter && plotter->Style() == state->id;
    } else if (auto* choice = dynamic_cast<OnMenuItemMessage*>(&message)) {
        BinPlotter* plotter = HistogramPlotter();
        if (plotter && IsStyleId(choice->id)) {
            plotter->SetStyle(choice->id);
            Redraw();
        }
    } else {
        Graph2DDrawer::Receive(message);
    }
}

} // namespace DUdido1
