#include "platform/ui/TWindow.h"

#include <algorithm>

#include "platform/ui/Backend.h"

namespace platform::ui {

TWindow::TWindow(TWindow* parent, const VEX::String& title) : TWindow(parent, title, Kind::Plain) {}

TWindow::TWindow(TWindow* parent, const VEX::String& title, Kind kind) : impl_(std::make_unique<Impl>())
{
    impl_->parent = parent;
    impl_->kind = kind;
    impl_->title = title;
    impl_->peer = TheBackend().MakeWindow(*this, parent, kind == Kind::Dialog);
    impl_->peer->SetTitle(title);
    if (parent != nullptr) {
        parent->impl_->children.push_back(this);
    }
}

TWindow::~TWindow()
{
    for (TWindow* child : impl_->children) {
        child->impl_->parent = nullptr;
    }
    if (impl_->parent != nullptr) {
        std::erase(impl_->parent->impl_->children, this);
    }
}

void TWindow::Create()
{
    if (impl_->created) {
        return;
    }
    impl_->created = true;
    SetupWindow();
}

bool TWindow::IsCreated() const
{
    return impl_->created;
}

TWindow* TWindow::GetParent() const
{
    return impl_->parent;
}

void TWindow::SetCaption(const VEX::String& title)
{
    impl_->title = title;
    impl_->peer->SetTitle(title);
}

VEX::String TWindow::GetCaption() const
{
    return impl_->title;
}

TRect TWindow::GetClientRect() const
{
    return impl_->peer->ClientRect();
}

TRect TWindow::GetWindowRect() const
{
    return impl_->peer->WindowRect();
}

void TWindow::MoveWindow(const TRect& rect, bool repaint)
{
    impl_->peer->Move(rect, repaint);
}

void TWindow::Show(bool visible)
{
    if (visible) {
        Create();
    }
    impl_->peer->Show(visible, visible && impl_->parent == nullptr && impl_->kind == Kind::Plain);
}

bool TWindow::IsVisible() const
{
    return impl_->peer->IsVisible();
}

void TWindow::SetFocus()
{
    impl_->peer->SetFocus();
}

void TWindow::Invalidate(bool)
{
    impl_->peer->Invalidate();
}

void TWindow::InvalidateRect(const TRect& rect, bool)
{
    impl_->peer->InvalidateRect(rect);
}

void TWindow::UpdateWindow()
{
    impl_->peer->Update();
}

TPoint TWindow::ClientToScreen(const TPoint& p) const
{
    return impl_->peer->ClientToScreen(p);
}

TPoint TWindow::ScreenToClient(const TPoint& p) const
{
    return impl_->peer->ScreenToClient(p);
}

bool TWindow::SetTimer(std::uint32_t id, std::uint32_t milliseconds)
{
    return impl_->peer->SetTimer(id, milliseconds);
}

bool TWindow::KillTimer(std::uint32_t id)
{
    return impl_->peer->KillTimer(id);
}

void TWindow::SetCapture()
{
    impl_->hasCapture = true;
    impl_->peer->GrabMouse();
}

void TWindow::ReleaseCapture()
{
    if (impl_->hasCapture) {
        impl_->peer->ReleaseMouse();
    }
    impl_->hasCapture = false;
}

bool TWindow::HasCapture() const
{
    return impl_->hasCapture;
}

void TWindow::PaintTo(TDC& dc)
{
    TRect rect = GetClientRect();
    Paint(dc, true, rect);
}

void TWindow::SetupWindow()
{
    // A copy: a child's setup may make further children.
    const std::vector<TWindow*> children = impl_->children;
    for (TWindow* child : children) {
        if (child->impl_->kind == Kind::Plain) {
            child->Create();
        }
    }
}

void TWindow::Paint(TDC&, bool, TRect&) {}
void TWindow::EvSize(std::uint32_t, const TSize&) {}
void TWindow::EvLButtonDown(std::uint32_t, const TPoint&) {}
void TWindow::EvLButtonUp(std::uint32_t, const TPoint&) {}
void TWindow::EvLButtonDblClk(std::uint32_t, const TPoint&) {}
void TWindow::EvRButtonDown(std::uint32_t, const TPoint&) {}
void TWindow::EvRButtonUp(std::uint32_t, const TPoint&) {}
void TWindow::EvMouseMove(std::uint32_t, const TPoint&) {}
void TWindow::EvMouseLeave() {}
void TWindow::EvChar(std::uint32_t, std::uint32_t, std::uint32_t) {}
void TWindow::EvKeyDown(std::uint32_t, std::uint32_t, std::uint32_t) {}
void TWindow::EvTimer(std::uint32_t) {}
void TWindow::EvCommand(std::int32_t, ControlNotify) {}

} // namespace platform::ui
