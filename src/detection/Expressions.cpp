#include "detection/Expressions.h"

#include <locale>
#include <sstream>
#include <string>

namespace Nerolith {
namespace {

// Expressions must parse the same whatever the user's locale.
class ClassicText {
public:
    ClassicText() { stream_.imbue(std::locale::classic()); }

    template <typename T>
    ClassicText& operator<<(const T& value)
    {
        stream_ << value;
        return *this;
    }
    VEX::String Text() const { return VEX::String::FromUtf8(stream_.str()); }

private:
    std::ostringstream stream_;
};

} // namespace

VEX::String SpikeDetExpression(const SpikeDetArguments& a)
{
    ClassicText text;
    text << "SpikeDet(" << (a.signalMode == 1 ? "-" : "") << "ch" << (std::int64_t{a.channel} + 1) << ", "
         << a.threshold << ", " << a.pretriggerTime << ", " << a.totalTriggerTime << ", " << a.channel << ", "
         << a.discriminationMode << ", " << a.signalMode << ", " << a.limitStartRecord << ", " << a.limitStartTick
         << ", " << a.limitEndRecord << ", " << a.limitEndTick << ")";
    return text.Text();
}

VEX::String UnitSelectorExpression(const VEX::String& spikeSourceName, std::int32_t unitNumber)
{
    ClassicText number;
    number << ", " << unitNumber << ")";
    return VEX::String(u"UnitSelector(") + spikeSourceName + number.Text();
}

VEX::String UnitSourceName(std::int32_t unitNumber)
{
    ClassicText text;
    text << "NerolithUnit" << (std::int64_t{unitNumber} + 1);
    return text.Text();
}

} // namespace Nerolith
