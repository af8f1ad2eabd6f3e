#include "FiniteNumber.h"

#include <cmath>

namespace Nerolith::Cli {

CLI::Validator FiniteNumber()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            double value = 0.0;
            if (!CLI::detail::lexical_cast(text, value) || !std::isfinite(value)) {
                return "not a finite number: " + text;
            }
            return {};
        },
        "FINITE");
}

} // namespace Nerolith::Cli
