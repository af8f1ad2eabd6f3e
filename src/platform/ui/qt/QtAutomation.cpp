#include "platform/ui/qt/QtBackend.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include "platform/error/XVEX.h"
#include "platform/ui/qt/ForwardingWidget.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/QtWindowPeer.h"

namespace platform::ui {

namespace {

using automation::MouseAction;
using automation::MouseButton;

QWidget& WidgetOf(TWindow& window)
{
    QWidget* widget = Peer(window).Widget();
    if (widget == nullptr) {
        throw VEX::XVEX("The window is gone.");
    }
    return *widget;
}

Qt::MouseButton QtButton(MouseButton button)
{
    switch (button) {
    case MouseButton::Left:
        return Qt::LeftButton;
    case MouseButton::Right:
        return Qt::RightButton;
    case MouseButton::Middle:
        return Qt::MiddleButton;
    case MouseButton::None:
        break;
    }
    return Qt::NoButton;
}

QEvent::Type QtMouseType(MouseAction action)
{
    switch (action) {
    case MouseAction::Press:
        return QEvent::MouseButtonPress;
    case MouseAction::Release:
        return QEvent::MouseButtonRelease;
    case MouseAction::DoubleClick:
        return QEvent::MouseButtonDblClick;
    case MouseAction::Move:
        break;
    }
    return QEvent::MouseMove;
}

// The buttons held after the action: the pressed one added, the released
// one taken away.
Qt::MouseButtons HeldButtons(MouseAction action, Qt::MouseButton button, std::uint32_t modKeys)
{
    Qt::MouseButtons held = MouseButtons(modKeys);
    if (action == MouseAction::Press || action == MouseAction::DoubleClick) {
        held |= button;
    } else if (action == MouseAction::Release) {
        held &= ~Qt::MouseButtons(button);
    }
    return held;
}

template <class Widget>
Widget& ControlWidget(TWindow& window, std::int32_t controlId, const char* what)
{
    auto* widget = qobject_cast<Widget*>(Peer(window).ControlById(controlId).widget.data());
    if (widget == nullptr) {
        throw VEX::XVEX("Control " + std::to_string(controlId) + " is not " + what + ".");
    }
    return *widget;
}

} // namespace

void QtBackend::SendMouse(TWindow& window, MouseAction action, MouseButton button, const TPoint& point, std::uint32_t modKeys)
{
    QWidget& widget = WidgetOf(window);
    const Qt::MouseButton qtButton = action == MouseAction::Move ? Qt::NoButton : QtButton(button);
    const QPointF local(point.x, point.y);
    QMouseEvent event(QtMouseType(action), local, widget.mapToGlobal(local), qtButton,
                      HeldButtons(action, qtButton, modKeys), KeyModifiers(modKeys));
    QCoreApplication::sendEvent(&widget, &event);
}

void QtBackend::SendMouseLeave(TWindow& window)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&WidgetOf(window), &event);
}

void QtBackend::SendChar(TWindow& window, char16_t character)
{
    QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(character)));
    QCoreApplication::sendEvent(&WidgetOf(window), &event);
}

void QtBackend::SendKey(TWindow& window, std::uint32_t virtualKey, std::uint32_t modKeys)
{
    QKeyEvent event(QEvent::KeyPress, QtKey(virtualKey), KeyModifiers(modKeys));
    QCoreApplication::sendEvent(&WidgetOf(window), &event);
}

void QtBackend::Click(TWindow& window, std::int32_t controlId)
{
    // A disabled control ignores the click, as it ignores a user's.
    ControlWidget<QAbstractButton>(window, controlId, "a button").click();
}

void QtBackend::ChooseItem(TWindow& window, std::int32_t controlId, std::int32_t index)
{
    auto& combo = ControlWidget<QComboBox>(window, controlId, "a combo box");
    if (index < 0 || index >= combo.count()) {
        throw VEX::XVEX("Combo box " + std::to_string(controlId) + " has no item " + std::to_string(index) + ".");
    }
    if (combo.isEnabled()) {
        combo.setCurrentIndex(index);
        WindowDispatch::Command(window, controlId, ControlNotify::SelChange);
    }
}

void QtBackend::TypeText(TWindow& window, std::int32_t controlId, const VEX::String& text)
{
    auto& edit = ControlWidget<QLineEdit>(window, controlId, "an edit");
    if (edit.isEnabled()) {
        edit.setText(qt::ToQString(text));
        WindowDispatch::Command(window, controlId, ControlNotify::EditChange);
    }
}

void QtBackend::ChooseColour(TWindow& window, std::int32_t controlId, std::uint32_t colour)
{
    window.SetColour(controlId, colour);
    WindowDispatch::Command(window, controlId, ControlNotify::ColourChange);
}

} // namespace platform::ui
