#include "platform/ui/WriteFile.h"

#include <fstream>

namespace platform::ui {

bool WriteFile(const VEX::String& path, std::string_view bytes)
{
    std::ofstream file(path.ToUtf8(), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

} // namespace platform::ui
