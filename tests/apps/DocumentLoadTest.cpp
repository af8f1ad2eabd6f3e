#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "RunNerolith.h"

// Several programs on one document at the same moment.
namespace {

using RunNerolith::Nerolith;
using RunNerolith::Outcome;
using RunNerolith::Scratch;

// Both saves finish, or one is told the document is busy; the document is
// then one of the two, whole.
TEST(DocumentLoad, TwoSavesAtTheSameMomentLeaveOneOfThemIntact)
{
    const Scratch folder("nerolith-two-saves");
    const std::string document = folder / "d.nrl";
    for (int round = 0; round < 3; ++round) {
        Outcome first;
        Outcome second;
        std::thread one([&] { first = Nerolith("analyze demo --threshold 0.3 --doc " + document + " --save"); });
        std::thread two([&] { second = Nerolith("analyze demo --threshold 0.4 --doc " + document + " --save"); });
        one.join();
        two.join();
        for (const Outcome* run : {&first, &second}) {
            EXPECT_TRUE(run->status == 0 || run->err.find("busy") != std::string::npos) << run->err;
        }
        EXPECT_TRUE(first.status == 0 || second.status == 0);
        const Outcome dump = Nerolith("settings dump " + document);
        ASSERT_EQ(dump.status, 0) << dump.err;
        const bool firstSaved = dump.out.find("\"detectionThreshold\": 0.3") != std::string::npos;
        const bool secondSaved = dump.out.find("\"detectionThreshold\": 0.4") != std::string::npos;
        EXPECT_NE(firstSaved, secondSaved) << dump.out;
    }
}

TEST(DocumentLoad, AnEmptyDocumentFileHoldsNoSavedAnalysis)
{
    const Scratch folder("nerolith-empty-doc");
    RunNerolith::WriteFile(folder / "e.nrl", "");
    for (const std::string command : {"settings dump ", "analyze demo --doc "}) {
        const Outcome run = Nerolith(command + folder / "e.nrl");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("e.nrl: no saved analysis"), std::string::npos) << run.err;
    }
    EXPECT_EQ(Nerolith("analyze demo --doc " + folder / "e.nrl" + " --save").status, 0);
    EXPECT_EQ(Nerolith("settings dump " + folder / "e.nrl").status, 0);
}

} // namespace
