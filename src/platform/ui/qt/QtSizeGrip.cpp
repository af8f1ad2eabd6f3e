#include "platform/ui/qt/QtBackend.h"

#include <QApplication>
#include <QPointer>
#include <QSizeGrip>
#include <QStyle>

#include "platform/ui/qt/QtWindowPeer.h"

namespace platform::ui {

namespace {

class QtSizeGrip final : public SizeGripPeer {
public:
    explicit QtSizeGrip(QWidget& own) : grip_(new QSizeGrip(&own)) { grip_->hide(); }

    std::int32_t Side() const override { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

    void SetVisible(bool visible) override
    {
        if (QSizeGrip* grip = grip_.data()) {
            grip->setVisible(visible);
        }
    }

    bool IsShown() const override
    {
        const QSizeGrip* grip = grip_.data();
        return grip != nullptr && !grip->isHidden();
    }

    void Place(const TRect& square) override
    {
        if (QSizeGrip* grip = grip_.data()) {
            grip->setGeometry(square.left, square.top, square.Width(), square.Height());
        }
    }

private:
    QPointer<QSizeGrip> grip_;
};

} // namespace

std::unique_ptr<SizeGripPeer> QtBackend::MakeSizeGrip(TWindow& own)
{
    return std::make_unique<QtSizeGrip>(*Peer(own).Widget());
}

} // namespace platform::ui
