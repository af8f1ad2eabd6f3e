#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/com/BinStream.h"
#include "platform/com/MemoryStream.h"
#include "shell/QualitySettingsStream.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

using namespace Nerolith;

namespace {

ComPtr<SpikeDoc> NewDoc(ComPtr<Desk::HostDocument>& host)
{
    host = TestSupport::NewHostDocument(TestSupport::SpikyRecording({{1000, 3000}, {500}}));
    return ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get()));
}

std::vector<std::uint8_t> Save(const ComPtr<SpikeDoc>& doc)
{
    const ComPtr<MemoryStream> stream = MakeCom<MemoryStream>();
    EXPECT_EQ(doc.As<IPersistStreamInit>()->Save(stream.Get(), true), S_OK);
    return stream->Bytes();
}

Host::QualitySettings Changed()
{
    Host::QualitySettings settings;
    settings.refractoryMs = 2.5;
    settings.presenceBinS = 30.0;
    settings.minSnr = 4.0;
    return settings;
}

} // namespace

TEST(QualitySettingsStream, TheSettingsTravelAfterTheStreamAndComeBack)
{
    ComPtr<Desk::HostDocument> host;
    const ComPtr<SpikeDoc> doc = NewDoc(host);
    const std::vector<std::uint8_t> plain = Save(doc);
    ASSERT_EQ(doc->SetQualitySettings(Changed()), S_OK);
    const std::vector<std::uint8_t> extended = Save(doc);
    // The stream as before, its version unchanged, then the extension.
    ASSERT_GT(extended.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), extended.begin()));

    ComPtr<Desk::HostDocument> otherHost;
    const ComPtr<SpikeDoc> loaded = NewDoc(otherHost);
    ASSERT_EQ(loaded.As<IPersistStreamInit>()->Load(MakeCom<MemoryStream>(extended).Get()), S_OK);
    Host::QualitySettings read;
    loaded->GetQualitySettings(&read);
    EXPECT_EQ(read, Changed());
    // A stream without the extension (an older build's) reads as the defaults.
    ASSERT_EQ(loaded.As<IPersistStreamInit>()->Load(MakeCom<MemoryStream>(plain).Get()), S_OK);
    loaded->GetQualitySettings(&read);
    EXPECT_EQ(read, Host::QualitySettings{});
}

TEST(QualitySettingsStream, AForeignOrDamagedExtensionReadsAsAbsent)
{
    const auto read = [](const std::vector<std::uint8_t>& bytes) {
        VEX::BinIStream in(MakeCom<MemoryStream>(bytes).Get());
        return ReadQualityExtension(in);
    };
    const auto written = [](const Host::QualitySettings& settings, std::uint32_t tag) {
        const ComPtr<MemoryStream> stream = MakeCom<MemoryStream>();
        VEX::BinOStream out(stream.Get());
        if (tag != kQualityExtensionTag) {
            out.WriteUInt32(tag);
        }
        WriteQualityExtension(out, settings);
        out.Release();
        return stream->Bytes();
    };
    EXPECT_EQ(read(written(Changed(), kQualityExtensionTag)), Changed());
    EXPECT_FALSE(read(written(Changed(), 0x12345678u))) << "something else follows the stream";
    std::vector<std::uint8_t> cut = written(Changed(), kQualityExtensionTag);
    cut.resize(cut.size() - 3);
    EXPECT_FALSE(read(cut)) << "cut short";
    Host::QualitySettings negative = Changed();
    negative.refractoryMs = -1.0;
    EXPECT_FALSE(read(written(negative, kQualityExtensionTag)));
    Host::QualitySettings infinite = Changed();
    infinite.maxLRatio = INFINITY;
    EXPECT_FALSE(read(written(infinite, kQualityExtensionTag)));
    // The defaults write nothing after the stream's header word.
    EXPECT_EQ(written(Host::QualitySettings{}, kQualityExtensionTag).size(), sizeof(std::uint32_t));

    ComPtr<Desk::HostDocument> host;
    const ComPtr<SpikeDoc> doc = NewDoc(host);
    EXPECT_EQ(doc->SetQualitySettings(negative), E_INVALIDARG);
    Host::QualitySettings kept;
    doc->GetQualitySettings(&kept);
    EXPECT_EQ(kept, Host::QualitySettings{});
}
