#include "graph/Plotter.h"

#include "graph/GraphBase.h"
#include "graph/PlotDataBase.h"

namespace DUdido1 {

Plotter::~Plotter()
{
    if (graph_) {
        graph_->ForgetPlotter(this);
    }
    ReleaseData();
}

void Plotter::SetPlotData(PlotDataBase* data, bool owned)
{
    if (data == data_) {
        ownsData_ = owned && data;
        return;
    }
    ReleaseData();
    data_ = data;
    ownsData_ = owned && data;
    if (data_) {
        data_->AddPlotter(this);
    }
    RequestRedraw();
}

void Plotter::DataChanged()
{
    RequestRedraw();
}

void Plotter::DataDestroyed(const PlotDataBase* data)
{
    if (data == data_) {
        data_ = nullptr;
        ownsData_ = false;
        RequestRedraw();
    }
}

void Plotter::RequestRedraw()
{
    if (graph_) {
        graph_->Redraw();
    }
}

void Plotter::ReleaseData()
{
    PlotDataBase* data = data_;
    const bool owned = ownsData_;
    data_ = nullptr;
    ownsData_ = false;
    if (data) {
        data->RemovePlotter(this);
        if (owned) {
            delete data;
        }
    }
}

} // namespace DUdido1
