#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "desk/document/DocumentContents.h"
#include "platform/com/Stream.h"

namespace Desk {

// A host document on disk: one SQLite file, format 1.
//
// The application id in the file header (0x4E726C64, "Nrld") marks the file
// as a Nerolith document, so another program's database is refused before
// anything is read from it or written over it. The tables:
//
//   meta(key TEXT PRIMARY KEY, value NOT NULL)
//       'format'                 INTEGER  layout version; a reader refuses a later one
//       'recording_path'         TEXT     RecordingReference::path
//       'recording_fingerprint'  TEXT     RecordingReference::fingerprint
//   module_settings(stream BLOB NOT NULL)
//       one row: the module's settings stream, byte for byte
//   event_sources(position INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, expression TEXT NOT NULL)
//   channel_calculations(position INTEGER PRIMARY KEY, channel INTEGER NOT NULL,
//                        class_name TEXT NOT NULL, settings BLOB NOT NULL)
//   views(position INTEGER PRIMARY KEY, kind TEXT NOT NULL, settings BLOB NOT NULL)
//   host_values(key TEXT PRIMARY KEY, value TEXT NOT NULL)
//
// `position` keeps the order of each list. 'format' in meta is the one thing
// every later layout keeps, so any version can tell that a file is too new.
//
// A save rewrites every table in one transaction with a rollback journal and
// full syncs: an error, a full disk, a crash or a power cut before it commits
// leaves the file exactly as the previous save left it. Between saves the
// document is a single self-contained file (no write-ahead log beside it).
class DocumentFile {
public:
    // The layout this program writes, and the latest one it reads.
    static constexpr std::int64_t kFormatVersion = 1;

    explicit DocumentFile(std::string path);

    const std::string& Path() const { return path_; }

    // Replaces the whole document with `contents`, creating the file if it is
    // missing. Refuses a file that is not a Nerolith document or that a later
    // version wrote, and leaves it untouched.
    void Save(const DocumentContents& contents) const;
    // Saves with the module's current settings stream in place of
    // contents.moduleSettings. The module's modified flag is cleared only once
    // the file holds the settings, so after a failed save it still asks.
    void Save(DocumentContents contents, IPersistStreamInit* moduleSettings) const;

    // Reads the whole document. Refuses a missing, foreign, damaged or
    // later-version file with a DocumentError naming it, and a file that
    // holds no saved analysis (empty: a first save was cut short) with
    // "no saved analysis".
    DocumentContents Open() const;
    // False for a missing file and for one a cut-short first save left
    // (empty, or an empty database once its journal is rolled back), which
    // a save may then take as new.
    bool HoldsSavedAnalysis() const;

    // Runs inside a save's transaction once everything is written, just before
    // it commits: where an interrupted save would do the most harm.
    void SetBeforeCommit(std::function<void()> hook) { beforeCommit_ = std::move(hook); }

private:
    std::string path_;
    std::function<void()> beforeCommit_;
};

} // namespace Desk
