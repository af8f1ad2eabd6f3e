#include "desk/calc/FilteredSamples.h"

#include <algorithm>

namespace Desk {
namespace {

// Values filtered per step, so memory stays bounded on any block length.
constexpr std::size_t kStep = 1 << 16;

} // namespace

HRESULT FilteredSamples::Open(std::shared_ptr<const CalcContext> context, const FilterSpec& spec,
                              std::int32_t channel, std::int32_t block, std::int32_t startTick, bool negated,
                              IEnumSamples** samples)
{
    if (samples == nullptr) {
        return E_POINTER;
    }
    *samples = nullptr;
    if (!context->IsStartTick(channel, block, startTick) ||
        !spec.Problem(1.0 / context->recording.SampleInterval(channel, block)).empty()) {
        return E_INVALIDARG;
    }
    *samples = new FilteredSamples(std::move(context), spec, channel, block, startTick, negated);
    (*samples)->AddRef();
    return S_OK;
}

FilteredSamples::FilteredSamples(std::shared_ptr<const CalcContext> context, const FilterSpec& spec,
                                 std::int32_t channel, std::int32_t block, std::int32_t startTick, bool negated)
    : context_(std::move(context)),
      causal_(spec.causal),
      channel_(channel),
      block_(block),
      tick_(startTick),
      negated_(negated),
      forward_(spec, 1.0 / context_->recording.SampleInterval(channel, block)),
      backward_(forward_),
      settling_(forward_.SettlingTicks()),
      forwardEnd_(std::max<std::int64_t>(0, std::int64_t{startTick} - settling_))
{
}

std::size_t FilteredSamples::ReadRecorded(std::int64_t from, std::size_t count, double* out) const
{
    const BlockAvailability now = context_->Available(channel_, block_);
    const std::int64_t room = std::max<std::int64_t>(0, std::int64_t{now.ticks} - from);
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), room));
    if (out == nullptr || wanted == 0) {
        return wanted;
    }
    std::vector<float> raw(wanted);
    const std::size_t read = context_->recording.Read(channel_, block_, from, wanted, raw.data());
    std::transform(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(read), out,
                   [this](float value) { return double{value} - reference_; });
    return read;
}

bool FilteredSamples::Start()
{
    if (started_) {
        return true;
    }
    float first = 0.0f;
    if (ReadRecorded(forwardEnd_, 1, nullptr) == 0 || context_->recording.Read(channel_, block_, 0, 1, &first) != 1) {
        return false;
    }
    reference_ = first;
    double start = 0.0;
    ReadRecorded(forwardEnd_, 1, &start);
    forward_.Settle(start);
    started_ = true;
    return true;
}

void FilteredSamples::RunForwardTo(std::int64_t end)
{
    while (forwardEnd_ < end && Start()) {
        const auto step = static_cast<std::size_t>(std::min<std::int64_t>(kStep, end - forwardEnd_));
        const std::size_t kept = ahead_.size();
        ahead_.resize(kept + step);
        const std::size_t read = ReadRecorded(forwardEnd_, step, ahead_.data() + kept);
        ahead_.resize(kept + read);
        forward_.Run(ahead_.data() + kept, read);
        // What lies before the first tick delivered only settled the filter.
        const std::int64_t early = std::clamp<std::int64_t>(std::int64_t{tick_} - forwardEnd_, 0,
                                                            static_cast<std::int64_t>(read));
        ahead_.erase(ahead_.begin() + static_cast<std::ptrdiff_t>(kept),
                     ahead_.begin() + static_cast<std::ptrdiff_t>(kept + static_cast<std::size_t>(early)));
        forwardEnd_ += static_cast<std::int64_t>(read);
        if (read < step) {
            return;
        }
    }
}

HRESULT FilteredSamples::Next(std::uint32_t count, float* samples, std::uint32_t* fetched)
{
    if (fetched != nullptr) {
        *fetched = 0;
    }
    if (samples == nullptr && count > 0) {
        return E_POINTER;
    }
    std::size_t done = 0;
    while (done < count) {
        const std::size_t wanted = std::min<std::size_t>(kStep, count - done);
        const std::size_t got = causal_ ? NextCausal(wanted, samples + done) : NextZeroPhase(wanted, samples + done);
        done += got;
        if (got < wanted) {
            break;
        }
    }
    if (fetched != nullptr) {
        *fetched = static_cast<std::uint32_t>(done);
    }
    const BlockAvailability now = context_->Available(channel_, block_);
    const bool ended = !now.growing && (tick_ >= now.ticks || done < count);
    return ended ? S_FALSE : S_OK;
}

std::size_t FilteredSamples::NextCausal(std::size_t wanted, float* samples)
{
    RunForwardTo(std::int64_t{tick_} + static_cast<std::int64_t>(wanted));
    const std::size_t got = ahead_.size();
    Deliver(ahead_.data(), got, samples);
    ahead_.clear();
    return got;
}

std::size_t FilteredSamples::NextZeroPhase(std::size_t wanted, float* samples)
{
    const BlockAvailability now = context_->Available(channel_, block_);
    RunForwardTo(std::int64_t{tick_} + static_cast<std::int64_t>(wanted) + settling_);
    // On a growing block only what has its settling stretch behind it is final.
    const std::size_t span = ahead_.size();
    const std::size_t ready = now.growing ? static_cast<std::size_t>(std::max<std::int64_t>(
                                                0, static_cast<std::int64_t>(span) - settling_))
                                          : span;
    const std::size_t got = std::min(wanted, ready);
    if (got == 0) {
        return 0;
    }
    std::vector<double> values(ahead_.begin(), ahead_.end());
    backward_.Settle(values.back());
    backward_.RunBackward(values.data(), values.size());
    Deliver(values.data(), got, samples);
    ahead_.erase(ahead_.begin(), ahead_.begin() + static_cast<std::ptrdiff_t>(got));
    return got;
}

void FilteredSamples::Deliver(const double* values, std::size_t count, float* samples)
{
    const double sign = negated_ ? -1.0 : 1.0;
    std::transform(values, values + count, samples, [sign](double value) { return static_cast<float>(sign * value); });
    tick_ += static_cast<std::int32_t>(count);
}

} // namespace Desk
