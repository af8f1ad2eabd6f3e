#include "desk/window/RecentFiles.h"

#include <QSettings>

namespace Desk {

namespace {

constexpr const char* kKey = "recentFiles";

void Store(const QStringList& files) { QSettings().setValue(kKey, files); }

} // namespace

QStringList RecentFiles::List() { return QSettings().value(kKey).toStringList(); }

void RecentFiles::Add(const QString& path)
{
    QStringList files = List();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaximum) {
        files.removeLast();
    }
    Store(files);
}

void RecentFiles::Remove(const QString& path)
{
    QStringList files = List();
    files.removeAll(path);
    Store(files);
}

} // namespace Desk
