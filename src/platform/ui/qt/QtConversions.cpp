#include <QFontDatabase>

#include <algorithm>
#include <map>

#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui::qt {

namespace {

bool IsInstalled(const QString& family)
{
    static std::map<QString, bool> known;
    const auto found = known.find(family);
    if (found != known.end()) {
        return found->second;
    }
    const bool installed = QFontDatabase::hasFamily(family);
    known.emplace(family, installed);
    return installed;
}

} // namespace

QFont ToQFont(const TFont& font)
{
    const QString family = ToQString(font.family);
    QFont qfont(IsInstalled(family) ? family : QStringLiteral("DejaVu Sans"));
    qfont.setPixelSize(std::max(1, font.height));
    qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    qfont.setItalic(font.italic);
    qfont.setStyleStrategy(QFont::NoAntialias);
    return qfont;
}

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF FromQRgb(QRgb rgb)
{
    return RGB(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
               static_cast<std::uint8_t>(qBlue(rgb)));
}

QString ToQString(const VEX::String& text)
{
    return QString::fromStdU16String(text.Str());
}

VEX::String FromQString(const QString& text)
{
    return VEX::String(text.toStdU16String());
}

} // namespace platform::ui::qt
