#include <cfloat>

#include <gtest/gtest.h>

#include "detection/SpikeDetFunctionClass.h"
#include "detection/UnitSelectorFunctionClass.h"
#include "host/IEnumEventEx.h"
#include "platform/com/ComPtr.h"
#include "shell/ClassObject.h"

namespace CalcEnums {
namespace {

struct Param {
    VEX::String name;
    double minimum = 0;
    double maximum = 0;
};

Param InfoOf(ICalcNumericParamsFuncClass& functionClass, std::int32_t index)
{
    Param param;
    EXPECT_EQ(S_OK, functionClass.ParamInfo(index, &param.name, &param.minimum, &param.maximum));
    return param;
}

bool IsRegistered(ICalcNumericParamsFuncClass* functionClass)
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
    VEX::String text;
    spikeDet.FunctionName(&text);
    EXPECT_EQ(VEX::String(u"SpikeDet"), text);
    spikeDet.ClassName(&text);
    EXPECT_EQ(VEX::String(u"SpikeDetector"), text);
    spikeDet.Description(&text);
    EXPECT_EQ(VEX::String(u"Detect spikes using a simple threshold."), text);
    ASSERT_EQ(11, spikeDet.ParamCount());

    const Param source = InfoOf(spikeDet, 0);
    EXPECT_EQ(VEX::String(u"Tick Source"), source.name);
    EXPECT_EQ(0.0, source.minimum);
    EXPECT_EQ(0.0, source.maximum);
    const Param height = InfoOf(spikeDet, 1);
    EXPECT_EQ(-DBL_MAX, height.minimum);
    EXPECT_EQ(DBL_MAX, height.maximum);
    EXPECT_EQ(2147483647.0, InfoOf(spikeDet, 4).maximum);
    EXPECT_EQ(1.0, InfoOf(spikeDet, 6).maximum);
    const Param endTick = InfoOf(spikeDet, 10);
    EXPECT_EQ(VEX::String(u"LimitEnd Tick"), endTick.name);
    EXPECT_EQ(-1.0, endTick.minimum);

    VEX::String name;
    double minimum = 0;
    double maximum = 0;
    EXPECT_EQ(E_INVALIDARG, spikeDet.ParamInfo(11, &name, &minimum, &maximum));
    EXPECT_EQ(E_INVALIDARG, spikeDet.ParamInfo(-1, &name, &minimum, &maximum));

    ICalcEnum* created = nullptr;
    ASSERT_EQ(S_OK, spikeDet.CreateEnumerator(&created));
    auto enumerator = ComPtr<ICalcEnum>::Attach(created);
    auto events = enumerator.As<IEnumEventEx>();
    ASSERT_TRUE(events);
    EXPECT_EQ(48, events->EventSize());
    EXPECT_TRUE(IsRegistered(&spikeDet));
}

TEST(SpikeDetFunctionClass, DescribesUnitSelector)
{
    UnitSelectorFunctionClass& selector = UnitSelectorClass();
    VEX::String text;
    selector.FunctionName(&text);
    EXPECT_EQ(VEX::String(u"UnitSelector"), text);
    selector.ClassName(&text);
    EXPECT_EQ(VEX::String(u"Unit Selector"), text);
    ASSERT_EQ(2, selector.ParamCount());
    EXPECT_EQ(VEX::String(u"Event Source"), InfoOf(selector, 0).name);
    const Param index = InfoOf(selector, 1);
    EXPECT_EQ(VEX::String(u"Calc Index"), index.name);
    EXPECT_EQ(2147483647.0, index.maximum);
    VEX::String name;
    double minimum = 0;
    double maximum = 0;
    EXPECT_EQ(E_INVALIDARG, selector.ParamInfo(2, &name, &minimum, &maximum));
    EXPECT_TRUE(IsRegistered(&selector));
}

} // namespace
} // namespace CalcEnums
