#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "desk/datasheet/DataSheet.h"

namespace Desk {

// A value as text: a string as UTF-8, an integer in decimal, a double in the
// shortest form that reads back to the same value, an empty value as
// nothing.
std::string ValueText(const Host::Variant& value);

// The header "name	value	units", then one line per cell. Tabs and line
// breaks inside a field become blanks, so each cell stays one line of three
// fields.
void WriteTsv(const std::vector<DataSheetCell>& cells, std::ostream& out);

} // namespace Desk
