#include "desk/document/DocumentFile.h"

#include <filesystem>
#include <limits>
#include <string>

#include <sqlite3.h>

#include "desk/document/ModuleSettings.h"
#include "desk/document/SqliteDatabase.h"
#include "desk/document/SqliteStatement.h"

namespace Desk {
namespace {

constexpr std::int64_t kApplicationId = 0x4E726C64;

constexpr const char* kTables[] = {"meta", "module_settings", "event_sources", "channel_calculations", "views",
                                   "host_values"};

// Dropping first lets a save turn a file of an earlier layout into the
// current one; everything is written anew anyway.
constexpr const char* kCreateTables = R"(
DROP TABLE IF EXISTS meta;
DROP TABLE IF EXISTS module_settings;
DROP TABLE IF EXISTS event_sources;
DROP TABLE IF EXISTS channel_calculations;
DROP TABLE IF EXISTS views;
DROP TABLE IF EXISTS host_values;
CREATE TABLE meta(key TEXT PRIMARY KEY, value NOT NULL);
CREATE TABLE module_settings(stream BLOB NOT NULL);
CREATE TABLE event_sources(position INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, expression TEXT NOT NULL);
CREATE TABLE channel_calculations(position INTEGER PRIMARY KEY, channel INTEGER NOT NULL,
                                  class_name TEXT NOT NULL, settings BLOB NOT NULL);
CREATE TABLE views(position INTEGER PRIMARY KEY, kind TEXT NOT NULL, settings BLOB NOT NULL);
CREATE TABLE host_values(key TEXT PRIMARY KEY, value TEXT NOT NULL);
)";

enum class FileKind { EmptyDatabase, NerolithDocument };

// Tells this program's documents from every other file by the header alone.
FileKind Identify(SqliteDatabase& db)
{
    const std::int64_t applicationId = db.QueryInteger("PRAGMA application_id");
    if (applicationId == kApplicationId) {
        return FileKind::NerolithDocument;
    }
    if (applicationId == 0 && db.QueryInteger("SELECT count(*) FROM sqlite_schema") == 0) {
        return FileKind::EmptyDatabase;
    }
    throw DocumentError(db.Path() + ": not a Nerolith document (an SQLite database of another program)");
}

void RequireTable(SqliteDatabase& db, const char* name)
{
    SqliteStatement query(db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?1");
    query.BindText(1, name);
    if (!query.Step() || query.Integer(0) != 1) {
        db.FailDamaged(std::string("table ") + name + " is missing");
    }
}

void RequireReadableFormat(SqliteDatabase& db)
{
    RequireTable(db, "meta");
    SqliteStatement query(db, "SELECT value FROM meta WHERE key = 'format'");
    if (!query.Step()) {
        db.FailDamaged("it has no format version");
    }
    const std::int64_t format = query.Integer(0);
    if (format > DocumentFile::kFormatVersion) {
        throw DocumentError(db.Path() + ": written by a later version of Nerolith (document format " +
                            std::to_string(format) + "; this version reads format " +
                            std::to_string(DocumentFile::kFormatVersion) + " and earlier)");
    }
    if (format < 1) {
        db.FailDamaged("unknown format version " + std::to_string(format));
    }
}

// Runs `work` and gives any failure of it the action that failed, and the
// plain words for a file that is no database at all.
template <typename Work>
auto ReportingFailures(const std::string& action, const std::string& path, Work work)
{
    try {
        return work();
    } catch (const SqliteError& error) {
        if (error.Code() == SQLITE_NOTADB) {
            throw DocumentError(action + path + ": not a Nerolith document (not an SQLite database)");
        }
        throw DocumentError(action + error.what());
    } catch (const DocumentError& error) {
        throw DocumentError(action + error.what());
    }
}

// --- writing ---

void WriteMeta(SqliteDatabase& db, const RecordingReference& recording)
{
    SqliteStatement insert(db, "INSERT INTO meta(key, value) VALUES (?1, ?2)");
    insert.BindText(1, "format");
    insert.BindInteger(2, DocumentFile::kFormatVersion);
    insert.Run();
    insert.BindText(1, "recording_path");
    insert.BindText(2, recording.path);
    insert.Run();
    insert.BindText(1, "recording_fingerprint");
    insert.BindText(2, recording.fingerprint);
    insert.Run();
}

void WriteModuleSettings(SqliteDatabase& db, const std::vector<std::uint8_t>& stream)
{
    SqliteStatement insert(db, "INSERT INTO module_settings(stream) VALUES (?1)");
    insert.BindBlob(1, stream);
    insert.Run();
}

void WriteEventSources(SqliteDatabase& db, const std::vector<EventSourceItem>& sources)
{
    SqliteStatement insert(db, "INSERT INTO event_sources(position, name, expression) VALUES (?1, ?2, ?3)");
    for (std::size_t i = 0; i < sources.size(); ++i) {
        insert.BindInteger(1, static_cast<std::int64_t>(i));
        insert.BindText(2, sources[i].name);
        insert.BindText(3, sources[i].expression);
        insert.Run();
    }
}

void WriteChannelCalculations(SqliteDatabase& db, const std::vector<ChannelCalculationItem>& calculations)
{
    SqliteStatement insert(
        db, "INSERT INTO channel_calculations(position, channel, class_name, settings) VALUES (?1, ?2, ?3, ?4)");
    for (std::size_t i = 0; i < calculations.size(); ++i) {
        insert.BindInteger(1, static_cast<std::int64_t>(i));
        insert.BindInteger(2, calculations[i].channel);
        insert.BindText(3, calculations[i].className);
        insert.BindBlob(4, calculations[i].settings);
        insert.Run();
    }
}

void WriteViews(SqliteDatabase& db, const std::vector<ViewItem>& views)
{
    SqliteStatement insert(db, "INSERT INTO views(position, kind, settings) VALUES (?1, ?2, ?3)");
    for (std::size_t i = 0; i < views.size(); ++i) {
        insert.BindInteger(1, static_cast<std::int64_t>(i));
        insert.BindText(2, views[i].kind);
        insert.BindBlob(3, views[i].settings);
        insert.Run();
    }
}

void WriteValues(SqliteDatabase& db, const std::map<std::string, std::string>& values)
{
    SqliteStatement insert(db, "INSERT INTO host_values(key, value) VALUES (?1, ?2)");
    for (const auto& [key, value] : values) {
        insert.BindText(1, key);
        insert.BindText(2, value);
        insert.Run();
    }
}

void WriteContents(SqliteDatabase& db, const DocumentContents& contents)
{
    db.Execute(kCreateTables);
    db.Execute(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
    WriteMeta(db, contents.recording);
    WriteModuleSettings(db, contents.moduleSettings);
    WriteEventSources(db, contents.eventSources);
    WriteChannelCalculations(db, contents.channelCalculations);
    WriteViews(db, contents.views);
    WriteValues(db, contents.values);
}

void SaveInOneTransaction(SqliteDatabase& db, const DocumentContents& contents,
                          const std::function<void()>& beforeCommit)
{
    db.Execute("PRAGMA journal_mode = DELETE");
    db.Execute("PRAGMA synchronous = FULL");
    db.Execute("BEGIN IMMEDIATE");
    try {
        if (Identify(db) == FileKind::NerolithDocument) {
            RequireReadableFormat(db);
        }
        WriteContents(db, contents);
        if (beforeCommit) {
            beforeCommit();
        }
        db.Execute("COMMIT");
    } catch (...) {
        db.RollbackQuietly();
        throw;
    }
}

// --- reading ---

std::string MetaText(SqliteDatabase& db, const char* key)
{
    SqliteStatement query(db, "SELECT value FROM meta WHERE key = ?1");
    query.BindText(1, key);
    if (!query.Step()) {
        db.FailDamaged(std::string("no ") + key);
    }
    return query.Text(0);
}

std::vector<std::uint8_t> ReadModuleSettings(SqliteDatabase& db)
{
    SqliteStatement query(db, "SELECT stream FROM module_settings");
    if (!query.Step()) {
        db.FailDamaged("the module's settings are missing");
    }
    std::vector<std::uint8_t> stream = query.Blob(0);
    if (query.Step()) {
        db.FailDamaged("more than one module settings stream");
    }
    return stream;
}

std::vector<EventSourceItem> ReadEventSources(SqliteDatabase& db)
{
    std::vector<EventSourceItem> sources;
    SqliteStatement query(db, "SELECT name, expression FROM event_sources ORDER BY position");
    while (query.Step()) {
        sources.push_back({query.Text(0), query.Text(1)});
    }
    return sources;
}

std::int32_t ChannelNumber(SqliteDatabase& db, std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        db.FailDamaged("channel number " + std::to_string(value) + " out of range");
    }
    return static_cast<std::int32_t>(value);
}

std::vector<ChannelCalculationItem> ReadChannelCalculations(SqliteDatabase& db)
{
    std::vector<ChannelCalculationItem> calculations;
    SqliteStatement query(db, "SELECT channel, class_name, settings FROM channel_calculations ORDER BY position");
    while (query.Step()) {
        calculations.push_back({ChannelNumber(db, query.Integer(0)), query.Text(1), query.Blob(2)});
    }
    return calculations;
}

std::vector<ViewItem> ReadViews(SqliteDatabase& db)
{
    std::vector<ViewItem> views;
    SqliteStatement query(db, "SELECT kind, settings FROM views ORDER BY position");
    while (query.Step()) {
        views.push_back({query.Text(0), query.Blob(1)});
    }
    return views;
}

std::map<std::string, std::string> ReadValues(SqliteDatabase& db)
{
    std::map<std::string, std::string> values;
    SqliteStatement query(db, "SELECT key, value FROM host_values");
    while (query.Step()) {
        values.emplace(query.Text(0), query.Text(1));
    }
    return values;
}

DocumentContents ReadContents(SqliteDatabase& db)
{
    for (const char* table : kTables) {
        RequireTable(db, table);
    }
    DocumentContents contents;
    contents.recording = {MetaText(db, "recording_path"), MetaText(db, "recording_fingerprint")};
    contents.moduleSettings = ReadModuleSettings(db);
    contents.eventSources = ReadEventSources(db);
    contents.channelCalculations = ReadChannelCalculations(db);
    contents.views = ReadViews(db);
    contents.values = ReadValues(db);
    return contents;
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool IsEmptyFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::file_size(path, error) == 0 && !error;
}

[[noreturn]] void FailNoSavedAnalysis(const std::string& path)
{
    throw DocumentError(path + ": no saved analysis");
}

} // namespace

DocumentFile::DocumentFile(std::string path) : path_(std::move(path)) {}

void DocumentFile::Save(const DocumentContents& contents) const
{
    const bool existed = Exists(path_);
    try {
        ReportingFailures("cannot save ", path_, [&] {
            SqliteDatabase db(path_, SqliteDatabase::Mode::CreateIfMissing);
            SaveInOneTransaction(db, contents, beforeCommit_);
        });
    } catch (const DocumentError&) {
        // A first save that failed must not leave an empty file that looks
        // like a document; one another program saved meanwhile stays.
        if (!existed && IsEmptyFile(path_)) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
        throw;
    }
}

void DocumentFile::Save(DocumentContents contents, IPersistStreamInit* moduleSettings) const
{
    contents.moduleSettings = SaveSettings(moduleSettings, false);
    Save(contents);
    // Writing the settings once more is the only way the protocol offers to
    // clear the modified flag; the copy itself is not needed.
    SaveSettings(moduleSettings, true);
}

DocumentContents DocumentFile::Open() const
{
    return ReportingFailures("cannot open ", path_, [&] {
        if (!Exists(path_)) {
            throw DocumentError(path_ + ": no such file");
        }
        if (IsEmptyFile(path_)) {
            FailNoSavedAnalysis(path_);
        }
        SqliteDatabase db(path_, SqliteDatabase::Mode::OpenExisting);
        db.Execute("BEGIN");
        if (Identify(db) == FileKind::EmptyDatabase) {
            FailNoSavedAnalysis(path_);
        }
        RequireReadableFormat(db);
        DocumentContents contents = ReadContents(db);
        db.Execute("COMMIT");
        return contents;
    });
}

bool DocumentFile::HoldsSavedAnalysis() const
{
    if (!Exists(path_) || IsEmptyFile(path_)) {
        return false;
    }
    return ReportingFailures("cannot open ", path_, [&] {
        SqliteDatabase db(path_, SqliteDatabase::Mode::OpenExisting);
        db.Execute("BEGIN");
        const bool holds = Identify(db) == FileKind::NerolithDocument;
        db.Execute("COMMIT");
        return holds;
    });
}

} // namespace Desk
