#include "desk/window/MessagePresenter.h"

#include <QMessageBox>

#include "desk/window/QtText.h"

namespace Desk {

namespace {

QMessageBox::StandardButtons ButtonsOf(Host::MessageButtons buttons)
{
    switch (buttons) {
    case Host::MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Host::MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Host::MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Host::MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(Host::MessageIcon icon)
{
    switch (icon) {
    case Host::MessageIcon::Stop:
        return QMessageBox::Critical;
    case Host::MessageIcon::Question:
        return QMessageBox::Question;
    case Host::MessageIcon::Warning:
        return QMessageBox::Warning;
    case Host::MessageIcon::Information:
        return QMessageBox::Information;
    case Host::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

Host::MessageAnswer AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Host::MessageAnswer::Yes;
    case QMessageBox::No:
        return Host::MessageAnswer::No;
    case QMessageBox::Cancel:
        return Host::MessageAnswer::Cancel;
    default:
        return Host::MessageAnswer::Ok;
    }
}

} // namespace

Host::MessageAnswer PresentMessage(QWidget* parent, const ShownMessage& message)
{
    QMessageBox box(IconOf(message.icon), ToQt(message.caption), ToQt(message.text), ButtonsOf(message.buttons),
                    parent);
    return AnswerOf(box.exec());
}

} // namespace Desk
