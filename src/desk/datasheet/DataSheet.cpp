#include "desk/datasheet/DataSheet.h"

#include <stdexcept>
#include <string>

#include "desk/runtime/ModuleLoader.h"
#include "desk/runtime/Session.h"

namespace Desk {
namespace {

DataSheetColumn MakeColumn(IDataSheetFunctionClass& functionClass, IUnknown* moduleDocument)
{
    DataSheetColumn column;
    column.functionClass = ComPtr<IDataSheetFunctionClass>(&functionClass);
    functionClass.Name(&column.className);
    functionClass.Description(&column.description);
    if (Failed(functionClass.Create(moduleDocument, column.function.Put())) || !column.function) {
        throw std::runtime_error("the Data Sheet function " + column.className.ToUtf8() +
                                 " cannot be made for this document");
    }
    return column;
}

} // namespace

DataSheet::DataSheet(const ClassRegistry& registry, IUnknown* moduleDocument)
{
    // A module registers its class object list newest first, so the reverse
    // of the registration order is the order in which it made its functions.
    const auto classes = registry.FindAll<IDataSheetFunctionClass>(Host::ClassRole::DataSheetFunction);
    for (auto functionClass = classes.rbegin(); functionClass != classes.rend(); ++functionClass) {
        columns_.push_back(MakeColumn(**functionClass, moduleDocument));
    }
}

DataSheet::DataSheet(Session& session) : DataSheet(ModuleLoader::Load(), session.ModuleDocument().Get()) {}

std::vector<DataSheetCell> DataSheet::Row(std::int32_t channel) const
{
    std::vector<DataSheetCell> cells;
    cells.reserve(columns_.size());
    for (const DataSheetColumn& column : columns_) {
        DataSheetCell cell;
        column.function->Name(&cell.name);
        column.function->Units(&cell.units);
        if (Failed(column.function->Value(channel, &cell.value))) {
            throw std::runtime_error(cell.name.ToUtf8() + ": no value for channel " + std::to_string(channel + 1));
        }
        cells.push_back(std::move(cell));
    }
    return cells;
}

} // namespace Desk
