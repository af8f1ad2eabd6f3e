#include "histograms/LagRun.h"

#include <immintrin.h>

#include <cstdint>

namespace Nerolith {
namespace {

// Eight lags at a time: a correlogram reference has a handful, so the
// one-at-a-time loop spends its time on the branches that end its runs and on one
// division per lag. The same operations on each lag, so the same bins.
// (GCC 12's AVX-512 headers start some operations from an undefined
// register, which its flow analysis takes for an uninitialised read.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#define NEROLITH_AVX512 __attribute__((target("avx512f,avx512dq"), always_inline)) inline

// Lanes are in time order, so the first lane that stops a run ends it.
std::size_t LeadingOnes(__mmask8 mask) { return static_cast<std::size_t>(__builtin_ctz(~static_cast<unsigned>(mask))); }

__mmask8 PresentLanes(std::size_t left)
{
    return left >= 8 ? __mmask8{0xFF} : static_cast<__mmask8>((1u << left) - 1u);
}

// The lags of the (up to) eight times from `time` on; absent lanes read
// nothing.
NEROLITH_AVX512 __m512d LagsAt(const double* time, __mmask8 present, __m512d references)
{
    return _mm512_sub_pd(_mm512_maskz_loadu_pd(present, time), references);
}

// The lag's bin as CountedBin gives it, -1 where it gives none.
NEROLITH_AVX512 __m512i CountedBins(__m512d lags, __m512d minimum, __m512d binSize)
{
    const __m512d quotients = _mm512_div_pd(_mm512_sub_pd(lags, minimum), binSize);
    const __mmask8 binned =
        _mm512_cmp_pd_mask(quotients, _mm512_set1_pd(-BinRulesDetail::kEdgeTolerance), _CMP_GE_OQ) &
        _mm512_cmp_pd_mask(quotients, _mm512_set1_pd(BinRulesDetail::kLargestQuotient), _CMP_LE_OQ);
    return _mm512_mask_cvttpd_epi64(_mm512_set1_epi64(-1), binned,
                                    _mm512_add_pd(quotients, _mm512_set1_pd(BinRulesDetail::kEdgeTolerance)));
}

// Eight BinnedValues: each bin beside its lag.
NEROLITH_AVX512 void StorePairs(BinnedValue* out, __m512i bins, __m512d lags)
{
    const __m512i values = _mm512_castpd_si512(lags);
    auto* const to = reinterpret_cast<std::int64_t*>(out);
    _mm512_storeu_si512(to, _mm512_permutex2var_epi64(bins, _mm512_set_epi64(11, 3, 10, 2, 9, 1, 8, 0), values));
    _mm512_storeu_si512(to + 8,
                        _mm512_permutex2var_epi64(bins, _mm512_set_epi64(15, 7, 14, 6, 13, 5, 12, 4), values));
}

// How many leading times have a lag below the limit, eight at a time.
NEROLITH_AVX512 std::size_t LeadingLagsBelow(std::span<const double> times, double reference, double limit)
{
    const std::size_t size = times.size();
    const __m512d references = _mm512_set1_pd(reference);
    const __m512d limits = _mm512_set1_pd(limit);
    std::size_t i = 0;
    while (i < size) {
        const __mmask8 present = PresentLanes(size - i);
        const __m512d lags = LagsAt(times.data() + i, present, references);
        const std::size_t below = LeadingOnes(_mm512_mask_cmp_pd_mask(present, lags, limits, _CMP_LT_OQ));
        i += below;
        if (below < 8) {
            break;
        }
    }
    return i;
}

__attribute__((target("avx512f,avx512dq"))) std::size_t LeadingLagsBelowAvx512(std::span<const double> times,
                                                                                double reference, double limit)
{
    return LeadingLagsBelow(times, reference, limit);
}

__attribute__((target("avx512f,avx512dq"))) std::size_t BinLagRunAvx512(std::span<const double> times,
                                                                        double reference, const LagWindow& window,
                                                                        double binSize, BinnedValue* out)
{
    const std::size_t size = times.size();
    const __m512d references = _mm512_set1_pd(reference);
    std::size_t i = LeadingLagsBelow(times, reference, window.LowestLag(binSize));
    const __m512d maximum = _mm512_set1_pd(window.maximum);
    const __m512d minimum = _mm512_set1_pd(window.minimum);
    const __m512d bins = _mm512_set1_pd(binSize);
    std::size_t counted = 0;
    for (; i < size; i += 8) {
        const __mmask8 present = PresentLanes(size - i);
        const __m512d lags = LagsAt(times.data() + i, present, references);
        const std::size_t inside = LeadingOnes(_mm512_mask_cmp_pd_mask(present, lags, maximum, _CMP_LT_OQ));
        StorePairs(out + counted, CountedBins(lags, minimum, bins), lags);
        counted += inside;
        if (inside < 8) {
            break;
        }
    }
    return counted;
}
#undef NEROLITH_AVX512
#pragma GCC diagnostic pop

std::size_t LeadingLagsBelowEach(std::span<const double> times, double reference, double limit)
{
    std::size_t count = 0;
    while (count < times.size() && times[count] - reference < limit) {
        ++count;
    }
    return count;
}

bool HasAvx512()
{
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
    return has;
}

} // namespace

std::size_t BinLagRunEach(std::span<const double> times, double reference, const LagWindow& window, double binSize,
                          BinnedValue* out)
{
    const double* time = times.data() + LeadingLagsBelowEach(times, reference, window.LowestLag(binSize));
    const double* const end = times.data() + times.size();
    std::size_t counted = 0;
    for (; time != end && *time - reference < window.maximum; ++time) {
        const double lag = *time - reference;
        out[counted++] = {CountedBin((lag - window.minimum) / binSize), lag};
    }
    return counted;
}

std::size_t CountLeadingLagsBelow(std::span<const double> times, double reference, double limit)
{
    return HasAvx512() ? LeadingLagsBelowAvx512(times, reference, limit)
                       : LeadingLagsBelowEach(times, reference, limit);
}

std::size_t BinLagRun(std::span<const double> times, double reference, const LagWindow& window, double binSize,
                      BinnedValue* out)
{
    return HasAvx512() ? BinLagRunAvx512(times, reference, window, binSize, out)
                       : BinLagRunEach(times, reference, window, binSize, out);
}

} // namespace Nerolith
