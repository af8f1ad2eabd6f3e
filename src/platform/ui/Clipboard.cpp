#include "platform/ui/Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include "platform/ui/Application.h"
#include "platform/ui/qt/AutomationState.h"
#include "platform/ui/qt/BitmapImpl.h"
#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

namespace {

const QString kSvgType = QStringLiteral("image/svg+xml");
const QString kPngType = QStringLiteral("image/png");

QClipboard* OpenClipboard()
{
    EnsureApplication();
    if (!automation::State().clipboardAvailable) {
        return nullptr;
    }
    return QGuiApplication::clipboard();
}

std::optional<std::string> ReadData(const QString& type)
{
    QClipboard* clipboard = OpenClipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasFormat(type)) {
        return std::nullopt;
    }
    return data->data(type).toStdString();
}

} // namespace

bool CopyToClipboard(const ClipboardContent& content)
{
    QClipboard* clipboard = OpenClipboard();
    if (clipboard == nullptr) {
        return false;
    }
    auto mime = std::make_unique<QMimeData>();
    if (content.pictureSize && content.picture) {
        mime->setData(kSvgType, QByteArray::fromStdString(RenderSvg(*content.pictureSize, content.picture)));
        const TBitmap bitmap = RenderBitmap(*content.pictureSize, content.picture);
        mime->setData(kPngType, QByteArray::fromStdString(bitmap.ToPng()));
        mime->setImageData(bitmap.GetImpl().image);
    }
    if (content.text) {
        mime->setText(qt::ToQString(*content.text));
    }
    clipboard->setMimeData(mime.release());
    return true;
}

std::optional<VEX::String> ReadClipboardText()
{
    QClipboard* clipboard = OpenClipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return qt::FromQString(data->text());
}

std::optional<std::string> ReadClipboardSvg()
{
    return ReadData(kSvgType);
}

std::optional<std::string> ReadClipboardPng()
{
    return ReadData(kPngType);
}

} // namespace platform::ui
