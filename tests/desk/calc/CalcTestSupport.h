#pragma once

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "desk/recording/Recording.h"
#include "host/ICalcEnum.h"
#include "host/IChannelCalculation.h"
#include "platform/com/ComPtr.h"

namespace CalcTest {

// "Cross(source, level)": an event where the source's samples rise from
// below the level to it or above.
class CrossEnum final : public UnknownImpl<ICalcEnum, IEnumEventEx> {
public:
    HRESULT Setup(ICalcSource* const* sources, std::uint32_t sourceCount, const double* numbers,
                  std::uint32_t numberCount) override
    {
        if (sourceCount != 1 || numberCount != 1) {
            return E_INVALIDARG;
        }
        source_ = ComPtr<ICalcSource>(sources[0]);
        level_ = numbers[0];
        return S_OK;
    }
    HRESULT Open(std::int32_t block, std::int32_t firstTick) override
    {
        tick_ = firstTick;
        return source_->OpenSamples(block, firstTick, samples_.Put());
    }
    std::int32_t EventSize() override { return 16; }
    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override
    {
        *count = 0;
        while (*count < capacity) {
            if (endTick >= 0 && tick_ >= endTick) {
                *position = endTick;
                return S_OK;
            }
            float value = 0.0f;
            std::uint32_t fetched = 0;
            const HRESULT hr = samples_->Next(1, &value, &fetched);
            if (fetched == 0) {
                *position = hr == S_FALSE ? INT_MAX : tick_;
                return hr == S_FALSE ? S_FALSE : S_OK;
            }
            if (previous_ < level_ && value >= level_) {
                const Host::EventHeader event{tick_, 0.0f, value};
                std::memcpy(static_cast<char*>(records) + *count * eventSize, &event, sizeof event);
                ++*count;
            }
            previous_ = value;
            ++tick_;
        }
        *position = tick_;
        return S_OK;
    }
    HRESULT Skip(std::int32_t, std::int32_t*) override { return E_NOTIMPL; }

private:
    ComPtr<ICalcSource> source_;
    ComPtr<IEnumSamples> samples_;
    double level_ = 0.0;
    double previous_ = 1e300;
    std::int32_t tick_ = 0;
};

// "Pass(events)": the events of its source, unchanged.
class PassEnum final : public UnknownImpl<ICalcEnum, IEnumEventEx> {
public:
    HRESULT Setup(ICalcSource* const* sources, std::uint32_t sourceCount, const double*, std::uint32_t) override
    {
        source_ = ComPtr<ICalcSource>(sourceCount == 1 ? sources[0] : nullptr);
        return source_ ? S_OK : E_INVALIDARG;
    }
    HRESULT Open(std::int32_t block, std::int32_t firstTick) override
    {
        return source_->OpenEvents(block, firstTick, INT_MAX, events_.Put());
    }
    std::int32_t EventSize() override { return events_->EventSize(); }
    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override
    {
        return events_->Next(eventSize, endTick, records, capacity, count, position);
    }
    HRESULT Skip(std::int32_t tick, std::int32_t* position) override { return events_->Skip(tick, position); }

private:
    ComPtr<ICalcSource> source_;
    ComPtr<IEnumEventEx> events_;
};

struct ParamRow {
    const char16_t* name;
    double minimum;
    double maximum;
};

// A function class over a parameter table; `claimedCount` may lie about
// the table's length, as a broken class would.
template <typename Enum>
class TableFunction final : public UnknownImpl<ICalcNumericParamsFuncClass> {
public:
    TableFunction(const char16_t* name, std::vector<ParamRow> rows, std::int32_t claimedCount = -1)
        : name_(name), rows_(std::move(rows)), claimedCount_(claimedCount < 0 ? std::int32_t(rows_.size()) : claimedCount)
    {
    }
    HRESULT FunctionName(VEX::String* name) override { return *name = name_, S_OK; }
    HRESULT ClassName(VEX::String* name) override { return *name = name_, S_OK; }
    HRESULT Description(VEX::String* text) override { return *text = u"test", S_OK; }
    std::int32_t ParamCount() override { return claimedCount_; }
    HRESULT ParamInfo(std::int32_t index, VEX::String* name, double* minimum, double* maximum) override
    {
        if (index < 0 || index >= std::int32_t(rows_.size())) {
            return E_INVALIDARG;
        }
        *name = rows_[index].name;
        *minimum = rows_[index].minimum;
        *maximum = rows_[index].maximum;
        return S_OK;
    }
    HRESULT CreateEnumerator(ICalcEnum** enumerator) override
    {
        *enumerator = ComPtr<ICalcEnum>(new Enum).Detach();
        return S_OK;
    }

private:
    VEX::String name_;
    std::vector<ParamRow> rows_;
    std::int32_t claimedCount_;
};

inline ComPtr<ICalcNumericParamsFuncClass> MakeCross()
{
    return ComPtr<ICalcNumericParamsFuncClass>(
        new TableFunction<CrossEnum>(u"Cross", {{u"Source", 0, 0}, {u"Level", -10, 10}}));
}

inline ComPtr<ICalcNumericParamsFuncClass> MakePass()
{
    return ComPtr<ICalcNumericParamsFuncClass>(new TableFunction<PassEnum>(u"Pass", {{u"Events", 0, 0}}));
}

} // namespace CalcTest
