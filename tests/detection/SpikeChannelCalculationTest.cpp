#include <gtest/gtest.h>

#include "desk/demo/DemoRecording.h"
#include "desk/runtime/HostDocument.h"
#include "detection/SpikeChannelCalculation.h"
#include "detection/SpikeChannelCalculationClass.h"
#include "detection/SpikeData.h"
#include "platform/com/BinStream.h"
#include "platform/com/MemoryStream.h"

namespace Nerolith {
namespace {

ComPtr<SpikeChannelCalculation> NewCalculation(IUnknown* hostDocument = nullptr)
{
    return ComPtr<SpikeChannelCalculation>::Attach(new SpikeChannelCalculation(hostDocument));
}

TEST(SpikeChannelCalculation, ExpressionFollowsTheMode)
{
    auto calculation = NewCalculation();
    calculation->SetSettings({u"NerolithUnit2", SpikeChannelCalculationSettings::kUnitSpikes});
    VEX::String text;
    ASSERT_EQ(S_OK, calculation->ExpressionText(&text));
    EXPECT_EQ(VEX::String(u"eventinterp(NerolithUnit2,1)"), text);
    calculation->SetSettings({u"NerolithUnit2", SpikeChannelCalculationSettings::kInstantaneousFrequency});
    calculation->ExpressionText(&text);
    EXPECT_EQ(VEX::String(u"EventFrequency(NerolithUnit2)"), text);
}

TEST(SpikeChannelCalculation, LoadsWhatItSavedAndNothingElse)
{
    auto saved = NewCalculation();
    saved->SetSettings({u"NerolithUnit7", SpikeChannelCalculationSettings::kInstantaneousFrequency});
    auto stream = MakeCom<MemoryStream>();
    ASSERT_EQ(S_OK, saved->SaveSettings(stream.Get()));
    const std::vector<std::uint8_t> bytes = stream->Bytes();

    auto loaded = NewCalculation();
    ASSERT_EQ(S_OK, loaded->LoadSettings(MakeCom<MemoryStream>(bytes).Get()));
    EXPECT_EQ(VEX::String(u"NerolithUnit7"), loaded->Settings().eventSource);
    EXPECT_EQ(SpikeChannelCalculationSettings::kInstantaneousFrequency, loaded->Settings().mode);

    // Cut short, from a later version, or with an unknown mode: refused,
    // and the settings stay as they were.
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 2);
    auto later = MakeCom<MemoryStream>();
    {
        VEX::BinOStream out(later.Get());
        out.WriteUInt32(2);
        out.WriteString(u"NerolithUnit9");
        out.WriteInt32(0);
    }
    auto unknownMode = MakeCom<MemoryStream>();
    {
        VEX::BinOStream out(unknownMode.Get());
        out.WriteUInt32(1);
        out.WriteString(u"NerolithUnit9");
        out.WriteInt32(7);
    }
    for (const auto& bad : {cut, later->Bytes(), unknownMode->Bytes()}) {
        EXPECT_EQ(E_FAIL, loaded->LoadSettings(MakeCom<MemoryStream>(bad).Get()));
        EXPECT_EQ(VEX::String(u"NerolithUnit7"), loaded->Settings().eventSource);
        EXPECT_EQ(SpikeChannelCalculationSettings::kInstantaneousFrequency, loaded->Settings().mode);
    }
}

TEST(SpikeChannelCalculation, RefusesTheChannelsTheModuleAnalyses)
{
    auto document = MakeCom<Desk::HostDocument>(Desk::MakeDemoRecording(), MakeCom<Desk::HostServices>());
    // As the analysis document does: the store on the document and on the
    // analysed channel 0, whose spike source is registered.
    auto store = MakeCom<SpikeData>(nullptr);
    document->AttachChildData(-1, store.Get());
    document->AttachChildData(0, store.Get());
    store->Units().SetChannelIdentifiers(0, 1, 1);

    IChannelCalculation* created = nullptr;
    SpikeChannelCalculationClass& calculationClass = SpikeChannelCalculationClassObject();
    ASSERT_EQ(S_OK, calculationClass.Create(document.Get(), &created));
    auto calculation = ComPtr<IChannelCalculation>::Attach(created);
    EXPECT_EQ(Host::ClassRole::ChannelCalculation, calculationClass.Registration().role);

    ComPtr<IHostChannelCalculations> calculations;
    ASSERT_EQ(S_OK, document->GetChannelCalculations(calculations.Put()));
    VEX::String message;
    EXPECT_EQ(E_FAIL, calculations->Apply(0, calculation.Get(), &message));
    EXPECT_EQ(VEX::String(SpikeChannelCalculation::kAnalysisChannelRefusal), message);
    EXPECT_EQ(S_OK, calculation->CheckChannel(1, &message));
}

} // namespace
} // namespace Nerolith
