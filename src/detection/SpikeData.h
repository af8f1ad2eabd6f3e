#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "detection/SpikeEvent.h"
#include "detection/SpikeStoreOwner.h"
#include "detection/SpikeTable.h"
#include "detection/UnitCatalog.h"
#include "host/HostTypes.h"
#include "host/IEnumEventEx.h"
#include "host/IGrafoDataChildData.h"
#include "platform/com/ComPtr.h"
#include "platform/text/VexString.h"

namespace Nerolith {

// The spike store of an analysis document: the spikes of the current
// analysis (one channel at a time), the stimulus and reference events that
// came with them, and the units and hand assignments of every channel. It
// is attached to the host document and to each analysed channel as child
// data, so that the detector finds the units of the channel it runs on.
//
// An analysis drives it block by block: Reset, then per block BeginBlock,
// Collect (once, or repeatedly while sampling) and EndBlock. Every item is
// told to the owner's views as it arrives; a view opened later is brought up
// to date with Replay.
class SpikeData final : public UnknownImpl<IGrafoDataChildData> {
public:
    // Identifies the store behind a child-data pointer; module-private.
    static constexpr IID kStoreIid{0x4E524C01, 0x0D01, 0x4000, {0x80, 0, 0, 0, 0, 0, 0x0D, 0x01}};

    // `owner` may be null: the store then reaches no host and tells no view.
    explicit SpikeData(SpikeStoreOwner* owner);
    // The owner is going away while the host may still hold the store (as
    // child data): from now on it reaches no host and tells no view.
    void DetachOwner();

    // The key the store is attached under; the same for the whole process.
    static std::uint32_t ChildDataKey();
    // The store behind child data found on a channel, or null when it is
    // someone else's. Valid while the caller holds `child`.
    static SpikeData* FromChildData(IGrafoDataChildData* child);

    HRESULT QueryInterface(const IID& iid, void** object) override;
    std::uint32_t TypeKey() override;
    // A store with a count of 1 sharing nothing but the units and the
    // enumerators (each taken with a reference of its own).
    HRESULT Clone(IGrafoDataChildData** copy) override;
    HRESULT OnDataChanged(const std::int32_t (&words)[7]) override;
    HRESULT OnChannelsChanged(const std::int32_t (&words)[3]) override;
    HRESULT OnDocumentChanged(const std::int32_t (&words)[11]) override;

    // Empties the spikes and events, resets the extents and tells the views
    // to start afresh.
    void Reset();
    // Opens the block of `channel`'s analysis from `firstTick`: the spike
    // source is the channel's SpikeDet expression; the stimulus and
    // reference sources are resolved host positions or Host::kAbsentSource.
    // False, with nothing opened, when the host gives no spike events there.
    bool BeginBlock(std::int32_t channel, std::int32_t block, std::int32_t firstTick,
                    const VEX::String& spikeSource, std::int32_t stimulusSource, std::int32_t referenceSource);
    // Takes every spike and event the host has before `endTick`; whether any
    // spike was added.
    bool Collect(std::int32_t endTick);
    // Closes the open block (does nothing when none is open).
    void EndBlock(std::int32_t lastTick);
    void AddSpike(std::int32_t block, const SpikeEvent& spike);
    // Sends the stored history to one view, in spike order, each block framed
    // by its start and end; events after the last spike are not replayed.
    void Replay(const NotificationTarget& target) const;

    const SpikeTable& Spikes() const { return spikes_; }
    const std::deque<Host::Position>& StimulusEvents() const { return stimulusEvents_; }
    const std::deque<Host::Position>& ReferenceEvents() const { return referenceEvents_; }
    std::int32_t CurrentBlock() const { return currentBlock_; }
    bool BlockOpen() const { return blockOpen_; }
    double SampleInterval() const { return sampleInterval_; }

    UnitCatalog& Units() { return units_; }
    const UnitCatalog& Units() const { return units_; }

private:
    SpikeData(const SpikeData& other);
    ~SpikeData() override = default;

    double AskSampleInterval(std::int32_t block) const;
    ComPtr<IEnumEventEx> OpenSourceEvents(std::int32_t source, std::int32_t block, std::int32_t firstTick) const;
    void CloseEnumerators();
    // Events of one kind taken from the host and not yet told.
    struct PendingEvents {
        std::vector<std::int32_t> ticks;
        SpikeNotification::Code code;
        std::deque<Host::Position>* positions;
        std::size_t next = 0;

        bool HasUpTo(std::int32_t tick) const { return next < ticks.size() && ticks[next] <= tick; }
        std::int32_t Next() const { return ticks[next]; }
        std::int32_t Take() { return ticks[next++]; }
    };
    std::vector<std::int32_t> EventTicks(IEnumEventEx* events, std::int32_t endTick) const;
    void TellEventsUpTo(std::int32_t tick, PendingEvents& stimuli, PendingEvents& references);
    void Notify(const SpikeNotification& notification) const;

    SpikeStoreOwner* owner_;
    ComPtr<IEnumEventEx> spikeEnum_;
    ComPtr<IEnumEventEx> stimulusEnum_;
    ComPtr<IEnumEventEx> referenceEnum_;
    bool blockOpen_ = false;
    std::int32_t eventSize_ = 0;
    std::int32_t channel_ = 0;
    std::int32_t currentBlock_ = Host::kNone;
    double sampleInterval_ = 0.0;
    SpikeTable spikes_;
    std::deque<Host::Position> referenceEvents_;
    std::deque<Host::Position> stimulusEvents_;
    UnitCatalog units_;
};

} // namespace Nerolith
