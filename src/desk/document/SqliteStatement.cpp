#include "desk/document/SqliteStatement.h"

#include <new>

#include <sqlite3.h>

#include "desk/document/SqliteDatabase.h"

namespace Desk {

SqliteStatement::SqliteStatement(SqliteDatabase& database, const char* sql) : database_(database)
{
    Check(sqlite3_prepare_v2(database_.Handle(), sql, -1, &statement_, nullptr));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

void SqliteStatement::BindInteger(int index, std::int64_t value)
{
    Check(sqlite3_bind_int64(statement_, index, value));
}

void SqliteStatement::BindText(int index, std::string_view text)
{
    Check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

void SqliteStatement::BindBlob(int index, std::span<const std::uint8_t> bytes)
{
    // A null pointer would bind NULL, not an empty blob.
    if (bytes.empty()) {
        Check(sqlite3_bind_zeroblob(statement_, index, 0));
        return;
    }
    Check(sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT));
}

bool SqliteStatement::Step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code != SQLITE_DONE) {
        database_.Fail(code);
    }
    return false;
}

void SqliteStatement::Run()
{
    while (Step()) {
    }
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::Integer(int column) const
{
    RequireType(column, SQLITE_INTEGER);
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Text(int column) const
{
    RequireType(column, SQLITE_TEXT);
    const auto* text = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    if (text == nullptr) {
        ThrowIfOutOfMemory();
        return {};
    }
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
}

std::vector<std::uint8_t> SqliteStatement::Blob(int column) const
{
    RequireType(column, SQLITE_BLOB);
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    // An empty blob comes back as a null pointer; so does a failed allocation.
    if (bytes == nullptr) {
        ThrowIfOutOfMemory();
        return {};
    }
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

void SqliteStatement::Check(int code) const
{
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) {
        database_.Fail(code);
    }
}

void SqliteStatement::ThrowIfOutOfMemory() const
{
    if (sqlite3_errcode(database_.Handle()) == SQLITE_NOMEM) {
        throw std::bad_alloc();
    }
}

void SqliteStatement::RequireType(int column, int type) const
{
    if (sqlite3_column_type(statement_, column) != type) {
        const char* name = sqlite3_column_name(statement_, column);
        database_.FailDamaged(std::string("unexpected value in column ") + (name ? name : std::to_string(column)));
    }
}

} // namespace Desk
