#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <span>

#include "detection/EEH2SampleReader.h"
#include "detection/RecordCache.h"
#include "host/ICalcEnum.h"
#include "host/IEnumEventEx.h"
#include "platform/com/ComPtr.h"

namespace EEH2 {

// The host-facing enumerator of an event-finding algorithm over one source
// channel. It scans a record in segments, saving the state in which each
// ends, so that a request anywhere in the record restarts at the latest
// saved state at or before it and still yields exactly the events of one
// continuous scan.
//
// `Algorithm` supplies the types Params (a ParamsBase with SetValues and a
// kNumberCount), State (a StateBase constructed from its first tick) and
// Event (a record starting with the generic event header), and
// `static bool Step(State&, const Params&, SampleReader&, Event&)`.
template <typename Algorithm>
class Enumerator final : public UnknownImpl<ICalcEnum, IEnumEventEx> {
public:
    using Params = typename Algorithm::Params;
    using State = typename Algorithm::State;
    using Event = typename Algorithm::Event;

    // Handed to the host with a count of 1.
    Enumerator() : UnknownImpl(1) {}

    HRESULT Setup(ICalcSource* const* sources, std::uint32_t sourceCount, const double* numbers,
                  std::uint32_t numberCount) override
    {
        if (sourceCount != 1 || sources == nullptr || sources[0] == nullptr ||
            numberCount != Params::kNumberCount || numbers == nullptr) {
            return E_INVALIDARG;
        }
        params_.SetSource(sources[0]);
        params_.SetValues(std::span<const double, Params::kNumberCount>(numbers, Params::kNumberCount));
        caches_.clear();
        cache_ = nullptr;
        reader_.Close();
        return S_OK;
    }

    HRESULT Open(std::int32_t record, std::int32_t firstTick) override
    {
        cache_ = nullptr;
        reader_.Close();
        const HRESULT hr = params_.Prepare(record);
        if (Failed(hr)) {
            return hr;
        }
        range_ = params_.RangeOf(record);
        cache_ = &caches_[record];
        pending_.reset();
        skipBefore_ = ClampIntoRange(firstTick);
        const StoredState<State>* saved = cache_->LatestAtOrBefore(skipBefore_);
        return Restart(saved != nullptr ? saved->state : State(range_.start));
    }

    std::int32_t EventSize() override { return static_cast<std::int32_t>(sizeof(Event)); }

    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override
    {
        if (count == nullptr || position == nullptr || (records == nullptr && capacity > 0)) {
            return E_POINTER;
        }
        *count = 0;
        if (eventSize < static_cast<std::int32_t>(sizeof(Host::EventHeader))) {
            return E_INVALIDARG;
        }
        if (cache_ == nullptr) {
            return E_FAIL;
        }
        // A smaller stride takes the leading part of each record (the
        // generic header at least); a larger one leaves the rest untouched.
        const std::size_t copied = std::min<std::size_t>(static_cast<std::size_t>(eventSize), sizeof(Event));
        auto* out = static_cast<std::uint8_t*>(records);
        Event event;
        while (*count < capacity && !ReachedEnd(endTick) && Produce(event)) {
            if (endTick >= 0 && event.tick >= endTick) {
                pending_ = event;
                break;
            }
            std::memcpy(out + static_cast<std::size_t>(*count) * static_cast<std::size_t>(eventSize), &event, copied);
            ++*count;
        }
        *position = ReportedPosition(endTick);
        // A failing source ends the record; the events found before it
        // still go out, and the next call reports the failure.
        if (reader_.SourceFailed()) {
            return *count > 0 ? S_OK : E_FAIL;
        }
        return Exhausted() ? S_FALSE : S_OK;
    }

    HRESULT Skip(std::int32_t tick, std::int32_t* position) override
    {
        if (position == nullptr) {
            return E_POINTER;
        }
        if (cache_ == nullptr) {
            return E_FAIL;
        }
        const HRESULT hr = MoveTo(tick);
        if (Failed(hr)) {
            return hr;
        }
        Event event;
        if (!pending_ && Produce(event)) {
            pending_ = event;
        }
        *position = ReportedPosition(-1);
        if (reader_.SourceFailed()) {
            return E_FAIL;
        }
        return Exhausted() ? S_FALSE : S_OK;
    }

private:
    // Where the events not yet delivered begin: the event found ahead, or
    // else the state's position.
    std::int32_t ResumeTick() const { return pending_ ? pending_->tick : state_.Position(); }

    bool Exhausted() const { return !pending_ && state_.done; }

    bool ReachedEnd(std::int32_t endTick) const
    {
        return endTick >= 0 && !pending_ && state_.Position() >= endTick;
    }

    std::int32_t ReportedPosition(std::int32_t endTick) const
    {
        if (Exhausted()) {
            return INT_MAX;
        }
        const std::int32_t reached = pending_ ? pending_->tick : std::max(state_.Position(), skipBefore_);
        return endTick >= 0 ? std::min(reached, endTick) : reached;
    }

    // Makes `tick` (clamped into the scanned range) the first tick whose
    // events are delivered, rescanning from a saved state when the events
    // from it on have already gone by, or jumping ahead to a saved state
    // when one lies closer.
    std::int32_t ClampIntoRange(std::int32_t tick) const
    {
        return std::clamp(tick, range_.start, std::max(range_.start, range_.end));
    }

    HRESULT MoveTo(std::int32_t tick)
    {
        tick = ClampIntoRange(tick);
        skipBefore_ = tick;
        if (pending_ && pending_->tick == tick) {
            return S_OK;
        }
        const bool passed = ResumeTick() > tick;
        pending_.reset();
        const StoredState<State>* saved = cache_->LatestAtOrBefore(tick);
        if (saved != nullptr && (passed || saved->state.Position() > state_.Position())) {
            return Restart(saved->state);
        }
        if (passed) {
            return Restart(State(range_.start));
        }
        return S_OK;
    }

    HRESULT Restart(const State& state)
    {
        state_ = state;
        if (range_.Empty()) {
            state_.MarkDone();
            return S_OK;
        }
        return reader_.Open(params_.Source(), params_.CurrentRecord(), state_.nextTick, range_.end);
    }

    // The next event at or after skipBefore_: the one found ahead, or the
    // next the algorithm completes. False when none is available now.
    bool Produce(Event& event)
    {
        if (pending_) {
            event = *pending_;
            pending_.reset();
            return true;
        }
        while (Advance(event)) {
            if (event.tick >= skipBefore_) {
                return true;
            }
        }
        return false;
    }

    // Runs the algorithm across segment ends until it completes an event,
    // saving the state at each segment end; false when the record is done
    // or no more samples are available now.
    bool Advance(Event& event)
    {
        for (;;) {
            if (Algorithm::Step(state_, params_, reader_, event)) {
                return true;
            }
            if (state_.done) {
                return false;
            }
            if (state_.Position() >= state_.segmentEnd && state_.segmentEnd < INT_MAX) {
                cache_->Save(state_);
                state_.segmentEnd = SegmentEndAfter(state_.segmentEnd);
                continue;
            }
            if (reader_.Finished() || state_.Position() == INT_MAX) {
                state_.MarkDone();
                continue;
            }
            return false;
        }
    }

    Params params_;
    TickRange range_;
    State state_{0};
    SampleReader reader_;
    std::map<std::int32_t, RecordCache<State>> caches_;
    RecordCache<State>* cache_ = nullptr;
    std::optional<Event> pending_;
    std::int32_t skipBefore_ = 0;
};

} // namespace EEH2
