#pragma once

#include <cstdint>

#include "histograms/DataSheetFuncClassBase.h"

namespace Nerolith {

// One of the module's 80 Data Sheet functions, by its index (see
// DataSheetFunctionTable.h): names and describes it, makes its column
// instances for an analysis document and opens the options dialog.
class SpikeDataSheetClass final : public DataSheetFuncClassBase {
public:
    // Refuses an index outside 0 to 79 (std::out_of_range).
    explicit SpikeDataSheetClass(std::int32_t index);

    std::int32_t Index() const { return index_; }

    // E_INVALIDARG unless `moduleDocument` is this module's analysis
    // document.
    HRESULT Create(IUnknown* moduleDocument, IDataSheetFunction** function) override;
    // Lists the source channel's units; the choice is not applied, as the
    // functions follow the document's selected unit.
    HRESULT ShowOptions(IUnknown* moduleDocument) override;

private:
    std::int32_t index_;
};

// Makes the 80 classes, index 0 to 79, on the first call; each joins the
// class object list as it is made, so the list holds them newest first.
// They live as long as the module.
void ConstructSpikeDataSheetClasses();

} // namespace Nerolith
