#include "desk/calc/CalcEngine.h"

#include "desk/calc/CalcContext.h"
#include "desk/calc/ExpressionBinder.h"
#include "desk/calc/HostCalc.h"

namespace Desk {

CalcEngine::CalcEngine(const Recording& recording, AvailabilityFunction availability)
    : context_(std::make_shared<CalcContext>(recording, std::move(availability))),
      calc_(MakeCom<HostCalc>(context_)),
      calculations_(MakeCom<Desk::ChannelCalculations>(context_))
{
}

CalcEngine::~CalcEngine() = default;

ComPtr<IHostCalc> CalcEngine::Calc() const { return ComPtr<IHostCalc>(calc_.Get()); }

ComPtr<IHostChannelCalculations> CalcEngine::ChannelCalculations() const
{
    return ComPtr<IHostChannelCalculations>(calculations_.Get());
}

ChildDataStore& CalcEngine::ChildData() { return context_->childData; }

HRESULT CalcEngine::RegisterFunctionClass(ICalcNumericParamsFuncClass* functionClass)
{
    return context_->functions.Register(functionClass);
}

HRESULT CalcEngine::OpenCalculatedSamples(std::int32_t channel, std::int32_t block, std::int32_t startTick,
                                          IEnumSamples** samples) const
{
    return calculations_->OpenCalculatedSamples(channel, block, startTick, samples);
}

ComPtr<IChannelCalculation> CalcEngine::Calculation(std::int32_t channel) const
{
    return calculations_->Calculation(channel);
}

std::string CalcEngine::CheckEventExpression(const VEX::String& expression) const
{
    try {
        ExpressionBinder(context_).BindEvents(expression.View());
        return {};
    } catch (const ExpressionError& error) {
        return error.what();
    }
}

} // namespace Desk
