#include <QPointer>

#include "platform/ui/qt/QtBridge.h"

namespace platform::ui::qt {

namespace {

QPointer<QWidget>& Owner()
{
    static auto* owner = new QPointer<QWidget>;
    return *owner;
}

} // namespace

void SetDialogOwner(QWidget* owner) { Owner() = owner; }

QWidget* DialogOwner() { return Owner().data(); }

QWidget* OwnerWidget(const TWindow* owner)
{
    QWidget* widget = owner != nullptr ? NativeWidget(*owner) : nullptr;
    return widget != nullptr ? widget : DialogOwner();
}

} // namespace platform::ui::qt
