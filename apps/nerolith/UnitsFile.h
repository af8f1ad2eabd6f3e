#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace Nerolith::Cli {

// One unit of a --units file, checked but not yet created.
struct UnitRequest {
    enum class Kind { Contour, Template };
    Kind kind = Kind::Contour;
    std::string name;
    std::vector<double> widths;  // contour vertices
    std::vector<double> heights;
    std::int32_t spike = 0;      // template: from 1
    // Template: absent, the channel's default.
    std::optional<double> fitTolerance;
};

// The units of a --units file: {"units": [...]}, a list. Throws
// JsonFieldError or nlohmann::json::exception naming what is wrong.
std::vector<UnitRequest> ReadUnitsFile(const nlohmann::json& document);

} // namespace Nerolith::Cli
