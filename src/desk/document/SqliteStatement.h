#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace Desk {

class SqliteDatabase;

// One prepared statement. Parameters count from 1 and columns from 0, as in
// SQLite. Reading a column of another type than asked means the file is not
// what this program wrote: that is reported as damage, never converted.
class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase& database, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void BindInteger(int index, std::int64_t value);
    void BindText(int index, std::string_view text);
    void BindBlob(int index, std::span<const std::uint8_t> bytes);

    // Advances to the next result row; false when there is none left.
    bool Step();
    // Runs a statement that returns no rows, then readies it for new values.
    void Run();

    std::int64_t Integer(int column) const;
    std::string Text(int column) const;
    std::vector<std::uint8_t> Blob(int column) const;

private:
    void Check(int code) const;
    void RequireType(int column, int type) const;
    void ThrowIfOutOfMemory() const;

    SqliteDatabase& database_;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace Desk
