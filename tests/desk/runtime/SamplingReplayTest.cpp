#include <gtest/gtest.h>

#include "desk/runtime/SamplingReplay.h"
#include "support/MemoryRecording.h"

using namespace Desk;

namespace {

// Records what the host told it and what existed at each moment.
class RecordingSink final : public UnknownImpl<IOnlineDataSink> {
public:
    explicit RecordingSink(HostDocument& document, bool refuse = false) : document_(document), refuse_(refuse) {}

    HRESULT MayStart(std::int16_t* allowed, VEX::String* message) override
    {
        *allowed = refuse_ ? 0 : -1;
        if (refuse_) {
            *message = u"not now";
            return E_FAIL;
        }
        return S_OK;
    }
    HRESULT Start() override
    {
        calls.push_back("start");
        return S_OK;
    }
    HRESULT BlockStart(const Host::BlockDescription& description, std::int16_t recorded) override
    {
        calls.push_back("block " + std::to_string(description.block) + (recorded == -1 ? " recorded" : ""));
        std::int32_t sampled = -1;
        document_.Layout().SampledBlock(&sampled);
        EXPECT_EQ(sampled, description.block);
        return S_OK;
    }
    HRESULT NewData(std::int32_t ticks) override
    {
        received += ticks;
        std::int32_t visible = 0;
        document_.Layout().BlockTicks(document_.Sampling().SampledBlock(), &visible);
        EXPECT_EQ(visible, received) << "what was announced exists, nothing more";
        return S_OK;
    }
    HRESULT BlockEnd() override
    {
        calls.push_back("end " + std::to_string(received));
        received = 0;
        return S_OK;
    }
    HRESULT Stop() override
    {
        calls.push_back("stop");
        return S_OK;
    }

    std::vector<std::string> calls;
    std::int32_t received = 0;

private:
    HostDocument& document_;
    bool refuse_;
};

ComPtr<HostDocument> TwoBlockDocument()
{
    auto recording = std::make_unique<TestSupport::MemoryRecording>(
        std::vector<std::vector<std::vector<float>>>{{std::vector<float>(2500)}, {std::vector<float>(1000)}});
    return MakeCom<HostDocument>(std::move(recording), MakeCom<HostServices>(nullptr));
}

} // namespace

TEST(SamplingReplay, GrowsEachBlockInChunksAndTellsTheSinkInOrder)
{
    auto document = TwoBlockDocument();
    RecordingSink sink(*document);
    sink.AddRef();
    SamplingReplay replay(*document, {.chunkTicks = 1000, .speed = 0.0});
    ASSERT_EQ(replay.Run(&sink, nullptr), S_OK);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"start", "block 0 recorded", "end 2500", "block 1 recorded",
                                                     "end 1000", "stop"}));
    EXPECT_FALSE(document->Sampling().Active());
    std::int32_t ticks = 0;
    document->Layout().BlockTicks(0, &ticks);
    EXPECT_EQ(ticks, 2500) << "everything is there once sampling stopped";
    document->Close();
}

TEST(SamplingReplay, ASinkThatRefusesLeavesTheRecordingAlone)
{
    auto document = TwoBlockDocument();
    RecordingSink sink(*document, true);
    sink.AddRef();
    VEX::String refusal;
    EXPECT_EQ(SamplingReplay(*document, {}).Run(&sink, &refusal), E_FAIL);
    EXPECT_EQ(refusal, VEX::String(u"not now"));
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_FALSE(document->Sampling().Active());
    document->Close();
}

TEST(SamplingReplay, StoppedMidwayEndsTheOpenBlockThenStopsOnce)
{
    auto document = TwoBlockDocument();
    RecordingSink sink(*document);
    sink.AddRef();
    {
        SamplingReplay replay(*document, {.chunkTicks = 1000, .speed = 0.0});
        ASSERT_EQ(replay.Begin(&sink, nullptr), S_OK);
        EXPECT_EQ(replay.Begin(&sink, nullptr), E_FAIL) << "one replay at a time";
        ASSERT_TRUE(replay.Step());
        ASSERT_TRUE(replay.Step());
        EXPECT_GT(replay.ReplayedSeconds(), 0.0);
        replay.Stop();
        EXPECT_FALSE(replay.Running());
        EXPECT_FALSE(replay.Step());
        replay.Stop();
    }
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"start", "block 0 recorded", "end 2000", "stop"}));
    EXPECT_FALSE(document->Sampling().Active());

    // A replay dropped while it runs stops the sink too.
    sink.calls.clear();
    {
        SamplingReplay replay(*document, {.chunkTicks = 3000, .speed = 0.0});
        ASSERT_EQ(replay.Begin(&sink, nullptr), S_OK);
        ASSERT_TRUE(replay.Step());
        ASSERT_TRUE(replay.Step());
    }
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"start", "block 0 recorded", "end 2500", "block 1 recorded",
                                                     "end 1000", "stop"}));
    document->Close();
}
