#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "host/ICalcSource.h"
#include "platform/com/ComPtr.h"

namespace Nerolith::Testing {

// One record's samples as a test source serves them: `available` of them
// have "arrived", at most `chunk` go out per call, and the record ends only
// once `complete` is set and every sample has been read.
struct TestRecord {
    std::vector<float> samples;
    std::size_t available = 0;
    std::uint32_t chunk = UINT32_MAX;
    bool complete = true;
    std::vector<std::int32_t> openedAt; // start tick of each OpenSamples
};

class TestSamples final : public UnknownImpl<IEnumSamples> {
public:
    TestSamples(std::shared_ptr<TestRecord> record, std::int32_t tick) : record_(std::move(record)), tick_(tick) {}

    HRESULT Next(std::uint32_t count, float* samples, std::uint32_t* fetched) override
    {
        const std::size_t left = record_->available - std::min<std::size_t>(tick_, record_->available);
        const auto n = static_cast<std::uint32_t>(std::min<std::size_t>({count, record_->chunk, left}));
        std::memcpy(samples, record_->samples.data() + tick_, n * sizeof(float));
        tick_ += static_cast<std::int32_t>(n);
        *fetched = n;
        const bool atEnd = record_->complete && static_cast<std::size_t>(tick_) >= record_->samples.size();
        return atEnd ? S_FALSE : S_OK;
    }
    std::int32_t Tick() override { return tick_; }

private:
    std::shared_ptr<TestRecord> record_;
    std::int32_t tick_;
};

// A channel source over in-memory records (record index = position).
class TestSource final : public UnknownImpl<ICalcSource> {
public:
    explicit TestSource(double sampleInterval = 1e-3) : interval_(sampleInterval) {}

    std::shared_ptr<TestRecord> AddRecord(std::vector<float> samples)
    {
        auto record = std::make_shared<TestRecord>();
        record->available = samples.size();
        record->samples = std::move(samples);
        records_.push_back(record);
        return record;
    }
    void SetChildData(IGrafoDataChildData* child) { child_ = ComPtr<IGrafoDataChildData>(child); }

    std::int32_t Channel() override { return 0; }
    HRESULT SampleInterval(std::int32_t, double* seconds) override
    {
        *seconds = interval_;
        return S_OK;
    }
    HRESULT OpenSamples(std::int32_t block, std::int32_t startTick, IEnumSamples** samples) override
    {
        *samples = nullptr;
        if (block < 0 || block >= static_cast<std::int32_t>(records_.size()) || startTick < 0 ||
            static_cast<std::size_t>(startTick) > records_[block]->samples.size()) {
            return E_INVALIDARG;
        }
        records_[block]->openedAt.push_back(startTick);
        *samples = MakeCom<TestSamples>(records_[block], startTick).Detach();
        return S_OK;
    }
    HRESULT OpenEvents(std::int32_t, std::int32_t, std::int32_t, IEnumEventEx**) override { return E_NOTIMPL; }
    HRESULT FindChildData(std::uint32_t key, IGrafoDataChildData** child) override
    {
        *child = nullptr;
        if (!child_ || child_->TypeKey() != key) {
            return S_FALSE;
        }
        *child = ComPtr<IGrafoDataChildData>(child_).Detach();
        return S_OK;
    }

private:
    double interval_;
    std::vector<std::shared_ptr<TestRecord>> records_;
    ComPtr<IGrafoDataChildData> child_;
};

} // namespace Nerolith::Testing
