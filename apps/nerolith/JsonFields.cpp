#include "JsonFields.h"

namespace Nerolith::Cli {

double JsonFields::NumberValue(const nlohmann::json& value, const std::string& what)
{
    if (!value.is_number() || !std::isfinite(value.get<double>())) {
        Refuse(value, what, "a finite number");
    }
    return value.get<double>();
}

void JsonFields::Refuse(const nlohmann::json& value, const std::string& what, const std::string& wanted)
{
    throw JsonFieldError("\"" + what + "\" must be " + wanted + ", not " + value.dump());
}

} // namespace Nerolith::Cli
