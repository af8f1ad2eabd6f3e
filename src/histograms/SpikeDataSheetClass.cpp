#include "histograms/SpikeDataSheetClass.h"

#include <stdexcept>
#include <string>

#include "detection/SpikeData.h"
#include "histograms/DataSheetFunctionTable.h"
#include "histograms/DataSheetOptionsDialog.h"
#include "histograms/SpikeDataSheetItem.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {
namespace {

std::int32_t CheckedIndex(std::int32_t index)
{
    if (!DataSheetFunctions::IsValidIndex(index)) {
        throw std::out_of_range("no Data Sheet function has the index " + std::to_string(index));
    }
    return index;
}

CLSID ClassIdOf(std::int32_t index)
{
    return {0x4E524C03, static_cast<std::uint16_t>(index), 0x4000, {0x80, 0, 0, 0, 0, 0, 0x03, 0}};
}

// The module's own analysis document behind what the host hands over.
AnalysisDocument* DocumentOf(IUnknown* moduleDocument)
{
    if (moduleDocument == nullptr) {
        return nullptr;
    }
    const ComPtr<ISpikeDocInterface> scripting = ComPtr<IUnknown>(moduleDocument).As<ISpikeDocInterface>();
    return dynamic_cast<AnalysisDocument*>(scripting.Get());
}

} // namespace

SpikeDataSheetClass::SpikeDataSheetClass(std::int32_t index)
    : DataSheetFuncClassBase(DataSheetFunctions::ClassName(CheckedIndex(index)),
                             DataSheetFunctions::Description(index), ClassIdOf(index)),
      index_(index)
{
}

HRESULT SpikeDataSheetClass::Create(IUnknown* moduleDocument, IDataSheetFunction** function)
{
    if (function == nullptr) {
        return E_POINTER;
    }
    *function = nullptr;
    AnalysisDocument* document = DocumentOf(moduleDocument);
    if (document == nullptr) {
        return E_INVALIDARG;
    }
    *function = new SpikeDataSheetItem(*document, index_);
    return S_OK;
}

HRESULT SpikeDataSheetClass::ShowOptions(IUnknown* moduleDocument)
{
    AnalysisDocument* document = DocumentOf(moduleDocument);
    if (document == nullptr) {
        return E_INVALIDARG;
    }
    DataSheetOptionsDialog dialog(nullptr, document->Store().Units().List(document->Settings().sourceChannel),
                                  document->SelectedUnitNumber());
    dialog.Execute();
    return S_OK;
}

void ConstructSpikeDataSheetClasses()
{
    static const bool constructed = [] {
        for (std::int32_t index = 0; index < DataSheetFunctions::kCount; ++index) {
            // Never deleted: the class object list and the host keep them
            // for the life of the module.
            new SpikeDataSheetClass(index);
        }
        return true;
    }();
    static_cast<void>(constructed);
}

} // namespace Nerolith
