#pragma once

#include <cstddef>
#include <cstdint>
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

} // namespace Fuzz
