#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>

namespace Desk {

// The main window's area for the module's views: every top-level window the
// module shows becomes a sub-window here, titled as the module titles it.
// Closing a sub-window hides it; the view stays with its document and is
// shown again when the user opens it again.
class ViewArea final : public QMdiArea {
    Q_OBJECT
public:
    explicit ViewArea(QWidget* parent = nullptr);
    ~ViewArea() override;

    // The document's chart, across the top; it cannot be closed.
    QMdiSubWindow& AddChart(QWidget& chart);
    // The chart across the top, the views side by side below it.
    void Arrange();
    // The sub-window holding `window`, placing it first if it is not yet.
    QMdiSubWindow& Place(QWidget& window);
    // Places the module's windows made but never shown (without a screen
    // the module does not show them).
    void PlaceUnshown();
    // The module's sub-windows whose view the user has not closed.
    QList<QMdiSubWindow*> ShownWindows() const;

private:
    QMdiSubWindow* chart_ = nullptr;

signals:
    // A module window got its sub-window.
    void placed(QWidget* window);
};

} // namespace Desk
