#include "histograms/StatisticsText.h"

#include <string>

#include "histograms/HistogramPages.h"
#include "histograms/NumberText.h"

namespace Nerolith {

namespace {

constexpr int kDecimals = 4;

// Items joined as "P: a, b, c" (sep and a blank between items).
class ItemLine {
public:
    ItemLine(const char16_t* prefix, char16_t sep) : prefix_(prefix), sep_(sep) {}

    void Add(const char16_t* name, const std::u16string& value)
    {
        text_ += text_.empty() ? prefix_ : std::u16string{sep_, u' '};
        text_ += name;
        text_ += value;
    }
    std::u16string Text() const { return text_; }

private:
    std::u16string prefix_;
    char16_t sep_;
    std::u16string text_;
};

std::u16string Count(std::int32_t n)
{
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

std::u16string HeaderLine(const VEX::String& label, const HistogramPages& pages, std::int32_t n, char16_t sep)
{
    std::u16string header = label.Str();
    if (pages.PageCount() > 0) {
        const BinSelection& selection = pages.Selection();
        if (selection.active) {
            header += u": Start = " + DefaultNumber(selection.start) + sep + u" End = " +
                      DefaultNumber(selection.end) + sep + u" Count = " + Count(n);
        } else {
            header += u": Count = " + Count(n);
        }
    }
    return header + u".  ";
}

} // namespace

StatisticsLines BuildStatisticsLines(const VEX::String& label, const HistogramPages& pages,
                                     const StatsAccumulator& y, std::int32_t options, char16_t sep)
{
    const StatsAccumulator x = pages.DisplayedXStatistics();
    StatisticsLines lines;
    lines.header = HeaderLine(label, pages, x.n, sep);
    if (x.n == 0) {
        return lines;
    }
    ItemLine xLine(u"X: ", sep);
    if (options & kShowMeanX) {
        xLine.Add(u"Mean = ", FixedNumber(x.Mean(), kDecimals));
    }
    if (options & kShowSdX) {
        xLine.Add(u"SD = ", FixedNumber(x.SD(), kDecimals));
    }
    if (options & kShowSemX) {
        xLine.Add(u"SEM = ", FixedNumber(x.SEM(), kDecimals));
    }
    ItemLine yLine(u"Y: ", sep);
    if (options & kShowMinY) {
        yLine.Add(u"Min = ", DefaultNumber(y.min));
    }
    if (options & kShowMaxY) {
        yLine.Add(u"Max = ", DefaultNumber(y.max));
    }
    if (options & kShowMeanY) {
        yLine.Add(u"Mean = ", FixedNumber(y.Mean(), kDecimals));
    }
    if (options & kShowSdY) {
        yLine.Add(u"SD = ", FixedNumber(y.SD(), kDecimals));
    }
    lines.x = xLine.Text();
    lines.y = yLine.Text();
    return lines;
}

std::int32_t StatisticsAreaHeight(std::int32_t options)
{
    constexpr std::int32_t kXBits = kShowMeanX | kShowSdX | kShowSemX;
    constexpr std::int32_t kYBits = kShowMinY | kShowMaxY | kShowMeanY | kShowSdY;
    return 16 + ((options & kXBits) ? 14 : 0) + ((options & kYBits) ? 14 : 0);
}

std::u16string BinHint(double start, double binSize, float count, char16_t sep)
{
    return u"Bin [" + DefaultNumber(start) + sep + DefaultNumber(start + binSize) + u"): Count = " +
           DefaultNumber(count);
}

void AppendCopiedText(std::u16string& out, const VEX::String& label, const VEX::String& xTitle,
                      const HistogramPages& pages)
{
    out += label.Str();
    out += u'\n';
    if (pages.PageCount() == 0) {
        return;
    }
    out += xTitle.Str();
    for (std::int32_t page = 1; page <= pages.PageCount(); ++page) {
        out += u"\tPage " + Count(page);
    }
    out += u'\n';
    const std::int32_t rows = pages.LargestPage();
    for (std::int32_t bin = 0; bin < rows; ++bin) {
        // Each row names the lower edge of its bin as counted and drawn.
        out += DefaultNumber(pages.XStart() + bin * pages.BinSize());
        for (std::int32_t page = 0; page < pages.PageCount(); ++page) {
            out += u'\t';
            const std::span<const float> counts = pages.PageBins(page);
            if (static_cast<std::size_t>(bin) < counts.size()) {
                out += DefaultNumber(counts[static_cast<std::size_t>(bin)]);
            }
        }
        out += u'\n';
    }
    out += u'\n';
}

} // namespace Nerolith
