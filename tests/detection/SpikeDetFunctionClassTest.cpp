#include <cfloat>

#include <gtest/gtest.h>

#include "detection/SpikeDetFunctionClass.h"
#include "detection/UnitSelectorFunctionClass.h"
#include "host/IEnumEventEx.h"
#include "module/ClassObject.h"
#include "platform/com/ComPtr.h"

namespace CalcEnums {
namespace {

struct Param {
    VEX::String name;
    double minimum = 0;
    double maximum = 0;
    HRESULT result = S_OK;
};

Param InfoOf(ICalcNumericParamsFuncClass& functionClass, std::int32_t index)
{
    Param param;
    param.result = functionClass.ParamInfo(index, &param.name, &param.minimum, &param.maximum);
    return param;
}

VEX::String Names(ICalcNumericParamsFuncClass& functionClass)
{
    VEX::String function;
    VEX::String className;
    functionClass.FunctionName(&function);
    functionClass.ClassName(&className);
    return function + VEX::String(u"/") + className;
}

bool IsRegisteredCalcFunction(ICalcNumericParamsFuncClass* functionClass)
{
    for (auto* object = Nerolith::ClassObject::Head(); object != nullptr; object = object->Next()) {
        const Host::ClassRegistration registration = object->Registration();
        if (registration.object == functionClass) {
            return registration.role == Host::ClassRole::CalcFunction;
        }
    }
    return false;
}

TEST(SpikeDetFunctionClass, DescribesSpikeDetAndItsParameters)
{
    SpikeDetFunctionClass& spikeDet = SpikeDetClass();
    EXPECT_EQ(VEX::String(u"SpikeDet/SpikeDetector"), Names(spikeDet));
    VEX::String text;
    spikeDet.Description(&text);
    EXPECT_EQ(VEX::String(u"Detect spikes using a simple threshold."), text);
    ASSERT_EQ(11, spikeDet.ParamCount());
    const Param source = InfoOf(spikeDet, 0);
    EXPECT_EQ(VEX::String(u"Tick Source"), source.name);
    EXPECT_EQ(0.0, source.maximum);
    EXPECT_EQ(-DBL_MAX, InfoOf(spikeDet, 1).minimum);
    EXPECT_EQ(2147483647.0, InfoOf(spikeDet, 4).maximum);
    EXPECT_EQ(1.0, InfoOf(spikeDet, 6).maximum);
    const Param endTick = InfoOf(spikeDet, 10);
    EXPECT_EQ(VEX::String(u"LimitEnd Tick"), endTick.name);
    EXPECT_EQ(-1.0, endTick.minimum);
    EXPECT_EQ(DBL_MAX, endTick.maximum);
    EXPECT_EQ(E_INVALIDARG, InfoOf(spikeDet, 11).result);
    EXPECT_EQ(E_INVALIDARG, InfoOf(spikeDet, -1).result);

    ICalcEnum* created = nullptr;
    ASSERT_EQ(S_OK, spikeDet.CreateEnumerator(&created));
    auto events = ComPtr<ICalcEnum>::Attach(created).As<IEnumEventEx>();
    ASSERT_TRUE(events);
    EXPECT_EQ(48, events->EventSize());
    EXPECT_TRUE(IsRegisteredCalcFunction(&spikeDet));
}

TEST(SpikeDetFunctionClass, DescribesUnitSelector)
{
    UnitSelectorFunctionClass& selector = UnitSelectorClass();
    EXPECT_EQ(VEX::String(u"UnitSelector/Unit Selector"), Names(selector));
    VEX::String text;
    selector.Description(&text);
    EXPECT_EQ(VEX::String(u"Select spike event that have been assigned to a specified neural unit"), text);
    ASSERT_EQ(2, selector.ParamCount());
    EXPECT_EQ(VEX::String(u"Event Source"), InfoOf(selector, 0).name);
    const Param index = InfoOf(selector, 1);
    EXPECT_EQ(VEX::String(u"Calc Index"), index.name);
    EXPECT_EQ(2147483647.0, index.maximum);
    EXPECT_EQ(E_INVALIDARG, InfoOf(selector, 2).result);
    EXPECT_TRUE(IsRegisteredCalcFunction(&selector));
}

} // namespace
} // namespace CalcEnums
