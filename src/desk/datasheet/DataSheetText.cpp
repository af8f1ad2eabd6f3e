#include "desk/datasheet/DataSheetText.h"

#include <algorithm>

#include "platform/text/ShortestNumber.h"

namespace Desk {
namespace {

struct TextOf {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const VEX::String& text) const { return text.ToUtf8(); }
    std::string operator()(std::int32_t number) const { return std::to_string(number); }
    std::string operator()(double number) const { return VEX::ShortestNumber(number); }
};

std::string Field(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

} // namespace

std::string ValueText(const Host::Variant& value) { return std::visit(TextOf{}, value); }

void WriteTsv(const std::vector<DataSheetCell>& cells, std::ostream& out)
{
    out << "name\tvalue\tunits\n";
    for (const DataSheetCell& cell : cells) {
        out << Field(cell.name.ToUtf8()) << '\t' << Field(ValueText(cell.value)) << '\t'
            << Field(cell.units.ToUtf8()) << '\n';
    }
}

} // namespace Desk
