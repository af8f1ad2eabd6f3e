#include "detection/SpikeDetFunctionClass.h"

#include <cfloat>

#include "detection/DetEx_Enumerator.h"

namespace CalcEnums {
namespace {

constexpr ParamDescription kParams[] = {
    {u"Tick Source", 0.0, 0.0},
    {u"Height", -DBL_MAX, DBL_MAX},
    {u"Pretrigger time [s]", 0.0, DBL_MAX},
    {u"Total trigger time [s]", 0.0, DBL_MAX},
    {u"Source channel index", 0.0, 2147483647.0},
    {u"Discrimination mode", 0.0, 1.0},
    {u"Signal mode", 0.0, 1.0},
    {u"LimitStart Record", -1.0, DBL_MAX},
    {u"LimitStart Tick", -1.0, DBL_MAX},
    {u"LimitEnd Record", -1.0, DBL_MAX},
    {u"LimitEnd Tick", -1.0, DBL_MAX},
};

constexpr CLSID kClassId{0x4E524C02, 0x0204, 0x4000, {0x80, 0, 0, 0, 0, 0, 0x02, 0x04}};

SpikeDetFunctionClass instance;

} // namespace

SpikeDetFunctionClass::SpikeDetFunctionClass()
    : CalcEnumNumericParamsClass({u"SpikeDet", u"SpikeDetector", u"Detect spikes using a simple threshold.", kParams,
                                  kClassId})
{
}

HRESULT SpikeDetFunctionClass::CreateEnumerator(ICalcEnum** enumerator)
{
    if (enumerator == nullptr) {
        return E_POINTER;
    }
    *enumerator = new Nerolith::SpikeDetEnumerator();
    return S_OK;
}

SpikeDetFunctionClass& SpikeDetClass() { return instance; }

} // namespace CalcEnums
