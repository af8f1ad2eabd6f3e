#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/SpikyDocument.h"

using namespace Nerolith;

TEST(DocumentScripting, AssignSpikeMovesOneSpikeAndRefusesWhatDoesNotExist)
{
    TestSupport::SpikyDocument f;
    f.Analyze();
    ASSERT_EQ(f.doc->SpikeCount(), 5);
    const std::int32_t unit = f.Contour();
    f.Analyze();
    ASSERT_EQ(f.SpikeUnits(), std::vector<std::int32_t>(5, unit));

    Host::SpikeInfo second;
    f.doc->GetSpike(1, &second);
    EXPECT_EQ(f.doc->AssignSpike(1, -1), S_OK) << "-1 excludes the spike from all units";
    f.Analyze();
    EXPECT_EQ(f.SpikeUnits(), (std::vector<std::int32_t>{unit, -1, unit, unit, unit}));
    std::vector<Host::HandAssignment> assignments;
    f.doc->GetHandAssignments(&assignments);
    ASSERT_EQ(assignments.size(), 1u);
    EXPECT_EQ(assignments[0].unit, -1);
    EXPECT_EQ(assignments[0].block, second.block);
    EXPECT_EQ(assignments[0].tick, second.tick);

    EXPECT_EQ(f.doc->AssignSpike(1, unit), S_OK) << "a later assignment of the same spike wins";
    f.Analyze();
    EXPECT_EQ(f.SpikeUnits()[1], unit);

    EXPECT_EQ(f.doc->AssignSpike(5, unit), E_INVALIDARG) << "past the last spike";
    EXPECT_EQ(f.doc->AssignSpike(-1, unit), E_INVALIDARG);
    EXPECT_EQ(f.doc->AssignSpike(0, unit + 7), E_INVALIDARG) << "no such unit";
}

TEST(DocumentScripting, ATemplateUnitFromASpikeTakesTheSpikesOfItsShape)
{
    TestSupport::SpikyDocument f;
    f.Analyze();
    std::int32_t number = -1;
    EXPECT_EQ(f.doc->CreateTemplateUnit(2, 0.25, &number), S_OK);
    std::vector<Host::UnitDescription> units;
    f.doc->GetUnits(&units);
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].number, number);
    EXPECT_EQ(units[0].kind, 1);
    EXPECT_EQ(units[0].fitTolerance, 0.25);
    Host::SpikeInfo source;
    f.doc->GetSpike(2, &source);
    EXPECT_EQ(units[0].sourceBlock, source.block);
    f.Analyze();
    EXPECT_EQ(f.SpikeUnits(), std::vector<std::int32_t>(5, number)) << "every spike has the same shape";

    EXPECT_EQ(f.doc->CreateTemplateUnit(5, 0.25, &number), E_INVALIDARG);
    EXPECT_EQ(f.doc->CreateTemplateUnit(0, -0.1, &number), E_INVALIDARG);
    EXPECT_EQ(f.doc->CreateTemplateUnit(0, std::nan(""), &number), E_INVALIDARG);
    EXPECT_EQ(f.doc->CreateTemplateUnit(0, 0.25, nullptr), E_POINTER);
    f.doc->GetUnits(&units);
    EXPECT_EQ(units.size(), 1u) << "a refused unit is not made";
}

TEST(DocumentScripting, ConfirmingSettingsAnalysesAgainOnlyWhenDetectionChanged)
{
    TestSupport::SpikyDocument f;
    f.Analyze();
    Host::ChannelAnalysisRecord record;
    f.doc->GetChannelRecord(0, &record);
    ASSERT_TRUE(record.analyzed);

    record.detectionThreshold = 2.0;
    EXPECT_EQ(f.doc->ConfirmSettings(record), S_OK);
    EXPECT_EQ(f.doc->SpikeCount(), 0) << "no spike reaches the new threshold, at once";
    Host::ChannelAnalysisRecord stored;
    f.doc->GetChannelRecord(0, &stored);
    EXPECT_EQ(stored.detectionThreshold, 2.0);

    record.detectionThreshold = 0.5;
    f.doc->ConfirmSettings(record);
    EXPECT_EQ(f.doc->SpikeCount(), 5);
    f.doc->GetChannelRecord(0, &record);
    record.stimulusSource = VEX::String(u"none");
    EXPECT_EQ(f.doc->ConfirmSettings(record), S_OK);
    EXPECT_EQ(f.doc->SpikeCount(), 5) << "a record with the same detection keeps its spikes";

    record.channel = 1;
    f.doc->ConfirmSettings(record);
    Host::DocumentSettings settings;
    f.doc->GetDocumentSettings(&settings);
    EXPECT_EQ(settings.sourceChannel, 1) << "the confirmed record's channel becomes the source";
    EXPECT_EQ(f.doc->SpikeCount(), 0) << "channel 1 is flat";

    record.channel = -1;
    EXPECT_EQ(f.doc->ConfirmSettings(record), E_INVALIDARG);
    f.doc->Start();
    record.channel = 0;
    EXPECT_EQ(f.doc->ConfirmSettings(record), E_FAIL) << "not while the host samples";
}

TEST(DocumentScripting, AContourOfFewerThanThreeVerticesIsRefused)
{
    TestSupport::SpikyDocument f;
    std::int32_t number = -1;
    EXPECT_EQ(f.doc->CreateContourUnit(0, {0.0, 10.0}, {0.5, 2.0}, {}, &number), E_INVALIDARG)
        << "two vertices enclose no spike";
    EXPECT_EQ(f.doc->CreateContourUnit(0, {}, {}, {}, &number), E_INVALIDARG);
    EXPECT_EQ(f.doc->CreateContourUnit(0, {0.0, 10.0, 10.0}, {0.5, 0.5}, {}, &number), E_INVALIDARG);
    std::vector<Host::UnitDescription> units;
    f.doc->GetUnits(&units);
    EXPECT_TRUE(units.empty());
    EXPECT_EQ(f.doc->CreateContourUnit(0, {0.0, 10.0, 10.0}, {0.5, 0.5, 2.0}, {}, &number), S_OK);
}

TEST(DocumentScripting, ADeletedUnitTakesItsHandAssignmentsWithIt)
{
    TestSupport::SpikyDocument f;
    f.Analyze();
    std::int32_t kept = -1;
    f.doc->CreateContourUnit(0, {0.0, 0.1, 0.1}, {0.0, 0.0, 0.1}, {}, &kept);
    const std::int32_t deleted = f.Contour();
    ASSERT_EQ(f.doc->AssignSpike(0, kept), S_OK);
    ASSERT_EQ(f.doc->AssignSpike(1, deleted), S_OK);
    ASSERT_EQ(f.doc->AssignSpike(2, -1), S_OK);
    ASSERT_EQ(f.doc->DeleteUnit(deleted), S_OK);

    std::vector<Host::HandAssignment> assignments;
    f.doc->GetHandAssignments(&assignments);
    ASSERT_EQ(assignments.size(), 2u) << "the assignment to the deleted unit goes, the others stay";
    EXPECT_EQ(assignments[0].unit, kept);
    EXPECT_EQ(assignments[1].unit, -1);

    // The next unit takes the deleted unit's number, but not its spike.
    std::int32_t next = -1;
    f.doc->CreateContourUnit(0, {0.0, 0.1, 0.1}, {0.0, 0.0, 0.1}, {}, &next);
    ASSERT_EQ(next, deleted);
    f.Analyze();
    EXPECT_EQ(f.SpikeUnits(), (std::vector<std::int32_t>{kept, -1, -1, -1, -1}));
}

TEST(DocumentScripting, TheSpikeSelectionNamesASpikeOfTheCurrentAnalysisOnly)
{
    TestSupport::SpikyDocument f;
    f.Analyze();
    std::int32_t selected = 0;
    EXPECT_EQ(f.doc->GetSpikeSelection(&selected), S_OK);
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(f.doc->SetSpikeSelection(3), S_OK);
    f.doc->GetSpikeSelection(&selected);
    EXPECT_EQ(selected, 3);
    EXPECT_EQ(f.doc->SetSpikeSelection(5), E_INVALIDARG) << "past the last spike";
    EXPECT_EQ(f.doc->SetSpikeSelection(-2), E_INVALIDARG);
    f.doc->GetSpikeSelection(&selected);
    EXPECT_EQ(selected, 3) << "a refused selection keeps the old one";

    f.Analyze();
    f.doc->GetSpikeSelection(&selected);
    EXPECT_EQ(selected, -1) << "a new analysis may number its spikes differently";
}

TEST(DocumentScripting, ClearEditsRemovesTheChannelsAssignmentsAndExclusions)
{
    TestSupport::SpikyDocument f;
    f.Analyze();
    const std::int32_t unit = f.Contour();
    f.Analyze();
    f.doc->AssignSpike(1, -1);
    f.doc->AssignSpike(2, unit);
    bool excluded = false;
    EXPECT_EQ(f.doc->IsExcluded(1, &excluded), S_OK);
    EXPECT_TRUE(excluded);
    f.doc->IsExcluded(2, &excluded);
    EXPECT_FALSE(excluded) << "an assignment to a unit is not an exclusion";
    EXPECT_EQ(f.doc->IsExcluded(5, &excluded), E_INVALIDARG);

    EXPECT_EQ(f.doc->ClearEdits(1), S_FALSE) << "another channel has no edits";
    EXPECT_EQ(f.doc->ClearEdits(0), S_OK);
    std::vector<Host::HandAssignment> assignments;
    f.doc->GetHandAssignments(&assignments);
    EXPECT_TRUE(assignments.empty());
    f.doc->IsExcluded(1, &excluded);
    EXPECT_FALSE(excluded);
    EXPECT_EQ(f.doc->ClearEdits(0), S_FALSE);
}

TEST(DocumentScripting, AUnitsPropertiesAndContourChangeOnlyToSoundValues)
{
    TestSupport::SpikyDocument f;
    f.Analyze();
    const std::int32_t contour = f.Contour();
    std::int32_t shape = -1;
    ASSERT_EQ(f.doc->CreateTemplateUnit(0, 0.25, &shape), S_OK);

    EXPECT_EQ(f.doc->SetUnitProperties(contour, VEX::String(u"fast"), 0x0000FFu, 0.5), S_OK);
    EXPECT_EQ(f.doc->SetUnitProperties(contour, VEX::String(), 0x0000FFu, 0.5), E_INVALIDARG);
    EXPECT_EQ(f.doc->SetUnitProperties(contour, VEX::String(u"x"), 0, std::nan("")), E_INVALIDARG);
    EXPECT_EQ(f.doc->SetUnitProperties(contour + 9, VEX::String(u"x"), 0, 0.5), E_INVALIDARG);

    const std::vector<double> widths{0.0, 5.0, 5.0};
    const std::vector<double> heights{0.0, 0.0, 9.0};
    EXPECT_EQ(f.doc->SetUnitContour(contour, widths, heights), S_OK);
    EXPECT_EQ(f.doc->SetUnitContour(contour, {0.0, 5.0}, {0.0, 1.0}), E_INVALIDARG) << "two vertices";
    EXPECT_EQ(f.doc->SetUnitContour(contour, {0.0, 5.0, INFINITY}, heights), E_INVALIDARG);
    EXPECT_EQ(f.doc->SetUnitContour(shape, widths, heights), E_INVALIDARG) << "a template has no contour";

    std::vector<Host::UnitDescription> units;
    f.doc->GetUnits(&units);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].name.Str(), u"fast");
    EXPECT_EQ(units[0].colour, 0x0000FFu);
    EXPECT_EQ(units[0].widths, widths);
    EXPECT_EQ(units[0].heights, heights);
}
