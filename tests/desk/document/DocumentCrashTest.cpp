#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "desk/document/DocumentError.h"
#include "desk/document/DocumentFile.h"
#include "desk/document/DocumentTestSupport.h"

using namespace Desk;
using namespace DocumentTests;

namespace {

// A later save far larger than SQLite's page cache, so pages reach the file
// itself before the transaction commits.
DocumentContents HugeSave()
{
    DocumentContents later = SampleContents();
    later.moduleSettings.assign(16u << 20, 0xAB);
    later.views.clear();
    return later;
}

int WaitForExit(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

} // namespace

TEST(DocumentCrash, ASaveKilledJustBeforeItCommitsLeavesTheEarlierSave)
{
    TempDirectory dir;
    const std::string path = dir.File("crash.nrl");
    const DocumentContents earlier = SampleContents();
    DocumentFile(path).Save(earlier);
    const auto sizeBefore = std::filesystem::file_size(path);

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        DocumentFile file(path);
        file.SetBeforeCommit([&] {
            const char reached = 1;
            [[maybe_unused]] const auto written = write(ready[1], &reached, 1);
            for (;;) {
                pause();
            }
        });
        try {
            file.Save(HugeSave());
        } catch (...) {
        }
        _exit(1);
    }
    close(ready[1]);
    char reached = 0;
    const bool paused = read(ready[0], &reached, 1) == 1;
    // Pages already written over the old ones: only the journal can undo them.
    const bool midway = std::filesystem::exists(path + "-journal") && std::filesystem::file_size(path) > sizeBefore;
    kill(child, SIGKILL);
    WaitForExit(child);
    close(ready[0]);

    ASSERT_TRUE(paused) << "the child never reached the commit";
    EXPECT_TRUE(midway);
    EXPECT_EQ(DocumentFile(path).Open(), earlier);
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

TEST(DocumentCrash, ASaveOnAFullDiskFailsClearlyAndLeavesTheEarlierSave)
{
    TempDirectory dir;
    const std::string path = dir.File("full.nrl");
    const DocumentContents earlier = SampleContents();
    DocumentFile(path).Save(earlier);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Files may not grow past 1 MiB in this process: writes fail as on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1u << 20, 1u << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            DocumentFile(path).Save(HugeSave());
        } catch (const DocumentError&) {
            _exit(0);
        } catch (...) {
        }
        _exit(1);
    }
    const int status = WaitForExit(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save must fail with a DocumentError";
    EXPECT_EQ(DocumentFile(path).Open(), earlier);
}
