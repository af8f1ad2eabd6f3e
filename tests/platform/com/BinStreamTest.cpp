#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/com/BinStream.h"
#include "platform/com/MemoryStream.h"
#include "platform/error/XVEX.h"

using VEX::BinIStream;
using VEX::BinOStream;
using VEX::BinStreamState;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kHeader = {0xAA, 0xAA, 0x14, 0x55};

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Word(std::uint32_t w)
{
    return {std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(w >> 16), std::uint8_t(w >> 24)};
}

Bytes Written(const VEX::String& text)
{
    auto stream = MakeCom<MemoryStream>();
    BinOStream out(stream.Get());
    out.WriteString(text);
    return stream->Bytes();
}

} // namespace

TEST(BinStream, StringsAreMarkedLengthCheckedUtf16)
{
    EXPECT_EQ(Written(u"abc"), Cat(kHeader, {0x01, 0x00, 0x00, 0x80, 0x03, 0, 0, 0, 0xFD, 0xFF, 0xFF, 0xFF,
                                            0x61, 0x00, 0x62, 0x00, 0x63, 0x00}));
    EXPECT_EQ(Written(u""), Cat(kHeader, {0x01, 0x00, 0x00, 0x80, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BinStream, ValuesRoundTrip)
{
    auto stream = MakeCom<MemoryStream>();
    {
        BinOStream out(stream.Get());
        out.WriteInt32(-7);
        out.WriteUInt32(0xDEADBEEF);
        out.WriteDouble(-0.1);
        out.WriteBool(true);
        out.WriteString(u"h\u00e9\u20ac\U0001F600");
        EXPECT_TRUE(out.Good());
    }
    auto source = MakeCom<MemoryStream>(stream->Bytes());
    BinIStream in(source.Get());
    std::int32_t i = 0;
    std::uint32_t u = 0;
    double d = 0;
    bool b = false;
    VEX::String s;
    in.ReadInt32(i);
    in.ReadUInt32(u);
    in.ReadDouble(d);
    in.ReadBool(b);
    in.ReadString(s);
    EXPECT_EQ(in.Format(), 20u);
    EXPECT_EQ(i, -7);
    EXPECT_EQ(u, 0xDEADBEEFu);
    EXPECT_EQ(d, -0.1);
    EXPECT_TRUE(b);
    EXPECT_EQ(s, VEX::String(u"h\u00e9\u20ac\U0001F600"));
    EXPECT_TRUE(in.Good());
    EXPECT_EQ(in.BytesLeft(), 0u);
}

TEST(BinStream, OlderFormsReadAsAnsi)
{
    // No header: format 1, the first word is data, strings are byte counts.
    auto headerless = MakeCom<MemoryStream>(Cat(Cat(Word(7), Word(3)), {'c', 'a', 0xE9}));
    BinIStream old(headerless.Get());
    std::uint32_t first = 0;
    VEX::String text;
    old.ReadUInt32(first);
    old.ReadString(text);
    EXPECT_EQ(old.Format(), 1u);
    EXPECT_EQ(first, 7u);
    EXPECT_EQ(text, VEX::String(u"ca\u00e9"));

    // Current format, marker with the top bit clear: single ANSI bytes.
    auto ansi = MakeCom<MemoryStream>(Cat(Cat(Cat(Cat(kHeader, Word(1)), Word(2)), Word(0xFFFFFFFE)), {0x80, 'x'}));
    BinIStream in(ansi.Get());
    in.ReadString(text);
    EXPECT_EQ(text, VEX::String(u"\u20acx"));

    // A stream too short for a header is data of format 1 too.
    auto tiny = MakeCom<MemoryStream>(Bytes{1, 2});
    BinIStream shortIn(tiny.Get());
    EXPECT_EQ(shortIn.Format(), 1u);
    EXPECT_EQ(shortIn.BytesLeft(), 2u);
}

TEST(BinStream, ShortReadFailsAndLaterReadsDoNothing)
{
    auto stream = MakeCom<MemoryStream>(Cat(kHeader, {1, 2, 3, 4, 5}));
    BinIStream in(stream.Get());
    double d = 2.5;
    in.ReadDouble(d);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(in.State(), BinStreamState::Failed);

    std::int32_t i = 9;
    std::uint32_t count = 9;
    bool flag = true;
    VEX::String s(u"keep");
    in.ReadInt32(i);
    in.ReadUInt32(count);
    in.ReadBool(flag);
    in.ReadString(s);
    EXPECT_EQ(i, 9);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(flag);
    EXPECT_TRUE(s.Empty());
}

TEST(BinStream, MalformedStringsRaise)
{
    auto badCheck = MakeCom<MemoryStream>(Cat(Cat(Cat(Cat(kHeader, Word(0x80000001)), Word(3)), Word(0xFFFFFFFC)),
                                             {'a', 0, 'b', 0, 'c', 0}));
    BinIStream in(badCheck.Get());
    VEX::String s;
    EXPECT_THROW(in.ReadString(s), VEX::XVEX);

    auto tooLong = MakeCom<MemoryStream>(Cat(Word(64001), Bytes(64001, 'x')));
    BinIStream old(tooLong.Get());
    EXPECT_THROW(old.ReadString(s), VEX::XVEX);
}

TEST(BinStream, CorruptLengthsAndCountsAreBoundedByTheStream)
{
    // A well-checked length of 0xFFFFFFFF units in a stream of a few bytes.
    auto hugeString = MakeCom<MemoryStream>(Cat(Cat(Cat(Cat(kHeader, Word(0x80000001)), Word(0xFFFFFFFF)), Word(1)),
                                               {'a', 0}));
    BinIStream in(hugeString.Get());
    VEX::String s(u"x");
    in.ReadString(s);
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(in.State(), BinStreamState::Failed);

    auto hugeCount = MakeCom<MemoryStream>(Cat(Cat(kHeader, Word(0xFFFFFFFF)), Word(5)));
    BinIStream list(hugeCount.Get());
    EXPECT_TRUE(list.CanHold(1, 4));
    EXPECT_FALSE(list.CanHold(2, 4) && list.CanHold(0xFFFFFFFF, 1));
    std::uint32_t count = 1;
    list.ReadCount(count, 4);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(list.State(), BinStreamState::Failed);
}

TEST(BinStream, WriterStates)
{
    BinOStream none(nullptr);
    EXPECT_EQ(none.State(), BinStreamState::NoBuffer);

    auto full = MakeCom<MemoryStream>(Bytes{}, 6);
    BinOStream out(full.Get());
    EXPECT_TRUE(out.Good());
    out.WriteDouble(1.0);
    EXPECT_EQ(out.State(), BinStreamState::Failed);
    out.WriteInt32(1);
    EXPECT_EQ(full->Bytes().size(), 6u);
    out.Release();
    EXPECT_EQ(out.State(), BinStreamState::NoBuffer);
}
