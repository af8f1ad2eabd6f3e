#include "desk/recording/EdfLibFile.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <mutex>

#include "desk/recording/EdfHeader.h"
#include "desk/recording/Recording.h"
#include "desk/recording/RecordingFile.h"

namespace Desk {

struct EdfLibFile::Shared {
    int handle = -1;
    int users = 0;
    std::unique_ptr<edf_hdr_struct> header = std::make_unique<edf_hdr_struct>();
    std::vector<edf_annotation_struct> annotations;
};

namespace {

std::mutex& EdfLibLock()
{
    static std::mutex lock;
    return lock;
}

std::string DescribeRefusal(int code)
{
    switch (code) {
    case EDFLIB_MALLOC_ERROR: return "EDFlib ran out of memory";
    case EDFLIB_NO_SUCH_FILE_OR_DIRECTORY: return "no such file, or it cannot be opened";
    case EDFLIB_FILE_CONTAINS_FORMAT_ERRORS: return "EDFlib finds format errors in it";
    case EDFLIB_MAXFILES_REACHED: return "too many EDF and BDF files are open at once";
    case EDFLIB_FILE_READ_ERROR: return "it cannot be read";
    case EDFLIB_FILE_ALREADY_OPENED: return "EDFlib has it open already";
    case EDFLIB_FILETYPE_ERROR: return "it is not an EDF or BDF file";
    case EDFLIB_NUMBER_OF_SIGNALS_INVALID: return "its number of signals is invalid";
    default: return "EDFlib refuses it (error " + std::to_string(code) + ")";
    }
}

// EDFlib names no field when it refuses a file; our own header check
// usually does, so its message is preferred when it finds a fault. A header
// that passes it and says EDF+D or BDF+D goes to our own reader, which
// checks the rest.
bool HeaderSaysDiscontinuous(const std::string& path, int code)
{
    if (code != EDFLIB_FILE_CONTAINS_FORMAT_ERRORS && code != EDFLIB_FILE_READ_ERROR && code != EDFLIB_FILETYPE_ERROR
        && code != EDFLIB_NUMBER_OF_SIGNALS_INVALID) {
        return false;
    }
    return ReadEdfHeader(RecordingFile(path)).discontinuous;
}

} // namespace

std::map<std::string, std::unique_ptr<EdfLibFile::Shared>>& EdfLibFile::OpenFiles()
{
    static std::map<std::string, std::unique_ptr<Shared>> files;
    return files;
}

EdfLibFile::EdfLibFile(const std::string& path, bool& discontinuous)
{
    discontinuous = false;
    std::error_code error;
    key_ = std::filesystem::canonical(path, error).string();
    if (error) {
        throw RecordingError(path + ": " + error.message());
    }
    const std::lock_guard lock(EdfLibLock());
    auto& files = OpenFiles();
    if (const auto found = files.find(key_); found != files.end()) {
        shared_ = found->second.get();
        ++shared_->users;
        return;
    }
    auto shared = std::make_unique<Shared>();
    if (edfopen_file_readonly(key_.c_str(), shared->header.get(), EDFLIB_READ_ALL_ANNOTATIONS) != 0) {
        const int code = shared->header->filetype;
        discontinuous = code == EDFLIB_FILE_IS_DISCONTINUOUS || HeaderSaysDiscontinuous(path, code);
        if (discontinuous) {
            return;
        }
        throw RecordingError(path + ": " + DescribeRefusal(code));
    }
    shared->handle = shared->header->handle;
    shared->annotations.resize(static_cast<std::size_t>(shared->header->annotations_in_file));
    for (std::size_t i = 0; i < shared->annotations.size(); ++i) {
        if (edf_get_annotation(shared->handle, static_cast<int>(i), &shared->annotations[i]) != 0) {
            edfclose_file(shared->handle);
            throw RecordingError(path + ": annotation " + std::to_string(i + 1) + " cannot be read");
        }
    }
    shared->users = 1;
    shared_ = shared.get();
    files.emplace(key_, std::move(shared));
}

EdfLibFile::~EdfLibFile()
{
    if (shared_ == nullptr) {
        return;
    }
    const std::lock_guard lock(EdfLibLock());
    if (--shared_->users == 0) {
        edfclose_file(shared_->handle);
        OpenFiles().erase(key_);
    }
}

const edf_hdr_struct& EdfLibFile::Header() const { return *shared_->header; }

const std::vector<edf_annotation_struct>& EdfLibFile::Annotations() const { return shared_->annotations; }

std::size_t EdfLibFile::ReadPhysical(int signal, long long first, std::size_t count, double* out) const
{
    const std::lock_guard lock(EdfLibLock());
    if (edfseek(shared_->handle, signal, first, EDFSEEK_SET) != first) {
        return 0;
    }
    std::size_t done = 0;
    while (done < count) {
        const int chunk = static_cast<int>(std::min<std::size_t>(count - done, INT_MAX));
        const int read = edfread_physical_samples(shared_->handle, signal, chunk, out + done);
        if (read <= 0) {
            break;
        }
        done += static_cast<std::size_t>(read);
    }
    return done;
}

} // namespace Desk
