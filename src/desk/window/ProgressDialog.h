#pragma once

#include <QPointer>
#include <QProgressDialog>

#include "desk/runtime/HostServices.h"
#include "host/IProgressIndicator.h"

namespace Desk {

// The progress of a long run (an analysis) in a dialog modal to its window,
// with a Cancel button. The run calls in on the GUI thread; each call lets
// the window's events through, so the window repaints and Cancel is heard.
class ProgressDialog final : public UnknownImpl<IProgressIndicator> {
public:
    ProgressDialog(QWidget* parent, const VEX::String& title, const VEX::String& subtitle);
    ~ProgressDialog() override;

    HRESULT SetText(const VEX::String& text) override;
    // Non-zero once the user has pressed Cancel.
    std::int32_t SetPercent(std::int32_t percent) override;

    // A factory for HostServices::SetProgressFactory: dialogs over `parent`.
    static HostServices::ProgressFactory FactoryFor(QWidget* parent);

private:
    QPointer<QProgressDialog> dialog_;
    QString subtitle_;
};

} // namespace Desk
