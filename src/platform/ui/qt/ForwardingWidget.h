#pragma once

// The widgets behind windows and dialogs, and the dispatch of their events
// to the windows' handlers: the backend's own.

#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "platform/ui/Controls.h"
#include "platform/ui/TWindow.h"

namespace platform::ui {

// Calls a window's handlers for its widget. Exceptions thrown by a handler
// stop at the event (Qt cannot carry them) and are reported as warnings.
class WindowDispatch {
public:
    static void Paint(TWindow& window, QWidget& widget, const QPaintEvent& event);
    static void Size(TWindow& window, const QSize& size);
    static void MousePress(TWindow& window, const QMouseEvent& event);
    static void MouseRelease(TWindow& window, const QMouseEvent& event);
    static void MouseDoubleClick(TWindow& window, const QMouseEvent& event);
    static void MouseMove(TWindow& window, const QMouseEvent& event);
    static void MouseLeave(TWindow& window);
    static void Key(TWindow& window, const QKeyEvent& event);
    // False when the timer is not one of the window's.
    static bool Timer(TWindow& window, int qtTimerId);
    static void Command(TWindow& window, std::int32_t id, ControlNotify notify);

    static void Setup(TWindow& window) { window.SetupWindow(); }
    static void Guarded(const std::function<void()>& handler);
};

std::uint32_t ModKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers KeyModifiers(std::uint32_t modKeys);
Qt::MouseButtons MouseButtons(std::uint32_t modKeys);
std::uint32_t VirtualKey(int qtKey);
int QtKey(std::uint32_t virtualKey);

// The widget of a window, forwarding its events to the window's handlers.
template <class Base>
class ForwardingWidget : public Base {
public:
    ForwardingWidget(TWindow* owner, QWidget* parent) : Base(parent), owner_(owner)
    {
        this->setMouseTracking(true);
        this->setFocusPolicy(Qt::StrongFocus);
        this->setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::white);
        this->setPalette(palette);
    }

    // The window is going away; events stop here.
    void Disown() { owner_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (owner_ != nullptr) {
            WindowDispatch::Paint(*owner_, *this, *event);
        }
    }
    void resizeEvent(QResizeEvent* event) override
    {
        Base::resizeEvent(event);
        if (owner_ != nullptr) {
            WindowDispatch::Size(*owner_, event->size());
        }
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (owner_ != nullptr) {
            WindowDispatch::MousePress(*owner_, *event);
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (owner_ != nullptr) {
            WindowDispatch::MouseRelease(*owner_, *event);
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (owner_ != nullptr) {
            WindowDispatch::MouseDoubleClick(*owner_, *event);
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (owner_ != nullptr) {
            WindowDispatch::MouseMove(*owner_, *event);
        }
    }
    void leaveEvent(QEvent* event) override
    {
        Base::leaveEvent(event);
        if (owner_ != nullptr) {
            WindowDispatch::MouseLeave(*owner_);
        }
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (owner_ != nullptr) {
            WindowDispatch::Key(*owner_, *event);
        }
        Base::keyPressEvent(event);
    }
    void timerEvent(QTimerEvent* event) override
    {
        if (owner_ == nullptr || !WindowDispatch::Timer(*owner_, event->timerId())) {
            Base::timerEvent(event);
        }
    }

    TWindow* owner_;
};

using WindowWidget = ForwardingWidget<QWidget>;

class DialogWidget : public ForwardingWidget<QDialog> {
public:
    DialogWidget(TWindow* owner, QWidget* parent) : ForwardingWidget<QDialog>(owner, parent)
    {
        // Dialogs keep the desktop's colours; only drawing windows are white.
        setAutoFillBackground(false);
        setPalette(QPalette());
    }

    // Escape and the close box cancel through the dialog's own handler.
    void reject() override
    {
        if (owner_ != nullptr) {
            WindowDispatch::Command(*owner_, IDCANCEL, ControlNotify::Clicked);
        } else {
            QDialog::reject();
        }
    }
};

} // namespace platform::ui
