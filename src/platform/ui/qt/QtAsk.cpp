#include "platform/ui/qt/QtBackend.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QStringList>

#include "platform/ui/MessageBox.h"
#include "platform/ui/TPopupMenu.h"
#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

namespace {

constexpr std::uint32_t kButtonBits = 0x0F;
constexpr std::uint32_t kIconBits = 0xF0;

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

void Fill(QMenu& qmenu, const TPopupMenu& menu)
{
    for (const MenuItem& item : menu.Items()) {
        if (item.separator) {
            qmenu.addSeparator();
        } else if (item.submenu) {
            QMenu* sub = qmenu.addMenu(qt::ToQString(item.text));
            sub->setEnabled(item.enabled);
            Fill(*sub, *item.submenu);
        } else {
            QAction* action = qmenu.addAction(qt::ToQString(item.text));
            action->setData(item.id);
            action->setEnabled(item.enabled);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
        }
    }
}

// "Nex Files (*.nex)|*.nex|" becomes "Nex Files (*.nex)": Qt reads the
// patterns from the parentheses, so they are added where the description
// lacks them.
QString QtFilter(const VEX::String& filter)
{
    const QStringList parts = qt::ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.isEmpty() && patterns.isEmpty()) {
            continue;
        }
        filters << (description.contains(QLatin1Char('(')) ? description
                                                            : description + QStringLiteral(" (") + patterns +
                                                                  QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

std::int32_t QtBackend::AskMessageBox(TWindow* owner, const VEX::String& text, const VEX::String& caption,
                                      std::uint32_t type)
{
    QMessageBox box(QtIcon(type), qt::ToQString(caption), qt::ToQString(text), QtButtons(type),
                    OwnerWidget(owner));
    return AnswerOf(box.exec());
}

std::uint32_t QtBackend::AskMenu(const TPopupMenu& menu, const TPoint& screenPoint, TWindow* owner)
{
    QMenu qmenu(owner != nullptr ? NativeWidget(*owner) : nullptr);
    Fill(qmenu, menu);
    const QAction* chosen = qmenu.exec(QPoint(screenPoint.x, screenPoint.y));
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

std::optional<VEX::String> QtBackend::AskFileName(TWindow* owner, const FileDialogOptions& options, bool save)
{
    QWidget* parent = OwnerWidget(owner);
    const QString title = qt::ToQString(options.title);
    const QString start = qt::ToQString(options.initialPath);
    const QString filter = QtFilter(options.filter);
    const QString chosen = save ? QFileDialog::getSaveFileName(parent, title, start, filter)
                                : QFileDialog::getOpenFileName(parent, title, start, filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return qt::FromQString(chosen);
}

} // namespace platform::ui
