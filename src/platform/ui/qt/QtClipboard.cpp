#include "platform/ui/qt/QtBackend.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include "platform/ui/AutomationState.h"
#include "platform/ui/qt/QtBitmap.h"
#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

namespace {

QClipboard* OpenClipboard()
{
    if (!automation::State().clipboardAvailable) {
        return nullptr;
    }
    return QGuiApplication::clipboard();
}

} // namespace

bool QtBackend::CopyToClipboard(const ClipboardContent& content)
{
    EnsureApplication();
    QClipboard* clipboard = OpenClipboard();
    if (clipboard == nullptr) {
        return false;
    }
    auto mime = std::make_unique<QMimeData>();
    if (content.pictureSize && content.picture) {
        mime->setData(QStringLiteral("image/svg+xml"),
                      QByteArray::fromStdString(platform::ui::RenderSvg(*content.pictureSize, content.picture)));
        const TBitmap bitmap = RenderBitmap(*content.pictureSize, content.picture);
        mime->setData(QStringLiteral("image/png"), QByteArray::fromStdString(bitmap.ToPng()));
        mime->setImageData(ImageOf(bitmap));
    }
    if (content.text) {
        mime->setText(qt::ToQString(*content.text));
    }
    clipboard->setMimeData(mime.release());
    return true;
}

std::optional<VEX::String> QtBackend::ReadClipboardText()
{
    EnsureApplication();
    QClipboard* clipboard = OpenClipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return qt::FromQString(data->text());
}

std::optional<std::string> QtBackend::ReadClipboardData(std::string_view mimeType)
{
    EnsureApplication();
    const QString type = QString::fromUtf8(mimeType.data(), static_cast<qsizetype>(mimeType.size()));
    QClipboard* clipboard = OpenClipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasFormat(type)) {
        return std::nullopt;
    }
    return data->data(type).toStdString();
}

} // namespace platform::ui
