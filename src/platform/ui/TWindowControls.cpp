// The controls a window holds, addressed by id.

#include <QAbstractButton>
#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <cmath>
#include <limits>

#include "platform/error/XVEX.h"
#include "platform/ui/TPopupMenu.h"
#include "platform/ui/TWindow.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/WindowImpl.h"

namespace platform::ui {

namespace {

struct NamedColour {
    const char16_t* name;
    COLORREF colour;
};

// The colours a colour button offers.
constexpr std::array<NamedColour, 16> kColourChoices{{
    {u"Black", RGB(0, 0, 0)},       {u"Maroon", RGB(128, 0, 0)},    {u"Green", RGB(0, 128, 0)},
    {u"Olive", RGB(128, 128, 0)},   {u"Navy", RGB(0, 0, 128)},      {u"Purple", RGB(128, 0, 128)},
    {u"Teal", RGB(0, 128, 128)},    {u"Gray", RGB(128, 128, 128)},  {u"Silver", RGB(192, 192, 192)},
    {u"Red", RGB(255, 0, 0)},       {u"Lime", RGB(0, 255, 0)},      {u"Yellow", RGB(255, 255, 0)},
    {u"Blue", RGB(0, 0, 255)},      {u"Fuchsia", RGB(255, 0, 255)}, {u"Aqua", RGB(0, 255, 255)},
    {u"White", RGB(255, 255, 255)},
}};

std::string IdText(std::int32_t id)
{
    return std::to_string(id);
}

template <class Widget>
Widget* As(const Control& control, const char* what)
{
    auto* widget = qobject_cast<Widget*>(control.widget.data());
    if (widget == nullptr) {
        throw VEX::XVEX("Control " + IdText(control.definition.id) + " is not " + what + ".");
    }
    return widget;
}

std::optional<double> ParseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok) {
        value = QLocale().toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Fifteen digits hide the noise of unit conversions (-0.05 / 0.001 shows
// as -50); values at the ends of the double range need every digit to read
// back as finite.
QString NumberText(double value)
{
    const QString rounded = QString::number(value, 'g', 15);
    return ParseNumber(rounded) ? rounded : QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QIcon SwatchIcon(COLORREF colour)
{
    QPixmap swatch(24, 12);
    swatch.fill(qt::ToQColor(colour));
    return QIcon(swatch);
}

QWidget* MakeControlWidget(const ControlTemplate& layout, QWidget* parent)
{
    const QString text = qt::ToQString(layout.text);
    switch (layout.kind) {
    case ControlKind::Static:
        return new QLabel(text, parent);
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Edit:
    case ControlKind::NumericEdit:
        return new QLineEdit(text, parent);
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(layout.kind == ControlKind::DefaultButton);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, parent);
        radio->setAutoExclusive(false);
        return radio;
    }
    case ControlKind::ComboBox:
        return new QComboBox(parent);
    case ControlKind::ColourButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setIcon(SwatchIcon(kBlack));
        return button;
    }
    }
    return new QLabel(text, parent);
}

std::optional<COLORREF> AskColour(QWidget& button)
{
    TPopupMenu menu;
    for (std::size_t i = 0; i < kColourChoices.size(); ++i) {
        menu.AppendItem(static_cast<std::uint32_t>(i + 1), kColourChoices[i].name);
    }
    const QPoint below = button.mapToGlobal(QPoint(0, button.height()));
    const std::uint32_t chosen = menu.TrackPopupMenu({below.x(), below.y()});
    if (chosen == 0 || chosen > kColourChoices.size()) {
        return std::nullopt;
    }
    return kColourChoices[chosen - 1].colour;
}

// The closed box draws the current item's text with its own palette, not
// the item's colour: give it that colour, or back the inherited one.
void ShowCurrentItemColour(QComboBox& combo)
{
    const std::int32_t current = combo.currentIndex();
    const QVariant foreground = current >= 0 ? combo.itemData(current, Qt::ForegroundRole) : QVariant();
    if (!foreground.isValid()) {
        combo.setPalette(QPalette());
        return;
    }
    QPalette palette = combo.palette();
    palette.setColor(QPalette::ButtonText, foreground.value<QBrush>().color());
    palette.setColor(QPalette::Text, foreground.value<QBrush>().color());
    combo.setPalette(palette);
}

} // namespace

Control& TWindow::Impl::ControlById(std::int32_t id)
{
    const auto found = controls.find(id);
    if (found == controls.end() || !found->second.widget) {
        throw VEX::XVEX("The window has no control " + IdText(id) + ".");
    }
    return found->second;
}

const Control& TWindow::Impl::ControlById(std::int32_t id) const
{
    return const_cast<Impl*>(this)->ControlById(id);
}

void TWindow::AddControl(const ControlTemplate& layout)
{
    QWidget* parent = impl_->widget.data();
    if (parent == nullptr) {
        return;
    }
    if (impl_->controls.contains(layout.id)) {
        throw VEX::XVEX("The window already has a control " + IdText(layout.id) + ".");
    }
    QWidget* widget = MakeControlWidget(layout, parent);
    const TRect r = layout.bounds.Normalized();
    widget->setGeometry(r.left, r.top, r.Width(), r.Height());
    if (impl_->controlFont) {
        widget->setFont(qt::ToQFont(*impl_->controlFont));
    }
    const std::int32_t id = layout.id;
    TWindow* self = this;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const bool colour = layout.kind == ControlKind::ColourButton;
        QObject::connect(button, &QAbstractButton::clicked, button, [self, id, colour, button] {
            if (!colour) {
                WindowDispatch::Command(*self, id, ControlNotify::Clicked);
            } else if (const auto chosen = AskColour(*button)) {
                self->SetColour(id, *chosen);
                WindowDispatch::Command(*self, id, ControlNotify::ColourChange);
            }
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(combo, &QComboBox::activated, combo,
                         [self, id] { WindowDispatch::Command(*self, id, ControlNotify::SelChange); });
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo] { ShowCurrentItemColour(*combo); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [self, id] { WindowDispatch::Command(*self, id, ControlNotify::EditChange); });
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        // Behind the controls it frames, which are its siblings.
        group->lower();
    }
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        if (!impl_->lastWasRadio || layout.groupStart || !impl_->radioGroup) {
            impl_->radioGroup = new QButtonGroup(parent);
        }
        impl_->radioGroup->addButton(radio);
    }
    impl_->lastWasRadio = layout.kind == ControlKind::RadioButton;
    widget->show();
    impl_->controls.emplace(id, Control{layout, widget, kBlack});
    impl_->controlOrder.push_back(id);
}

bool TWindow::HasControl(std::int32_t id) const
{
    const auto found = impl_->controls.find(id);
    return found != impl_->controls.end() && found->second.widget;
}

void TWindow::SetControlFont(const TFont& font)
{
    impl_->controlFont = font;
    const QFont qfont = qt::ToQFont(font);
    for (auto& [id, control] : impl_->controls) {
        if (control.widget) {
            control.widget->setFont(qfont);
        }
    }
}

void TWindow::SetControlText(std::int32_t id, const VEX::String& text)
{
    const Control& control = impl_->ControlById(id);
    const QString qtext = qt::ToQString(text);
    QWidget* widget = control.widget.data();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qtext);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(qtext);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(qtext);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(qtext);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(combo->findText(qtext));
    }
}

VEX::String TWindow::GetControlText(std::int32_t id) const
{
    const Control& control = impl_->ControlById(id);
    QWidget* widget = control.widget.data();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return qt::FromQString(label->text());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return qt::FromQString(edit->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return qt::FromQString(button->text());
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return qt::FromQString(group->title());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return qt::FromQString(combo->currentText());
    }
    return {};
}

void TWindow::EnableControl(std::int32_t id, bool enabled)
{
    impl_->ControlById(id).widget->setEnabled(enabled);
}

bool TWindow::IsControlEnabled(std::int32_t id) const
{
    return impl_->ControlById(id).widget->isEnabled();
}

void TWindow::ShowControl(std::int32_t id, bool visible)
{
    impl_->ControlById(id).widget->setVisible(visible);
}

void TWindow::MoveControl(std::int32_t id, const TRect& bounds)
{
    Control& control = impl_->ControlById(id);
    const TRect r = bounds.Normalized();
    control.definition.bounds = r;
    control.widget->setGeometry(r.left, r.top, r.Width(), r.Height());
}

void TWindow::SetControlTooltip(std::int32_t id, const VEX::String& text)
{
    impl_->ControlById(id).widget->setToolTip(qt::ToQString(text));
}

VEX::String TWindow::GetControlTooltip(std::int32_t id) const
{
    return qt::FromQString(impl_->ControlById(id).widget->toolTip());
}

void TWindow::SetControlFocus(std::int32_t id)
{
    QWidget* widget = impl_->ControlById(id).widget.data();
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
    }
}

void TWindow::SetNumber(std::int32_t id, double value)
{
    As<QLineEdit>(impl_->ControlById(id), "an edit")->setText(NumberText(value));
}

std::optional<double> TWindow::GetNumber(std::int32_t id) const
{
    return ParseNumber(As<QLineEdit>(impl_->ControlById(id), "an edit")->text());
}

std::optional<VEX::String> TWindow::NumberError(std::int32_t id) const
{
    const Control& control = impl_->ControlById(id);
    const auto value = ParseNumber(As<QLineEdit>(control, "an edit")->text());
    const double minimum = control.definition.minimum;
    const double maximum = control.definition.maximum;
    const bool unbounded = minimum == std::numeric_limits<double>::lowest() &&
                           maximum == std::numeric_limits<double>::max();
    if (value && *value >= minimum && *value <= maximum) {
        return std::nullopt;
    }
    if (unbounded) {
        return VEX::String(u"Please enter a number.");
    }
    return qt::FromQString(QStringLiteral("Please enter a number from %1 to %2.")
                               .arg(NumberText(minimum), NumberText(maximum)));
}

void TWindow::SetCheck(std::int32_t id, bool checked)
{
    auto* button = As<QAbstractButton>(impl_->ControlById(id), "a check box or radio button");
    QButtonGroup* group = button->group();
    // An exclusive group refuses to leave all its buttons unchecked.
    const bool exclusive = group != nullptr && group->exclusive();
    if (exclusive && !checked) {
        group->setExclusive(false);
    }
    button->setChecked(checked);
    if (exclusive && !checked) {
        group->setExclusive(true);
    }
}

bool TWindow::IsChecked(std::int32_t id) const
{
    return As<QAbstractButton>(impl_->ControlById(id), "a check box or radio button")->isChecked();
}

void TWindow::ClearItems(std::int32_t id)
{
    As<QComboBox>(impl_->ControlById(id), "a combo box")->clear();
}

std::int32_t TWindow::AddItem(std::int32_t id, const VEX::String& text, std::int64_t data)
{
    auto* combo = As<QComboBox>(impl_->ControlById(id), "a combo box");
    combo->addItem(qt::ToQString(text), QVariant::fromValue<qlonglong>(data));
    return combo->count() - 1;
}

std::int32_t TWindow::GetItemCount(std::int32_t id) const
{
    return As<QComboBox>(impl_->ControlById(id), "a combo box")->count();
}

VEX::String TWindow::GetItemText(std::int32_t id, std::int32_t index) const
{
    auto* combo = As<QComboBox>(impl_->ControlById(id), "a combo box");
    if (index < 0 || index >= combo->count()) {
        throw VEX::XVEX("Combo box " + IdText(id) + " has no item " + IdText(index) + ".");
    }
    return qt::FromQString(combo->itemText(index));
}

std::int64_t TWindow::GetItemData(std::int32_t id, std::int32_t index) const
{
    auto* combo = As<QComboBox>(impl_->ControlById(id), "a combo box");
    if (index < 0 || index >= combo->count()) {
        throw VEX::XVEX("Combo box " + IdText(id) + " has no item " + IdText(index) + ".");
    }
    return combo->itemData(index).toLongLong();
}

bool TWindow::SetSelIndex(std::int32_t id, std::int32_t index)
{
    auto* combo = As<QComboBox>(impl_->ControlById(id), "a combo box");
    if (index < -1 || index >= combo->count()) {
        return false;
    }
    combo->setCurrentIndex(index);
    return true;
}

std::int32_t TWindow::GetSelIndex(std::int32_t id) const
{
    return As<QComboBox>(impl_->ControlById(id), "a combo box")->currentIndex();
}

void TWindow::SetItemColour(std::int32_t id, std::int32_t index, COLORREF colour)
{
    auto* combo = As<QComboBox>(impl_->ControlById(id), "a combo box");
    if (index < 0 || index >= combo->count()) {
        throw VEX::XVEX("Combo box " + IdText(id) + " has no item " + IdText(index) + ".");
    }
    const QColor qcolour(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    combo->setItemData(index, QBrush(qcolour), Qt::ForegroundRole);
    ShowCurrentItemColour(*combo);
}

std::optional<COLORREF> TWindow::GetItemColour(std::int32_t id, std::int32_t index) const
{
    auto* combo = As<QComboBox>(impl_->ControlById(id), "a combo box");
    if (index < 0 || index >= combo->count()) {
        throw VEX::XVEX("Combo box " + IdText(id) + " has no item " + IdText(index) + ".");
    }
    const QVariant foreground = combo->itemData(index, Qt::ForegroundRole);
    if (!foreground.isValid()) {
        return std::nullopt;
    }
    const QColor qcolour = foreground.value<QBrush>().color();
    return RGB(static_cast<std::uint8_t>(qcolour.red()), static_cast<std::uint8_t>(qcolour.green()),
               static_cast<std::uint8_t>(qcolour.blue()));
}

void TWindow::SetColour(std::int32_t id, COLORREF colour)
{
    Control& control = impl_->ControlById(id);
    if (control.definition.kind != ControlKind::ColourButton) {
        throw VEX::XVEX("Control " + IdText(id) + " is not a colour button.");
    }
    control.colour = colour & 0x00FFFFFFu;
    As<QPushButton>(control, "a colour button")->setIcon(SwatchIcon(control.colour));
}

COLORREF TWindow::GetColour(std::int32_t id) const
{
    const Control& control = impl_->ControlById(id);
    if (control.definition.kind != ControlKind::ColourButton) {
        throw VEX::XVEX("Control " + IdText(id) + " is not a colour button.");
    }
    return control.colour;
}

} // namespace platform::ui
