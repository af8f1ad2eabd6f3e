#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

#include "desk/runtime/SamplingReplay.h"
#include "desk/runtime/Session.h"

namespace Desk {

// Samples a session's recording from the window: the replay steps on a
// timer of the GUI thread, as many chunks each time as the clock says are
// due at the chosen speed, so the window stays live while data arrive.
class SamplingControl final : public QObject {
    Q_OBJECT
public:
    // Speed 0: as fast as the window allows.
    static constexpr double kRealTime = 1.0;

    explicit SamplingControl(Session& session, QObject* parent = nullptr);
    // Sampling still running stops.
    ~SamplingControl() override;

    // Starts at `speed` times real time; false, with the module's reason in
    // *refusal, when the module refuses or sampling already runs.
    bool Start(double speed, QString* refusal);
    void Stop();
    bool Running() const { return replay_ != nullptr; }
    // Where the data have got to: the sampled block and seconds into it.
    // It stays where sampling ended.
    std::pair<std::int32_t, double> Position() const { return position_; }

signals:
    // New data arrived (or sampling ended): the window follows.
    void advanced();
    void stopped();

private:
    void Tick();
    void NotePosition();

    Session& session_;
    std::unique_ptr<SamplingReplay> replay_;
    QTimer timer_;
    QElapsedTimer clock_;
    double speed_ = kRealTime;
    std::pair<std::int32_t, double> position_{0, 0.0};
};

} // namespace Desk
