#include "desk/window/SamplingControl.h"

#include <limits>

#include "desk/window/QtText.h"
#include "host/IOnlineDataSink.h"

namespace Desk {

namespace {

// Chunks are delivered for at most this long per tick, so that painting
// and input keep up even as fast as possible.
constexpr qint64 kTickBudgetMs = 30;
constexpr int kTickMs = 20;

} // namespace

SamplingControl::SamplingControl(Session& session, QObject* parent) : QObject(parent), session_(session)
{
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &SamplingControl::Tick);
}

SamplingControl::~SamplingControl() { Stop(); }

bool SamplingControl::Start(double speed, QString* refusal)
{
    if (Running()) {
        return false;
    }
    const ComPtr<IOnlineDataSink> sink = session_.ModuleDocument().As<IOnlineDataSink>();
    if (!sink) {
        *refusal = tr("The analysis module cannot take sampled data.");
        return false;
    }
    auto replay = std::make_unique<SamplingReplay>(session_.Host(), SamplingReplay::Options{.speed = speed});
    VEX::String reason;
    if (Failed(replay->Begin(sink.Get(), &reason))) {
        *refusal = ToQt(reason);
        return false;
    }
    replay_ = std::move(replay);
    speed_ = speed;
    position_ = {0, 0.0};
    clock_.start();
    timer_.start();
    emit advanced();
    return true;
}

void SamplingControl::Stop()
{
    if (!replay_) {
        return;
    }
    timer_.stop();
    // Reset first: Stop's messages may reach code that asks Running().
    const std::unique_ptr<SamplingReplay> replay = std::move(replay_);
    replay->Stop();
    emit stopped();
}

void SamplingControl::NotePosition()
{
    const SamplingState& sampling = session_.Host().Sampling();
    const Recording& data = session_.Host().Data();
    const std::int32_t block = sampling.SampledBlock();
    if (sampling.Active() && block >= 0 && block < data.BlockCount() && data.ChannelCount() > 0) {
        position_ = {block, sampling.ReceivedTicks() * data.SampleInterval(0, block)};
    }
}

void SamplingControl::Tick()
{
    const double due = speed_ > 0.0 ? static_cast<double>(clock_.elapsed()) / 1000.0 * speed_
                                     : std::numeric_limits<double>::infinity();
    QElapsedTimer spent;
    spent.start();
    bool more = true;
    while (more && replay_ && replay_->ReplayedSeconds() < due && spent.elapsed() < kTickBudgetMs) {
        more = replay_->Step();
        if (more) {
            NotePosition();
        }
    }
    if (!replay_) {
        return;
    }
    if (more) {
        emit advanced();
        return;
    }
    // The replay stopped itself after the last block.
    timer_.stop();
    replay_.reset();
    emit advanced();
    emit stopped();
}

} // namespace Desk
