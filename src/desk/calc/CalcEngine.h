#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "desk/calc/BlockAvailability.h"
#include "desk/calc/ChannelCalculations.h"
#include "desk/calc/ChildDataStore.h"
#include "desk/recording/Recording.h"
#include "host/ICalcEnum.h"
#include "host/IHostCalc.h"
#include "platform/com/ComPtr.h"

namespace Desk {

class CalcContext;
class HostCalc;

// One document's calculation engine: evaluates expressions over the
// recording block by block and hands out sample and event enumerators, keeps
// the document's event sources, the module's functions, child data and
// channel calculations.
//
// `availability` tells, while the host samples, how much of a block exists
// so far; without it every block is complete. The recording must outlive
// the engine and every object it hands out.
class CalcEngine {
public:
    explicit CalcEngine(const Recording& recording, AvailabilityFunction availability = {});
    ~CalcEngine();
    CalcEngine(const CalcEngine&) = delete;
    CalcEngine& operator=(const CalcEngine&) = delete;

    ComPtr<IHostCalc> Calc() const;
    ComPtr<IHostChannelCalculations> ChannelCalculations() const;
    ChildDataStore& ChildData();

    // Makes a module function callable in expressions by its name.
    HRESULT RegisterFunctionClass(ICalcNumericParamsFuncClass* functionClass);

    HRESULT OpenCalculatedSamples(std::int32_t channel, std::int32_t block, std::int32_t startTick,
                                  IEnumSamples** samples) const;
    // The calculation set on a channel (null when none).
    ComPtr<IChannelCalculation> Calculation(std::int32_t channel) const;

    // Why an event expression cannot be evaluated, for a person typing one;
    // empty when it can.
    std::string CheckEventExpression(const VEX::String& expression) const;

private:
    std::shared_ptr<CalcContext> context_;
    ComPtr<HostCalc> calc_;
    ComPtr<Desk::ChannelCalculations> calculations_;
};

} // namespace Desk
