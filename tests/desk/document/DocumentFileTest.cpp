#include <fstream>
#include <sys/wait.h>
#include <unistd.h>
#include <random>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "desk/document/DocumentError.h"
#include "desk/document/DocumentFile.h"
#include "desk/document/ModuleSettings.h"
#include "desk/document/DocumentTestSupport.h"

using namespace Desk;
using namespace DocumentTests;
using ::testing::HasSubstr;

namespace {

// Changes a file behind the document's back, as another program would.
void RunSql(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string OpenError(const std::string& path)
{
    try {
        DocumentFile(path).Open();
    } catch (const DocumentError& error) {
        return error.what();
    }
    return "opened";
}

} // namespace

TEST(DocumentFile, RoundTripsEveryItemKindByteForByteAndASecondSaveReplacesTheFirst)
{
    TempDirectory dir;
    const DocumentFile file(dir.File("a.nrl"));
    DocumentContents contents = SampleContents();
    std::mt19937 random(7);
    std::vector<std::uint8_t> large(3'000'000);
    for (auto& byte : large) {
        byte = static_cast<std::uint8_t>(random());
    }
    contents.views.push_back({"RM", large});
    file.Save(contents);
    EXPECT_EQ(file.Open(), contents);

    DocumentContents smaller;
    smaller.recording = {"demo", "demo:1"};
    smaller.eventSources = {{"Stim", "ch3"}};
    file.Save(smaller);
    EXPECT_EQ(file.Open(), smaller) << "items of the first save must not linger";
}

TEST(DocumentFile, RefusesALaterFormatAndLeavesTheFileAsItWas)
{
    TempDirectory dir;
    const std::string path = dir.File("later.nrl");
    DocumentFile(path).Save(SampleContents());
    RunSql(path, "UPDATE meta SET value = 2 WHERE key = 'format'; CREATE TABLE future(x)");
    const std::string before = FileBytes(path);

    EXPECT_THAT(OpenError(path), HasSubstr("later version of Nerolith (document format 2"));
    EXPECT_THROW(DocumentFile(path).Save(SampleContents()), DocumentError);
    EXPECT_EQ(FileBytes(path), before);
}

TEST(DocumentFile, RefusesFilesThatAreNoDocumentNamingThemAndNeverWritesOverThem)
{
    TempDirectory dir;
    const std::string text = dir.File("notes.txt");
    std::ofstream(text) << std::string(3000, 'x');
    const std::string foreign = dir.File("other.db");
    RunSql(foreign, "CREATE TABLE accounts(id); INSERT INTO accounts VALUES (42)");
    const std::string empty = dir.File("empty.nrl");
    std::ofstream{empty};

    EXPECT_EQ(OpenError(text), "cannot open " + text + ": not a Nerolith document (not an SQLite database)");
    EXPECT_THAT(OpenError(foreign), HasSubstr(foreign + ": not a Nerolith document (an SQLite database of another"));
    EXPECT_THAT(OpenError(empty), HasSubstr("empty.nrl: no saved analysis"));
    EXPECT_THAT(OpenError(dir.File("none.nrl")), HasSubstr("none.nrl: no such file"));

    for (const std::string& path : {text, foreign}) {
        const std::string before = FileBytes(path);
        EXPECT_THROW(DocumentFile(path).Save(SampleContents()), DocumentError) << path;
        EXPECT_EQ(FileBytes(path), before) << path;
    }
}

TEST(DocumentFile, ReportsDamageInsteadOfReadingNonsense)
{
    TempDirectory dir;
    const std::string path = dir.File("d.nrl");
    const DocumentFile file(path);
    file.Save(SampleContents());
    RunSql(path, "UPDATE module_settings SET stream = 'text'");
    EXPECT_THAT(OpenError(path), HasSubstr("damaged (unexpected value in column stream)"));

    file.Save(SampleContents());
    RunSql(path, "UPDATE channel_calculations SET channel = 5000000000");
    EXPECT_THAT(OpenError(path), HasSubstr("channel number 5000000000 out of range"));

    file.Save(SampleContents());
    RunSql(path, "DROP TABLE views");
    EXPECT_THAT(OpenError(path), HasSubstr("damaged (table views is missing)"));

    DocumentContents big = SampleContents();
    big.moduleSettings.assign(200'000, 0x5A);
    file.Save(big);
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
    EXPECT_THAT(OpenError(path), HasSubstr(path));
}

TEST(DocumentFile, AFailedSaveKeepsThePreviousOneAndLeavesTheModuleModified)
{
    TempDirectory dir;
    const DocumentFile file(dir.File("m.nrl"));
    auto module = MakeCom<FakeSettings>();
    module->stream = {0x55, 0x14, 0xAA, 0xAA, 0, 0, 0, 0, 10};
    file.Save(SampleContents(), module.Get());
    EXPECT_FALSE(module->dirty);
    const DocumentContents saved = file.Open();
    EXPECT_EQ(saved.moduleSettings, module->stream);

    module->dirty = true;
    DocumentContents clash = SampleContents();
    clash.eventSources.push_back(clash.eventSources.front());
    EXPECT_THROW(file.Save(clash, module.Get()), DocumentError);
    EXPECT_TRUE(module->dirty) << "the user must still be asked to save";
    EXPECT_EQ(file.Open(), saved);

    const DocumentFile fresh(dir.File("fresh.nrl"));
    EXPECT_THROW(fresh.Save(clash), DocumentError);
    EXPECT_FALSE(std::filesystem::exists(fresh.Path())) << "no empty file left that looks like a document";
}

TEST(ModuleSettings, HandsTheStreamOverExactlyAndTurnsModuleFailuresIntoDocumentErrors)
{
    auto module = MakeCom<FakeSettings>();
    const std::vector<std::uint8_t> bytes = SampleContents().moduleSettings;
    LoadSettings(module.Get(), bytes);
    EXPECT_EQ(module->loaded, bytes);

    module->rejectLoad = true;
    EXPECT_THROW(LoadSettings(module.Get(), bytes), DocumentError);
    module->rejectLoad = false;
    module->result = E_FAIL;
    EXPECT_THROW(LoadSettings(module.Get(), bytes), DocumentError);
    EXPECT_THROW(SaveSettings(module.Get(), true), DocumentError);
    EXPECT_THROW(SaveSettings(nullptr, false), DocumentError);
}

// A first save killed just before it commits leaves a file and its journal;
// read back, that is no saved analysis, and the next save takes the file.
TEST(DocumentFile, AFirstSaveKilledPartwayReadsBackAsNoSavedAnalysis)
{
    TempDirectory dir;
    const DocumentFile file(dir.File("cut.nrl"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DocumentFile cut(file.Path());
        cut.SetBeforeCommit([] { _exit(0); });
        cut.Save(SampleContents());
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(std::filesystem::exists(file.Path()));
    EXPECT_FALSE(file.HoldsSavedAnalysis());
    EXPECT_THAT(OpenError(file.Path()), HasSubstr("cut.nrl: no saved analysis"));
    file.Save(SampleContents());
    EXPECT_TRUE(file.HoldsSavedAnalysis());
    EXPECT_EQ(file.Open(), SampleContents());
}
