#pragma once

#include <cstdint>
#include <vector>

#include "desk/runtime/ClassRegistry.h"
#include "host/IDataSheetFunction.h"
#include "platform/com/ComPtr.h"

namespace Desk {

class Session;

// A column: a function made for the document, with its class's name and
// description.
struct DataSheetColumn {
    VEX::String className;
    VEX::String description;
    ComPtr<IDataSheetFunction> function;
    // For its options dialog.
    ComPtr<IDataSheetFunctionClass> functionClass;
};

// A cell as the Data Sheet shows it: the function's name, its value for the
// row's channel and its units text.
struct DataSheetCell {
    VEX::String name;
    Host::Variant value;
    VEX::String units;
};

// The host's Data Sheet of one document: a column for each registered Data
// Sheet function class, made for the module's document. Values are asked
// for afresh at each evaluation.
class DataSheet {
public:
    // Throws std::runtime_error when a class cannot make its function for
    // the document.
    DataSheet(const ClassRegistry& registry, IUnknown* moduleDocument);
    // The Data Sheet of a session's document, with the loaded module's
    // classes.
    explicit DataSheet(Session& session);

    const std::vector<DataSheetColumn>& Columns() const { return columns_; }
    // The cells of a channel's row, in column order. Throws
    // std::runtime_error naming the function when one refuses the channel.
    std::vector<DataSheetCell> Row(std::int32_t channel) const;

private:
    std::vector<DataSheetColumn> columns_;
};

} // namespace Desk
