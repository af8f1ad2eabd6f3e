#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/com/MemoryStream.h"

namespace {

int gAlive = 0;

class Probe final : public UnknownImpl<IStream> {
public:
    Probe() { ++gAlive; }
    ~Probe() override { --gAlive; }
    HRESULT Read(void*, std::uint32_t, std::uint32_t*) override { return S_OK; }
    HRESULT Write(const void*, std::uint32_t, std::uint32_t*) override { return S_OK; }
    HRESULT Seek(std::int64_t, SeekOrigin, std::uint64_t*) override { return S_OK; }
};

} // namespace

TEST(ComPtr, CountsReferencesAndAnswersOnlyItsInterfaces)
{
    {
        ComPtr<Probe> probe = MakeCom<Probe>();
        ComPtr<IStream> asStream = probe.As<IStream>();
        EXPECT_TRUE(asStream);
        EXPECT_FALSE(probe.As<IPersistStreamInit>());
        ComPtr<IUnknown> identity = probe.As<IUnknown>();
        EXPECT_TRUE(identity);
        EXPECT_EQ(gAlive, 1);
        void* none = reinterpret_cast<void*>(1);
        EXPECT_EQ(probe->QueryInterface(IPersistStreamInit::iid, &none), E_NOINTERFACE);
        EXPECT_EQ(none, nullptr);
    }
    EXPECT_EQ(gAlive, 0);
}

TEST(MemoryStream, ShortReadsAndWritesPastCapacityReportWhatMoved)
{
    auto stream = MakeCom<MemoryStream>(std::vector<std::uint8_t>{}, 6);
    const std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::uint32_t moved = 0;
    EXPECT_EQ(stream->Write(bytes, 8, &moved), E_FAIL);
    EXPECT_EQ(moved, 6u);
    stream->Seek(-2, SeekOrigin::End, nullptr);
    std::uint8_t back[4] = {};
    EXPECT_EQ(stream->Read(back, 4, &moved), S_FALSE);
    EXPECT_EQ(moved, 2u);
    EXPECT_EQ(back[0], 5);
    EXPECT_EQ(stream->Seek(-100, SeekOrigin::Current, nullptr), E_INVALIDARG);
}
