#pragma once

#include <cstdint>
#include <string>

#include "desk/document/DocumentError.h"

struct sqlite3;

namespace Desk {

// A failure SQLite reported, with its primary result code so a caller can
// tell "not a database" from other faults.
class SqliteError : public DocumentError {
public:
    SqliteError(const std::string& message, int code) : DocumentError(message), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

// One connection to one SQLite file. Every failure becomes a SqliteError
// whose message names the file.
class SqliteDatabase {
public:
    enum class Mode { OpenExisting, CreateIfMissing };

    SqliteDatabase(std::string path, Mode mode);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    const std::string& Path() const { return path_; }
    sqlite3* Handle() const { return db_; }

    // Runs SQL whose result rows, if any, are not needed (statements, pragmas).
    void Execute(const char* sql);
    // Runs a query that answers with one integer (a pragma, a count).
    std::int64_t QueryInteger(const char* sql);
    // Ends an open transaction without keeping its changes. Used while another
    // failure is on its way out, which is the one worth reporting.
    void RollbackQuietly() noexcept;

    // Throws the SqliteError for a result code of the last call on this connection.
    [[noreturn]] void Fail(int code) const;
    // Throws a SqliteError saying the file's contents are not as they should be.
    [[noreturn]] void FailDamaged(const std::string& detail) const;

private:
    void Check(int code) const;
    std::string Reason(int code) const;

    std::string path_;
    sqlite3* db_ = nullptr;
};

} // namespace Desk
