#include "detection/EEH2SampleReader.h"

#include <algorithm>

namespace EEH2 {

SampleReader::SampleReader() : buffer_(kChunkSamples) {}

HRESULT SampleReader::Open(ICalcSource* source, std::int32_t record, std::int32_t tick, std::int32_t endTick)
{
    Close();
    tick_ = tick;
    endTick_ = endTick;
    if (tick >= endTick) {
        return S_OK;
    }
    const HRESULT hr = source->OpenSamples(record, tick, samples_.Put());
    if (Failed(hr) || !samples_) {
        samples_.Reset();
        return Failed(hr) ? hr : E_FAIL;
    }
    ended_ = false;
    return S_OK;
}

void SampleReader::Close()
{
    samples_.Reset();
    begin_ = end_ = 0;
    ended_ = true;
    failed_ = false;
}

bool SampleReader::Fill()
{
    if (begin_ < end_) {
        return true;
    }
    if (ended_) {
        return false;
    }
    const auto wanted = static_cast<std::uint32_t>(
        std::min<std::int64_t>(kChunkSamples, std::int64_t{endTick_} - tick_));
    std::uint32_t fetched = 0;
    const HRESULT hr = samples_->Next(wanted, buffer_.data(), &fetched);
    if (Failed(hr)) {
        failed_ = true;
        fetched = 0;
    }
    // Never trust a count beyond what was asked: the buffer holds no more.
    fetched = std::min(fetched, wanted);
    begin_ = 0;
    end_ = fetched;
    if (Failed(hr) || hr == S_FALSE || std::int64_t{tick_} + fetched >= endTick_) {
        ended_ = true;
        samples_.Reset();
    }
    return fetched > 0;
}

void SampleReader::Consume(std::size_t count)
{
    begin_ += count;
    tick_ += static_cast<std::int32_t>(count);
}

} // namespace EEH2
