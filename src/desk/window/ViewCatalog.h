#pragma once

#include <QWidget>

#include <map>
#include <optional>

#include "host/ISpikeDocInterface.h"

namespace Desk {

// Which of the document's views each sub-window shows. A view is attached
// to its document before it is first shown, so the kind open and not yet
// known is the one of the window being placed.
class ViewCatalog {
public:
    void Learn(const QWidget& window, ISpikeDocInterface& document);
    std::optional<Host::ViewKind> KindOf(const QWidget* window) const;
    void Forget() { kinds_.clear(); }

    // The kinds in menu order, with the names the View menu shows.
    struct Entry {
        Host::ViewKind kind;
        const char* name;
    };
    static const std::vector<Entry>& Entries();

private:
    std::map<const QWidget*, Host::ViewKind> kinds_;
};

} // namespace Desk
