#include "detection/EEH2SampleReader.h"

#include <algorithm>

namespace EEH2 {

SampleReader::SampleReader() = default;

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
    if (Failed(samples_->QueryInterface(IEnumSampleSpans::iid, reinterpret_cast<void**>(spans_.Put())))) {
        spans_.Reset();
    }
    ended_ = false;
    return S_OK;
}

void SampleReader::Close()
{
    ConfirmLent();
    Release();
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
        ConfirmLent();
        Release();
        return false;
    }
    const auto wanted = static_cast<std::uint32_t>(
        std::min<std::int64_t>(kChunkSamples, std::int64_t{endTick_} - tick_));
    std::uint32_t fetched = 0;
    const HRESULT hr = Fetch(wanted, fetched);
    if (Failed(hr)) {
        failed_ = true;
        fetched = 0;
    }
    // Never trust a count beyond what was asked: the chunk holds no more.
    fetched = std::min(fetched, wanted);
    begin_ = 0;
    end_ = fetched;
    if (Failed(hr) || hr == S_FALSE || std::int64_t{tick_} + fetched >= endTick_) {
        ended_ = true;
        if (!lentLast_) {
            Release();
        }
    }
    return fetched > 0;
}

HRESULT SampleReader::Fetch(std::uint32_t wanted, std::uint32_t& fetched)
{
    lentLast_ = false;
    if (spans_) {
        const float* lent = nullptr;
        const HRESULT hr = spans_->NextSpan(wanted, &lent, &fetched);
        if (hr != E_NOTIMPL) {
            lentLast_ = Succeeded(hr) && lent != nullptr;
            chunk_ = lent;
            return hr;
        }
        // Declined once, declined for good: the host copies from here on.
        spans_.Reset();
    }
    // No larger than a range with an end needs (a short selection pays for
    // no more pages than it reads; a whole record's range is open, as the
    // record may still grow, and gets a full chunk) and left uninitialised:
    // the host fills it.
    if (buffer_.Size() < std::size_t{wanted} * sizeof(float)) {
        buffer_ = platform::LargeBuffer(std::size_t{wanted} * sizeof(float));
    }
    auto* into = static_cast<float*>(buffer_.Data());
    chunk_ = into;
    return samples_->Next(wanted, into, &fetched);
}

void SampleReader::ConfirmLent()
{
    if (!lentLast_ || !spans_) {
        return;
    }
    lentLast_ = false;
    const float* none = nullptr;
    std::uint32_t fetched = 0;
    if (Failed(spans_->NextSpan(0, &none, &fetched))) {
        failed_ = true;
    }
}

void SampleReader::Release()
{
    spans_.Reset();
    samples_.Reset();
}

void SampleReader::Consume(std::size_t count)
{
    begin_ += count;
    tick_ += static_cast<std::int32_t>(count);
}

} // namespace EEH2
