#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "desk/document/DocumentContents.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Stream.h"
#include "platform/error/XVEX.h"

namespace DocumentTests {

// A fresh directory per test, removed with everything in it afterwards.
class TempDirectory {
public:
    TempDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "nerolith-doc-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDirectory() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The module's persistence object as the document sees it: writes `stream`,
// remembers what it was given to load, and can fail on request.
class FakeSettings final : public UnknownImpl<IPersistStreamInit> {
public:
    HRESULT GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT IsDirty() override { return dirty ? S_OK : S_FALSE; }
    HRESULT Load(IStream* input) override
    {
        if (rejectLoad) {
            throw VEX::XVEX("malformed string");
        }
        std::uint8_t chunk[7];
        std::uint32_t read = 0;
        while (input->Read(chunk, sizeof chunk, &read), read > 0) {
            loaded.insert(loaded.end(), chunk, chunk + read);
        }
        return result;
    }
    HRESULT Save(IStream* output, bool clearDirty) override
    {
        output->Write(stream.data(), static_cast<std::uint32_t>(stream.size()), nullptr);
        dirty = dirty && !clearDirty;
        return result;
    }
    HRESULT GetSizeMax(std::uint64_t*) override { return E_NOTIMPL; }
    HRESULT InitNew() override { return S_OK; }

    std::vector<std::uint8_t> stream;
    std::vector<std::uint8_t> loaded;
    bool dirty = true;
    bool rejectLoad = false;
    HRESULT result = S_OK;
};

// Every kind of item, with the awkward values: zero bytes, an empty blob,
// a negative channel, two views of one kind, UTF-8 and an embedded NUL.
inline Desk::DocumentContents SampleContents()
{
    Desk::DocumentContents contents;
    contents.recording = {"/data/r\xC3\xA9" "cording.json", "raw:0123456789abcdef"};
    for (int i = 0; i < 600; ++i) {
        contents.moduleSettings.push_back(static_cast<std::uint8_t>(i * 7));
    }
    contents.eventSources = {{"NerolithSpikes1", "SpikeDet(ch1, 0.2, 0.001, 0.004, 0, 1, 0, 0, 0, 0, 0)"},
                             {"Stim", "ch2"}};
    contents.channelCalculations = {{3, "SpikeChannel", {0, 0, 1, 0}}, {-1, "Other", {}}};
    contents.views = {{"ISIH", {'{', '}'}}, {"PSTH", {0}}, {"ISIH", {1, 2, 3}}};
    contents.values = {{"window", "10,20,800,600"}, {std::string("odd\0key", 7), "\xE2\x82\xAC"}};
    return contents;
}

} // namespace DocumentTests
