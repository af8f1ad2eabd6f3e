#include "SpikeTable.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace Nerolith::Cli {
namespace {

// A table of hundreds of thousands of lines is built in pieces of this size
// and written a piece at a time: writing it field by field through the
// stream costs more than finding the spikes.
constexpr std::size_t kPieceBytes = 64 * 1024;
// The longest shortest text of a number: a double's, "-2.2250738585072014e-308".
constexpr std::size_t kLongestNumber = 24;
// The most a line takes before its unit name: eight numbers with their tabs.
constexpr std::size_t kNumbersBytes = 8 * (kLongestNumber + 1);

// Writes the shortest text that reads back to `value` (the C locale, as
// everywhere in the tables), then `separator`, at `to`, which has room for
// both; returns the end.
template <typename Number>
char* Put(char* to, Number value, char separator)
{
    to = std::to_chars(to, to + kLongestNumber, value).ptr;
    *to = separator;
    return to + 1;
}

// The shortest text of a number, kept for the next one: where a column
// repeats its value (widths come in whole samples; a block that starts at 0
// gives each spike the same recording time as block time) the number is
// not converted again. Equal bits, equal text.
template <typename Number>
class RepeatedNumber {
public:
    // As Put writes a number.
    char* Put(char* to, Number value, char separator)
    {
        using Bits = std::conditional_t<sizeof(Number) == 8, std::uint64_t, std::uint32_t>;
        if (length_ == 0 || std::bit_cast<Bits>(value) != std::bit_cast<Bits>(last_)) {
            last_ = value;
            length_ = static_cast<std::size_t>(std::to_chars(text_, text_ + sizeof text_, value).ptr - text_);
        }
        // The whole buffer, whatever the length: a copy of fixed size is a
        // couple of moves, not a call.
        std::memcpy(to, text_, sizeof text_);
        to[length_] = separator;
        return to + length_ + 1;
    }

private:
    Number last_{};
    char text_[kLongestNumber] = {};
    std::size_t length_ = 0;
};

char* Put(char* to, std::string_view text, char separator)
{
    to = std::copy(text.begin(), text.end(), to);
    *to = separator;
    return to + 1;
}

// The table as it is built: lines go into a buffer that is written out
// whenever it holds a piece.
class TableWriter {
public:
    explicit TableWriter(std::ostream& out) : out_(out), buffer_(kPieceBytes + kNumbersBytes) {}

    // Where a line of `nameBytes` characters of name goes; Done takes its end.
    char* Line(std::size_t nameBytes)
    {
        if (used_ >= kPieceBytes || used_ + kNumbersBytes + nameBytes + 1 > buffer_.size()) {
            Flush();
            buffer_.resize(std::max(buffer_.size(), kNumbersBytes + nameBytes + 1));
        }
        return buffer_.data() + used_;
    }
    void Done(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

    void Flush()
    {
        out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
        used_ = 0;
    }

private:
    std::ostream& out_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

std::map<std::int32_t, std::string> UnitNames(ISpikeDocInterface& analysis)
{
    std::vector<Host::UnitDescription> units;
    analysis.GetUnits(&units);
    std::map<std::int32_t, std::string> names;
    for (const Host::UnitDescription& unit : units) {
        names[unit.number] = unit.name.ToUtf8();
    }
    return names;
}

} // namespace

void WriteSpikeTable(Desk::Session& session, std::ostream& out)
{
    ISpikeDocInterface& analysis = session.Analysis();
    const Desk::Recording& data = session.Host().Data();
    const std::map<std::int32_t, std::string> names = UnitNames(analysis);
    out << "index\tblock\ttick\ttime\theight\twidth_ms\tunit\trecording_time\tunit_name\n";
    TableWriter table(out);
    RepeatedNumber<double> time;
    RepeatedNumber<float> width;
    const std::int32_t count = analysis.SpikeCount();
    for (std::int32_t index = 0; index < count; ++index) {
        Host::SpikeInfo spike;
        analysis.GetSpike(index, &spike);
        const auto name = names.find(spike.unit);
        const std::string_view unitName = name != names.end() ? std::string_view(name->second) : std::string_view();
        char* to = table.Line(unitName.size());
        to = Put(to, index, '\t');
        to = Put(to, spike.block, '\t');
        to = Put(to, spike.tick, '\t');
        to = time.Put(to, spike.time, '\t');
        // Heights and widths are stored as floats; the widened double would
        // show digits that were never measured.
        to = Put(to, static_cast<float>(spike.height), '\t');
        to = width.Put(to, static_cast<float>(spike.widthMs), '\t');
        to = Put(to, spike.unit, '\t');
        to = time.Put(to, data.BlockStartTime(spike.block) + spike.time, '\t');
        table.Done(Put(to, unitName, '\n'));
    }
    table.Flush();
}

} // namespace Nerolith::Cli
