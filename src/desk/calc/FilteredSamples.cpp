#include "desk/calc/FilteredSamples.h"

#include <algorithm>

namespace Desk {
namespace {

// Values filtered per step, so memory stays bounded on any block length.
constexpr std::size_t kStep = 1 << 16;

double Median(std::vector<double>& values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) {
        return *middle;
    }
    return (*middle + *std::max_element(values.begin(), middle)) / 2.0;
}

double Mean(const std::vector<double>& values)
{
    double sum = 0.0;
    for (const double value : values) {
        sum += value;
    }
    return sum / static_cast<double>(values.size());
}

} // namespace

HRESULT FilteredSamples::Open(std::shared_ptr<const CalcContext> context, const FilterDesign& design,
                              std::int32_t channel, std::int32_t block, std::int32_t startTick, bool negated,
                              IEnumSamples** samples)
{
    if (samples == nullptr) {
        return E_POINTER;
    }
    *samples = nullptr;
    if (!context->IsStartTick(channel, block, startTick) ||
        !design.Problem(1.0 / context->recording.SampleInterval(channel, block)).empty() ||
        !std::all_of(design.reference.begin(), design.reference.end(),
                     [&context](std::int32_t other) { return context->IsChannel(other); })) {
        return E_INVALIDARG;
    }
    *samples = new FilteredSamples(std::move(context), design, channel, block, startTick, negated);
    (*samples)->AddRef();
    return S_OK;
}

FilteredSamples::FilteredSamples(std::shared_ptr<const CalcContext> context, const FilterDesign& design,
                                 std::int32_t channel, std::int32_t block, std::int32_t startTick, bool negated)
    : context_(std::move(context)),
      causal_(design.causal),
      referenceChannels_(design.reference),
      median_(design.medianReference),
      channel_(channel),
      block_(block),
      tick_(startTick),
      negated_(negated),
      forward_(design, 1.0 / context_->recording.SampleInterval(channel, block)),
      backward_(forward_),
      settling_(forward_.SettlingTicks()),
      forwardEnd_(std::max<std::int64_t>(0, std::int64_t{startTick} - settling_))
{
}

std::size_t FilteredSamples::Existing(std::int64_t from, std::size_t count) const
{
    std::int64_t room = std::int64_t{context_->Available(channel_, block_).ticks} - from;
    for (const std::int32_t channel : referenceChannels_) {
        room = std::min<std::int64_t>(room, std::int64_t{context_->Available(channel, block_).ticks} - from);
    }
    return static_cast<std::size_t>(std::clamp<std::int64_t>(room, 0, static_cast<std::int64_t>(count)));
}

std::size_t FilteredSamples::ReadReferenced(std::int64_t from, std::size_t count, double* out) const
{
    const std::size_t wanted = Existing(from, count);
    std::vector<float> raw(wanted);
    std::size_t read = context_->recording.Read(channel_, block_, from, wanted, raw.data());
    std::copy_n(raw.begin(), read, out);
    if (referenceChannels_.empty() || read == 0) {
        return read;
    }
    // values[k * n + i]: reference channel k at sample i.
    const std::size_t n = read;
    std::vector<float> values(referenceChannels_.size() * n);
    for (std::size_t k = 0; k < referenceChannels_.size(); ++k) {
        read = std::min(read, context_->recording.Read(referenceChannels_[k], block_, from, n, values.data() + k * n));
    }
    std::vector<double> across(referenceChannels_.size());
    for (std::size_t i = 0; i < read; ++i) {
        for (std::size_t k = 0; k < across.size(); ++k) {
            across[k] = values[k * n + i];
        }
        out[i] -= median_ ? Median(across) : Mean(across);
    }
    return read;
}

std::size_t FilteredSamples::ReadRecorded(std::int64_t from, std::size_t count, double* out) const
{
    const std::size_t read = ReadReferenced(from, count, out);
    std::transform(out, out + read, out, [this](double value) { return value - origin_; });
    return read;
}

bool FilteredSamples::Start()
{
    if (started_) {
        return true;
    }
    double first = 0.0;
    if (Existing(forwardEnd_, 1) == 0 || ReadReferenced(0, 1, &first) != 1) {
        return false;
    }
    origin_ = first;
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
