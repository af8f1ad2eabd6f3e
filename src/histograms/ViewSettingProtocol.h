#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com/Result.h"

namespace Nerolith {

class AnalysisView;

// The settings every analysis view takes by name from scripts and the
// command line (ViewSettingName): their texts read and written, each
// handed to the view's own operation. Settings only some views take stay
// with those views.
class ViewSettingProtocol {
public:
    explicit ViewSettingProtocol(AnalysisView& view) : view_(view) {}

    // E_INVALIDARG for a name it does not know or a value it refuses,
    // E_FAIL where the view cannot take it now (a new analysis while the
    // host samples, a picture that cannot be written).
    HRESULT Set(std::u16string_view name, std::u16string_view value);
    // None for a name it does not know.
    std::optional<std::u16string> Get(std::u16string_view name) const;

private:
    HRESULT SetBinSize(std::u16string_view value);
    HRESULT SetPaging(std::u16string_view value);
    HRESULT SetXRange(std::u16string_view value);
    HRESULT SetSelection(std::u16string_view value);
    HRESULT SetPage(std::u16string_view value);
    HRESULT SetStatistics(std::u16string_view value);
    HRESULT SetSize(std::u16string_view value);
    HRESULT WritePicture(std::u16string_view path);
    HRESULT Print(std::u16string_view how);

    AnalysisView& view_;
};

} // namespace Nerolith
