#include "desk/window/ProgressDialog.h"

#include <QApplication>

#include <algorithm>

#include "desk/window/QtText.h"
#include "platform/com/ComPtr.h"

namespace Desk {

namespace {

// Short runs finish before a dialog would only flash up.
constexpr int kShowAfterMs = 400;

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent, const VEX::String& title, const VEX::String& subtitle)
    : dialog_(new QProgressDialog(parent)), subtitle_(ToQt(subtitle))
{
    dialog_->setWindowTitle(title.Empty() ? QObject::tr("Nerolith") : ToQt(title));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setCancelButtonText(QObject::tr("Cancel"));
    dialog_->setLabelText(subtitle_);
    dialog_->setRange(0, 100);
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(320);
    dialog_->setValue(0);
}

HostServices::ProgressFactory ProgressDialog::FactoryFor(QWidget* parent)
{
    return [parent](const VEX::String& title, const VEX::String& subtitle) -> IProgressIndicator* {
        return MakeCom<ProgressDialog>(parent, title, subtitle).Detach();
    };
}

ProgressDialog::~ProgressDialog() { delete dialog_.data(); }

HRESULT ProgressDialog::SetText(const VEX::String& text)
{
    if (dialog_) {
        dialog_->setLabelText(subtitle_.isEmpty() ? ToQt(text) : subtitle_ + QLatin1Char('\n') + ToQt(text));
    }
    QApplication::processEvents();
    return S_OK;
}

std::int32_t ProgressDialog::SetPercent(std::int32_t percent)
{
    if (!dialog_) {
        return 1;
    }
    dialog_->setValue(std::clamp(percent, 0, 100));
    QApplication::processEvents();
    return dialog_ && dialog_->wasCanceled() ? 1 : 0;
}

} // namespace Desk
