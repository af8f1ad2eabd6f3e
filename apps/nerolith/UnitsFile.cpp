#include "UnitsFile.h"

#include "JsonFields.h"

namespace Nerolith::Cli {
namespace {

UnitRequest ReadUnit(const nlohmann::json& unit)
{
    UnitRequest request;
    const std::string kind = unit.at("kind").get<std::string>();
    request.name = unit.value("name", std::string());
    if (kind == "contour") {
        for (const auto& vertex : unit.at("vertices")) {
            if (!vertex.is_array() || vertex.size() != 2) {
                throw JsonFieldError("a vertex is [width_ms, height], not " + vertex.dump());
            }
            request.widths.push_back(JsonFields::NumberValue(vertex[0], "vertices"));
            request.heights.push_back(JsonFields::NumberValue(vertex[1], "vertices"));
        }
        if (request.widths.size() < 3) {
            throw JsonFieldError("a contour needs at least three vertices");
        }
    } else if (kind == "template") {
        request.kind = UnitRequest::Kind::Template;
        request.spike = JsonFields::Integer<std::int32_t>(unit, "spike");
        if (unit.contains("fit_tolerance")) {
            request.fitTolerance = JsonFields::Number(unit, "fit_tolerance");
        }
    } else {
        throw JsonFieldError("unknown unit kind \"" + kind + "\"");
    }
    return request;
}

} // namespace

std::vector<UnitRequest> ReadUnitsFile(const nlohmann::json& document)
{
    const nlohmann::json& units = document.at("units");
    if (!units.is_array()) {
        throw JsonFieldError("\"units\" must be a list of units, not " + units.dump());
    }
    std::vector<UnitRequest> requests;
    for (const auto& unit : units) {
        requests.push_back(ReadUnit(unit));
    }
    return requests;
}

} // namespace Nerolith::Cli
