// The --units file reader: the input is the file's JSON; what it accepts
// must hold finite numbers.
#include <cmath>
#include <nlohmann/json.hpp>

#include "FuzzTarget.h"
#include "JsonFields.h"
#include "UnitsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        for (const auto& unit : Nerolith::Cli::ReadUnitsFile(nlohmann::json::parse(data, data + size))) {
            Fuzz::Expect(!unit.fitTolerance || std::isfinite(*unit.fitTolerance), "a fit tolerance that is not finite");
            for (std::size_t i = 0; i < unit.widths.size(); ++i) {
                Fuzz::Expect(std::isfinite(unit.widths[i]) && std::isfinite(unit.heights[i]),
                             "a vertex that is not finite");
            }
        }
    } catch (const nlohmann::json::exception&) {
    } catch (const Nerolith::Cli::JsonFieldError&) {
    }
    return 0;
}
