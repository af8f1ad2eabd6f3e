// The controls a window holds, addressed by id; the peer holds them.

#include "platform/ui/TWindow.h"

#include "platform/ui/WindowPeer.h"

namespace platform::ui {

void TWindow::AddControl(const ControlTemplate& layout)
{
    impl_->peer->AddControl(layout);
}

bool TWindow::HasControl(std::int32_t id) const
{
    return impl_->peer->HasControl(id);
}

void TWindow::SetControlFont(const TFont& font)
{
    impl_->peer->SetControlFont(font);
}

void TWindow::SetControlText(std::int32_t id, const VEX::String& text)
{
    impl_->peer->SetControlText(id, text);
}

VEX::String TWindow::GetControlText(std::int32_t id) const
{
    return impl_->peer->GetControlText(id);
}

void TWindow::EnableControl(std::int32_t id, bool enabled)
{
    impl_->peer->EnableControl(id, enabled);
}

bool TWindow::IsControlEnabled(std::int32_t id) const
{
    return impl_->peer->IsControlEnabled(id);
}

void TWindow::ShowControl(std::int32_t id, bool visible)
{
    impl_->peer->ShowControl(id, visible);
}

void TWindow::MoveControl(std::int32_t id, const TRect& bounds)
{
    impl_->peer->MoveControl(id, bounds);
}

void TWindow::SetControlTooltip(std::int32_t id, const VEX::String& text)
{
    impl_->peer->SetControlTooltip(id, text);
}

VEX::String TWindow::GetControlTooltip(std::int32_t id) const
{
    return impl_->peer->GetControlTooltip(id);
}

void TWindow::SetControlFocus(std::int32_t id)
{
    impl_->peer->SetControlFocus(id);
}

void TWindow::SetNumber(std::int32_t id, double value)
{
    impl_->peer->SetNumber(id, value);
}

std::optional<double> TWindow::GetNumber(std::int32_t id) const
{
    return impl_->peer->GetNumber(id);
}

std::optional<VEX::String> TWindow::NumberError(std::int32_t id) const
{
    return impl_->peer->NumberError(id);
}

void TWindow::SetCheck(std::int32_t id, bool checked)
{
    impl_->peer->SetCheck(id, checked);
}

bool TWindow::IsChecked(std::int32_t id) const
{
    return impl_->peer->IsChecked(id);
}

void TWindow::ClearItems(std::int32_t id)
{
    impl_->peer->ClearItems(id);
}

std::int32_t TWindow::AddItem(std::int32_t id, const VEX::String& text, std::int64_t data)
{
    return impl_->peer->AddItem(id, text, data);
}

std::int32_t TWindow::GetItemCount(std::int32_t id) const
{
    return impl_->peer->GetItemCount(id);
}

VEX::String TWindow::GetItemText(std::int32_t id, std::int32_t index) const
{
    return impl_->peer->GetItemText(id, index);
}

std::int64_t TWindow::GetItemData(std::int32_t id, std::int32_t index) const
{
    return impl_->peer->GetItemData(id, index);
}

bool TWindow::SetSelIndex(std::int32_t id, std::int32_t index)
{
    return impl_->peer->SetSelIndex(id, index);
}

std::int32_t TWindow::GetSelIndex(std::int32_t id) const
{
    return impl_->peer->GetSelIndex(id);
}

void TWindow::SetItemColour(std::int32_t id, std::int32_t index, COLORREF colour)
{
    impl_->peer->SetItemColour(id, index, colour);
}

std::optional<COLORREF> TWindow::GetItemColour(std::int32_t id, std::int32_t index) const
{
    return impl_->peer->GetItemColour(id, index);
}

void TWindow::SetColour(std::int32_t id, COLORREF colour)
{
    impl_->peer->SetColour(id, colour);
}

COLORREF TWindow::GetColour(std::int32_t id) const
{
    return impl_->peer->GetColour(id);
}

} // namespace platform::ui
