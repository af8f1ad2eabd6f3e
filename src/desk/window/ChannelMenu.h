#pragma once

#include <QMenu>
#include <QMenuBar>

#include <functional>

#include "desk/runtime/Session.h"

namespace Desk {

// The host's Channel menu: for each channel of the recording, the channel
// calculations the module offers, the settings of the one set on the
// channel (in the calculation's own dialog) and taking it off.
class ChannelMenu {
public:
    using Report = std::function<void(const QString& message)>;
    using AfterChange = std::function<void()>;

    // Adds the menu to `bar` before `before` (may be null) and returns it;
    // `session` must outlive the menu.
    static QMenu* Build(QMenuBar& bar, QAction* before, Session& session, AfterChange after, Report report);

    // What the menu items do, for `channel` (0-based).
    static void SetCalculation(Session& session, std::int32_t channel, IChannelCalculationClass& kind,
                               const Report& report);
    static void EditCalculation(Session& session, std::int32_t channel, const Report& report);
    static void RemoveCalculation(Session& session, std::int32_t channel);
};

} // namespace Desk
