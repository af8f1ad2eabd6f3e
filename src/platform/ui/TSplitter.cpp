#include "platform/ui/TSplitter.h"

#include "platform/ui/Backend.h"

namespace platform::ui {

struct TSplitter::Parts {
    std::unique_ptr<SplitterPeer> peer;
};

TSplitter::TSplitter(TWindow* parent, const VEX::String& title)
    : TWindow(parent, title), parts_(std::make_unique<Parts>())
{
    parts_->peer = TheBackend().MakeSplitter(*this);
}

TSplitter::~TSplitter() = default;

void TSplitter::Split(TWindow& left, TWindow& right, double leftShare)
{
    parts_->peer->Split(left, right, leftShare);
}

std::int32_t TSplitter::SplitPosition() const
{
    return parts_->peer->SplitPosition();
}

TRect TSplitter::HandleRect() const
{
    return parts_->peer->HandleRect();
}

void TSplitter::EvSize(std::uint32_t, const TSize& size)
{
    parts_->peer->Resize(size);
}

namespace automation {

void DragSplitter(TSplitter& splitter, std::int32_t x)
{
    splitter.parts_->peer->Drag(x);
}

} // namespace automation

} // namespace platform::ui
