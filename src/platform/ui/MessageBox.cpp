#include "platform/ui/MessageBox.h"

#include <QMessageBox>

#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/qt/AutomationState.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/QtBridge.h"

namespace platform::ui {

namespace {

constexpr std::uint32_t kButtonBits = 0x0F;
constexpr std::uint32_t kIconBits = 0xF0;

std::int32_t FirstButton(std::uint32_t type)
{
    const std::uint32_t buttons = type & kButtonBits;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

QMessageBox::StandardButtons QtButtons(std::uint32_t type)
{
    switch (type & kButtonBits) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon QtIcon(std::uint32_t type)
{
    switch (type & kIconBits) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

std::int32_t AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

std::int32_t AskUser(TWindow* owner, const VEX::String& text, const VEX::String& caption, std::uint32_t type)
{
    QMessageBox box(QtIcon(type), qt::ToQString(caption), qt::ToQString(text), QtButtons(type),
                    qt::OwnerWidget(owner));
    return AnswerOf(box.exec());
}

} // namespace

std::int32_t MessageBox(TWindow* owner, const VEX::String& text, const VEX::String& caption, std::uint32_t type)
{
    EnsureApplication();
    auto& state = automation::State();
    std::int32_t answer = 0;
    if (!state.messageBoxAnswers.empty()) {
        answer = state.messageBoxAnswers.front();
        state.messageBoxAnswers.pop_front();
    } else if (state.defaultMessageBoxAnswer) {
        answer = *state.defaultMessageBoxAnswer;
    } else if (IsHeadless()) {
        answer = FirstButton(type);
    } else {
        answer = AskUser(owner, text, caption, type);
    }
    state.shownMessageBoxes.push_back({caption, text, type, answer});
    return answer;
}

} // namespace platform::ui
