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
#include "platform/ui/qt/ForwardingWidget.h"
#include "platform/ui/qt/QtWindowPeer.h"

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

Control& QtWindowPeer::ControlById(std::int32_t id)
{
    const auto found = controls.find(id);
    if (found == controls.end() || !found->second.widget) {
        throw VEX::XVEX("The window has no control " + IdText(id) + ".");
    }
    return found->second;
}

const Control& QtWindowPeer::ControlById(std::int32_t id) const
{
    return const_cast<QtWindowPeer*>(this)->ControlById(id);
}

void QtWindowPeer::AddControl(const ControlTemplate& layout)
{
    QWidget* parent = widget.data();
    if (parent == nullptr) {
        return;
    }
    if (controls.contains(layout.id)) {
        throw VEX::XVEX("The window already has a control " + IdText(layout.id) + ".");
    }
    QWidget* widget = MakeControlWidget(layout, parent);
    const TRect r = layout.bounds.Normalized();
    widget->setGeometry(r.left, r.top, r.Width(), r.Height());
    if (controlFont) {
        widget->setFont(qt::ToQFont(*controlFont));
    }
    const std::int32_t id = layout.id;
    TWindow* self = owner;
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
        if (!lastWasRadio || layout.groupStart || !radioGroup) {
            radioGroup = new QButtonGroup(parent);
        }
        radioGroup->addButton(radio);
    }
    lastWasRadio = layout.kind == ControlKind::RadioButton;
    widget->show();
    controls.emplace(id, Control{layout, widget, kBlack});
    controlOrder.push_back(id);
}

bool QtWindowPeer::HasControl(std::int32_t id) const
{
    const auto found = controls.find(id);
    return found != controls.end() && found->second.widget;
}

void QtWindowPeer::SetControlFont(const TFont& font)
{
    controlFont = font;
    const QFont qfont = qt::ToQFont(font);
    for (auto& [id, control] : controls) {
        if (control.widget) {
            control.widget->setFont(qfont);
        }
    }
}

void QtWindowPeer::SetControlText(std::int32_t id, const VEX::String& text)
{
    const Control& control = ControlById(id);
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

VEX::String QtWindowPeer::GetControlText(std::int32_t id) const
{
    const Control& control = ControlById(id);
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

void QtWindowPeer::EnableControl(std::int32_t id, bool enabled)
{
    ControlById(id).widget->setEnabled(enabled);
}

bool QtWindowPeer::IsControlEnabled(std::int32_t id) const
{
    return ControlById(id).widget->isEnabled();
}

void QtWindowPeer::ShowControl(std::int32_t id, bool visible)
{
    ControlById(id).widget->setVisible(visible);
}

void QtWindowPeer::MoveControl(std::int32_t id, const TRect& bounds)
{
    Control& control = ControlById(id);
    const TRect r = bounds.Normalized();
    control.definition.bounds = r;
    control.widget->setGeometry(r.left, r.top, r.Width(), r.Height());
}

void QtWindowPeer::SetControlTooltip(std::int32_t id, const VEX::String& text)
{
    ControlById(id).widget->setToolTip(qt::ToQString(text));
}

VEX::String QtWindowPeer::GetControlTooltip(std::int32_t id) const
{
    return qt::FromQString(ControlById(id).widget->toolTip());
}

void QtWindowPeer::SetControlFocus(std::int32_t id)
{
    QWidget* widget = ControlById(id).widget.data();
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
    }
}

void QtWindowPeer::SetNumber(std::int32_t id, double value)
{
    As<QLineEdit>(ControlById(id), "an edit")->setText(NumberText(value));
}

std::optional<double> QtWindowPeer::GetNumber(std::int32_t id) const
{
    return ParseNumber(As<QLineEdit>(ControlById(id), "an edit")->text());
}

std::optional<VEX::String> QtWindowPeer::NumberError(std::int32_t id) const
{
    const Control& control = ControlById(id);
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

void QtWindowPeer::SetCheck(std::int32_t id, bool checked)
{
    auto* button = As<QAbstractButton>(ControlById(id), "a check box or radio button");
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

bool QtWindowPeer::IsChecked(std::int32_t id) const
{
    return As<QAbstractButton>(ControlById(id), "a check box or radio button")->isChecked();
}

void QtWindowPeer::ClearItems(std::int32_t id)
{
    As<QComboBox>(ControlById(id), "a combo box")->clear();
}

std::int32_t QtWindowPeer::AddItem(std::int32_t id, const VEX::String& text, std::int64_t data)
{
    auto* combo = As<QComboBox>(ControlById(id), "a combo box");
    combo->addItem(qt::ToQString(text), QVariant::fromValue<qlonglong>(data));
    return combo->count() - 1;
}

std::int32_t QtWindowPeer::GetItemCount(std::int32_t id) const
{
    return As<QComboBox>(ControlById(id), "a combo box")->count();
}

VEX::String QtWindowPeer::GetItemText(std::int32_t id, std::int32_t index) const
{
    auto* combo = As<QComboBox>(ControlById(id), "a combo box");
    if (index < 0 || index >= combo->count()) {
        throw VEX::XVEX("Combo box " + IdText(id) + " has no item " + IdText(index) + ".");
    }
    return qt::FromQString(combo->itemText(index));
}

std::int64_t QtWindowPeer::GetItemData(std::int32_t id, std::int32_t index) const
{
    auto* combo = As<QComboBox>(ControlById(id), "a combo box");
    if (index < 0 || index >= combo->count()) {
        throw VEX::XVEX("Combo box " + IdText(id) + " has no item " + IdText(index) + ".");
    }
    return combo->itemData(index).toLongLong();
}

bool QtWindowPeer::SetSelIndex(std::int32_t id, std::int32_t index)
{
    auto* combo = As<QComboBox>(ControlById(id), "a combo box");
    if (index < -1 || index >= combo->count()) {
        return false;
    }
    combo->setCurrentIndex(index);
    return true;
}

std::int32_t QtWindowPeer::GetSelIndex(std::int32_t id) const
{
    return As<QComboBox>(ControlById(id), "a combo box")->currentIndex();
}

void QtWindowPeer::SetItemColour(std::int32_t id, std::int32_t index, COLORREF colour)
{
    auto* combo = As<QComboBox>(ControlById(id), "a combo box");
    if (index < 0 || index >= combo->count()) {
        throw VEX::XVEX("Combo box " + IdText(id) + " has no item " + IdText(index) + ".");
    }
    const QColor qcolour(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    combo->setItemData(index, QBrush(qcolour), Qt::ForegroundRole);
    ShowCurrentItemColour(*combo);
}

std::optional<COLORREF> QtWindowPeer::GetItemColour(std::int32_t id, std::int32_t index) const
{
    auto* combo = As<QComboBox>(ControlById(id), "a combo box");
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

void QtWindowPeer::SetColour(std::int32_t id, COLORREF colour)
{
    Control& control = ControlById(id);
    if (control.definition.kind != ControlKind::ColourButton) {
        throw VEX::XVEX("Control " + IdText(id) + " is not a colour button.");
    }
    control.colour = colour & 0x00FFFFFFu;
    As<QPushButton>(control, "a colour button")->setIcon(SwatchIcon(control.colour));
}

COLORREF QtWindowPeer::GetColour(std::int32_t id) const
{
    const Control& control = ControlById(id);
    if (control.definition.kind != ControlKind::ColourButton) {
        throw VEX::XVEX("Control " + IdText(id) + " is not a colour button.");
    }
    return control.colour;
}

std::vector<std::int32_t> QtWindowPeer::NumericEdits() const
{
    std::vector<std::int32_t> edits;
    for (const std::int32_t id : controlOrder) {
        if (controls.at(id).definition.kind == ControlKind::NumericEdit) {
            edits.push_back(id);
        }
    }
    return edits;
}

} // namespace platform::ui
