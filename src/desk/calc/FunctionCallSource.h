#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "desk/calc/EventSourceBase.h"
#include "desk/calc/FunctionRegistry.h"

namespace Desk {

// A call of a module function with its arguments bound. Each opening makes
// a fresh enumerator: CreateEnumerator, Setup, Open on the block.
class FunctionCallSource final : public EventSourceBase {
public:
    FunctionCallSource(std::shared_ptr<const CalcContext> context, ComPtr<ICalcNumericParamsFuncClass> function,
                       std::vector<ComPtr<ICalcSource>> sources, std::vector<double> numbers);

    // On the clock of its first source argument.
    HRESULT SampleInterval(std::int32_t block, double* seconds) override;
    HRESULT OpenEvents(std::int32_t block, std::int32_t firstTick, std::int32_t endTick,
                       IEnumEventEx** events) override;

private:
    HRESULT MakeEnumerator(std::int32_t block, std::int32_t firstTick, ComPtr<IEnumEventEx>& events);

    ComPtr<ICalcNumericParamsFuncClass> function_;
    std::vector<ComPtr<ICalcSource>> sources_;
    std::vector<ICalcSource*> sourcePointers_;
    std::vector<double> numbers_;
};

} // namespace Desk
