#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <edflib.h>

namespace Desk {

// An EDF, EDF+C, BDF or BDF+C file open in EDFlib. EDFlib refuses to open
// one file twice and is not thread-safe, so every recording of the same
// file shares one handle, and every EDFlib call runs under one lock.
class EdfLibFile {
public:
    // Opens the file, or shares the handle already open. Sets
    // `discontinuous` (and opens nothing) when EDFlib refuses the file as
    // EDF+D or BDF+D; throws RecordingError for every other refusal.
    EdfLibFile(const std::string& path, bool& discontinuous);
    ~EdfLibFile();
    EdfLibFile(const EdfLibFile&) = delete;
    EdfLibFile& operator=(const EdfLibFile&) = delete;

    bool IsOpen() const { return shared_ != nullptr; }
    const edf_hdr_struct& Header() const;
    const std::vector<edf_annotation_struct>& Annotations() const;

    // Reads physical samples [first, first + count) of an EDFlib signal
    // (annotation signals not counted); returns how many it read.
    std::size_t ReadPhysical(int signal, long long first, std::size_t count, double* out) const;

private:
    struct Shared;
    // Open files by canonical path; guarded by the EDFlib lock.
    static std::map<std::string, std::unique_ptr<Shared>>& OpenFiles();

    std::string key_;
    Shared* shared_ = nullptr;
};

} // namespace Desk
