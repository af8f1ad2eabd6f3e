// The document file reader: the input is the file; what opens is handed to
// the module as a saved document's settings are.
#include "Expect.h"
#include "FuzzTarget.h"
#include "desk/document/DocumentError.h"
#include "desk/document/DocumentFile.h"
#include "desk/document/ModuleSettings.h"
#include "desk/runtime/Session.h"
#include "desk/recording/EmptyRecording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto session =
        Desk::Session::Over(std::make_unique<Desk::EmptyRecording>(4), MakeCom<Desk::HostServices>(nullptr));
    const std::string path = Fuzz::WriteInput("input.nrl", data, size);
    try {
        const Desk::DocumentContents contents = Desk::DocumentFile(path).Open();
        Desk::LoadSettings(session->ModuleDocument().As<IPersistStreamInit>().Get(), contents.moduleSettings);
        Fuzz::ExpectFiniteRecords(session->Analysis());
    } catch (const Desk::DocumentError&) {
    }
    return 0;
}
