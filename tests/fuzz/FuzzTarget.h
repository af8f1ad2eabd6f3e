#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// What every harness shares: libFuzzer's entry point, and a scratch folder
// for the harnesses whose reader takes a file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace Fuzz {

// A folder of this process's own, made once and removed at exit.
const std::filesystem::path& ScratchFolder();

// Writes the input to `name` in the scratch folder; returns its path.
std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size);

// What an accepted input must have given; anything else is a wrong
// success, which aborts like a crash so that the fuzzer keeps the input.
inline void Expect(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "wrong success: %s\n", what);
        std::abort();
    }
}

} // namespace Fuzz
