// The --units file reader: the input is the file's JSON.
#include <nlohmann/json.hpp>

#include "FuzzTarget.h"
#include "JsonFields.h"
#include "UnitsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        Nerolith::Cli::ReadUnitsFile(nlohmann::json::parse(data, data + size));
    } catch (const nlohmann::json::exception&) {
    } catch (const Nerolith::Cli::JsonFieldError&) {
    }
    return 0;
}
