#pragma once

#include <QMenu>

#include <functional>

#include "desk/window/SamplingControl.h"

class QActionGroup;

namespace Desk {

// The host's Sampling menu: Start sampling (the open recording replayed at
// the chosen speed), the speed, and Stop. The module's "Analyze while
// sampling" decides whether its analysis follows the data.
class SamplingMenu final : public QMenu {
    Q_OBJECT
public:
    using Report = std::function<void(const QString& message)>;

    SamplingMenu(Session& session, Report report, QWidget* parent = nullptr);

    SamplingControl& Control() { return control_; }
    // Starts at the speed chosen in the menu.
    bool StartSampling();
    // Chooses the speed: a multiple of real time, 0 as fast as possible.
    void SetSpeed(double speed);
    double Speed() const;

private:
    void AddSpeeds();
    void UpdateItems();

    SamplingControl control_;
    Report report_;
    QAction* start_ = nullptr;
    QAction* stop_ = nullptr;
    QActionGroup* speeds_ = nullptr;
};

} // namespace Desk
