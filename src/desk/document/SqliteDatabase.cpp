#include "desk/document/SqliteDatabase.h"

#include <cstring>

#include <sqlite3.h>

#include "desk/document/SqliteStatement.h"

namespace Desk {
namespace {

// Another process (the desktop program and a script) may hold the file for a
// moment; wait for it rather than fail at once.
constexpr int kBusyTimeoutMs = 5000;

int OpenFlags(SqliteDatabase::Mode mode)
{
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE;
    return mode == SqliteDatabase::Mode::CreateIfMissing ? flags | SQLITE_OPEN_CREATE : flags;
}

bool IsFileSystemFailure(int primary)
{
    return primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN;
}

} // namespace

SqliteDatabase::SqliteDatabase(std::string path, Mode mode) : path_(std::move(path))
{
    const int code = sqlite3_open_v2(path_.c_str(), &db_, OpenFlags(mode), nullptr);
    try {
        Check(code);
        // A document may come from anyone: its schema must not be able to run
        // functions, nor SQL be able to corrupt the file on purpose.
        Check(sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr));
        Check(sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr));
        Check(sqlite3_busy_timeout(db_, kBusyTimeoutMs));
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close(db_);
}

void SqliteDatabase::Execute(const char* sql)
{
    Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr));
}

std::int64_t SqliteDatabase::QueryInteger(const char* sql)
{
    SqliteStatement query(*this, sql);
    if (!query.Step()) {
        FailDamaged(std::string("no answer to ") + sql);
    }
    return query.Integer(0);
}

void SqliteDatabase::RollbackQuietly() noexcept
{
    if (sqlite3_get_autocommit(db_) == 0) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void SqliteDatabase::Check(int code) const
{
    if (code != SQLITE_OK) {
        Fail(code);
    }
}

void SqliteDatabase::Fail(int code) const
{
    throw SqliteError(path_ + ": " + Reason(code), code & 0xFF);
}

void SqliteDatabase::FailDamaged(const std::string& detail) const
{
    throw SqliteError(path_ + ": the file is damaged (" + detail + ")", SQLITE_CORRUPT);
}

std::string SqliteDatabase::Reason(int code) const
{
    const int primary = code & 0xFF;
    if (primary == SQLITE_NOTADB) {
        return "not an SQLite database";
    }
    if (primary == SQLITE_CORRUPT) {
        return "the file is damaged";
    }
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        return "the document is busy: another program has been saving it for " +
               std::to_string(kBusyTimeoutMs / 1000) + " s";
    }
    std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    const int systemError = db_ != nullptr ? sqlite3_system_errno(db_) : 0;
    if (IsFileSystemFailure(primary) && systemError != 0) {
        reason += std::string(" (") + std::strerror(systemError) + ")";
    }
    return reason;
}

} // namespace Desk
