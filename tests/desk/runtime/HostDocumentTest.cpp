#include <gtest/gtest.h>

#include "desk/runtime/HostDocument.h"
#include "support/MemoryRecording.h"

using namespace Desk;

namespace {

class KeyedChild final : public UnknownImpl<IGrafoDataChildData> {
public:
    explicit KeyedChild(std::uint32_t key) : key_(key) {}
    std::uint32_t TypeKey() override { return key_; }
    HRESULT Clone(IGrafoDataChildData** copy) override
    {
        *copy = MakeCom<KeyedChild>(key_).Detach();
        return S_OK;
    }
    HRESULT OnDataChanged(const std::int32_t (&)[7]) override { return S_OK; }
    HRESULT OnChannelsChanged(const std::int32_t (&)[3]) override { return S_OK; }
    HRESULT OnDocumentChanged(const std::int32_t (&)[11]) override { return S_OK; }

private:
    std::uint32_t key_;
};

ComPtr<HostDocument> RampDocument()
{
    std::vector<float> ramp(5000);
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<float>(i);
    }
    auto recording = std::make_unique<TestSupport::MemoryRecording>(
        std::vector<std::vector<std::vector<float>>>{{ramp, ramp}, {ramp, ramp}});
    return MakeCom<HostDocument>(std::move(recording), MakeCom<HostServices>(nullptr));
}

} // namespace

TEST(HostDocument, ChildDataIsFoundOnTheChannelFirstThenOnTheDocument)
{
    auto document = RampDocument();
    auto onDocument = MakeCom<KeyedChild>(7);
    auto onChannel = MakeCom<KeyedChild>(7);
    ASSERT_EQ(document->AttachChildData(-1, onDocument.Get()), S_OK);
    ASSERT_EQ(document->AttachChildData(1, onChannel.Get()), S_OK);
    ComPtr<IGrafoDataChildData> found;
    ASSERT_EQ(document->FindChildData(1, 7, found.Put()), S_OK);
    EXPECT_EQ(found.Get(), onChannel.Get());
    ASSERT_EQ(document->FindChildData(0, 7, found.Put()), S_OK);
    EXPECT_EQ(found.Get(), onDocument.Get());
    EXPECT_EQ(document->FindChildData(0, 8, found.Put()), S_FALSE);
    EXPECT_FALSE(found);
    EXPECT_EQ(document->DetachChildData(1, 7), S_OK);
    EXPECT_EQ(document->DetachChildData(1, 7), S_FALSE);
    EXPECT_NE(document->AttachChildData(5, onChannel.Get()), S_OK) << "no such channel";
    document->Close();
}

TEST(HostDocument, MarkersAreAttachedShownAndRemovedPerChannel)
{
    auto document = RampDocument();
    EXPECT_EQ(document->ShowMarkers(0, true), E_INVALIDARG) << "nothing attached yet";
    ASSERT_EQ(document->AttachMarkers(0, u"NerolithSpikes1", nullptr), S_OK);
    EXPECT_EQ(document->MarkersShown(0), S_FALSE);
    document->ShowMarkers(0, true);
    EXPECT_EQ(document->MarkersShown(0), S_OK);
    EXPECT_EQ(document->RemoveMarkers(0), S_OK);
    EXPECT_EQ(document->MarkersShown(0), S_FALSE);
    document->Close();
}

TEST(HostDocument, BeforeTheFirstBlockBeginsNothingCanBeRead)
{
    auto document = RampDocument();
    ComPtr<IHostCalc> calc;
    document->GetCalc(calc.Put());
    document->Sampling().Start();
    EXPECT_EQ(document->Layout().BlockCount(), 0);
    std::int32_t block = 0;
    EXPECT_EQ(document->Layout().SampledBlock(&block), E_FAIL);
    ComPtr<IEnumSamples> samples;
    EXPECT_TRUE(Failed(calc->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put())));
    document->Sampling().Begin(0);
    EXPECT_EQ(calc->OpenSamples(0, 0, 0, Host::kSampleRequest, samples.Put()), S_OK) << "an empty growing block";
    document->Sampling().Stop();
    document->Close();
}

TEST(HostDocument, TheEngineSeesOnlyWhatHasBeenSampled)
{
    auto document = RampDocument();
    ComPtr<IHostCalc> calc;
    ASSERT_EQ(document->GetCalc(calc.Put()), S_OK);
    document->Sampling().Begin(1);
    document->Sampling().Receive(300);

    ComPtr<IEnumSamples> samples;
    ASSERT_EQ(calc->OpenSamples(0, 1, 0, Host::kSampleRequest, samples.Put()), S_OK);
    std::vector<float> buffer(1000);
    std::uint32_t fetched = 0;
    EXPECT_EQ(samples->Next(1000, buffer.data(), &fetched), S_OK) << "no more yet, not done";
    EXPECT_EQ(fetched, 300u);
    document->Sampling().Receive(4700);
    document->Sampling().EndBlock();
    std::uint32_t rest = 0;
    while (samples->Next(1000, buffer.data(), &fetched) == S_OK) {
        rest += fetched;
    }
    rest += fetched;
    EXPECT_EQ(rest, 4700u);
    EXPECT_EQ(buffer[fetched - 1], 4999.0f);
    document->Sampling().Stop();
    document->Close();
}

