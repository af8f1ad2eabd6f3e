#include "platform/ui/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "platform/ui/Application.h"
#include "platform/ui/qt/AutomationState.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/QtBridge.h"

namespace platform::ui {

namespace {

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

VEX::String WithDefaultExtension(const QString& path, const VEX::String& extension)
{
    if (extension.Empty() || !QFileInfo(path).suffix().isEmpty()) {
        return qt::FromQString(path);
    }
    return qt::FromQString(path + QLatin1Char('.') + qt::ToQString(extension));
}

std::optional<VEX::String> AskFile(TWindow* owner, const FileDialogOptions& options, bool save)
{
    EnsureApplication();
    auto& state = automation::State();
    state.shownFileDialogs.push_back({options.title, options.filter, save});
    QString chosen;
    if (!state.fileAnswers.empty()) {
        const auto answer = state.fileAnswers.front();
        state.fileAnswers.pop_front();
        if (!answer) {
            return std::nullopt;
        }
        chosen = qt::ToQString(*answer);
    } else if (IsHeadless()) {
        return std::nullopt;
    } else {
        QWidget* parent = qt::OwnerWidget(owner);
        const QString title = qt::ToQString(options.title);
        const QString start = qt::ToQString(options.initialPath);
        const QString filter = QtFilter(options.filter);
        chosen = save ? QFileDialog::getSaveFileName(parent, title, start, filter)
                      : QFileDialog::getOpenFileName(parent, title, start, filter);
    }
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return save ? WithDefaultExtension(chosen, options.defaultExtension) : qt::FromQString(chosen);
}

} // namespace

std::optional<VEX::String> GetSaveFileName(TWindow* owner, const FileDialogOptions& options)
{
    return AskFile(owner, options, true);
}

std::optional<VEX::String> GetOpenFileName(TWindow* owner, const FileDialogOptions& options)
{
    return AskFile(owner, options, false);
}

} // namespace platform::ui
