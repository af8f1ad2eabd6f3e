// The module's settings stream reader: the input is the stream, loaded into
// a document over an empty four-channel recording and written back.
#include "Expect.h"
#include "FuzzTarget.h"
#include "desk/document/DocumentError.h"
#include "desk/document/ModuleSettings.h"
#include "desk/runtime/Session.h"
#include "desk/recording/EmptyRecording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto session =
        Desk::Session::Over(std::make_unique<Desk::EmptyRecording>(4), MakeCom<Desk::HostServices>(nullptr));
    const ComPtr<IPersistStreamInit> persistence = session->ModuleDocument().As<IPersistStreamInit>();
    try {
        Desk::LoadSettings(persistence.Get(), {data, size});
        Fuzz::ExpectFiniteRecords(session->Analysis());
        Desk::SaveSettings(persistence.Get(), true);
    } catch (const Desk::DocumentError&) {
    }
    return 0;
}
