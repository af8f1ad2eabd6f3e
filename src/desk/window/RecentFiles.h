#pragma once

#include <QStringList>

namespace Desk {

// The recordings and documents opened last, newest first, kept with
// QSettings so that they outlive the program.
class RecentFiles {
public:
    static constexpr int kMaximum = 8;

    static QStringList List();
    // Moves `path` to the front, dropping the oldest past the maximum.
    static void Add(const QString& path);
    static void Remove(const QString& path);
};

} // namespace Desk
