#include "ui/window_style.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/controls.h"

namespace meridel {

namespace {

bool IsOneOf(ControlKind kind, std::initializer_list<ControlKind> kinds) {
    for (ControlKind k : kinds)
        if (k == kind) return true;
    return false;
}

template <typename Change>
void ForEachOfKinds(QWidget& window, std::initializer_list<ControlKind> kinds, Change change) {
    for (QWidget* control : ControlsOf(window))
        if (IsOneOf(KindOf(control), kinds)) change(control);
}

void ChangeFont(QWidget* control, const auto& change) {
    QFont font = control->font();
    change(font);
    control->setFont(font);
}

}  // namespace

ControlKind KindOf(const QWidget* control) {
    if (qobject_cast<const QLabel*>(control)) return ControlKind::Label;
    if (qobject_cast<const QPushButton*>(control)) return ControlKind::CommandButton;
    if (qobject_cast<const QCheckBox*>(control)) return ControlKind::CheckBox;
    if (qobject_cast<const QRadioButton*>(control)) return ControlKind::OptionButton;
    if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QPlainTextEdit*>(control))
        return ControlKind::TextBox;
    if (qobject_cast<const QGroupBox*>(control)) return ControlKind::Frame;
    if (qobject_cast<const QComboBox*>(control)) return ControlKind::ComboBox;
    return ControlKind::Other;
}

std::vector<QWidget*> ControlsOf(QWidget& window) {
    std::vector<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (IsControl(w)) controls.push_back(w);
    return controls;
}

QColor ColorFromWindowsValue(std::int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// Labels and frames draw on the Window role; check boxes and option buttons, being buttons, on
// the Button role. Both are set so every kind takes the colour.
void SetControlForeColor(QWidget* control, const QColor& color) {
    QPalette palette = control->palette();
    // Disabled text stays readable on the dark background, only dimmer.
    QColor dimmed = color;
    dimmed.setAlpha(140);
    for (QPalette::ColorRole role : {QPalette::WindowText, control->foregroundRole()}) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
        palette.setColor(QPalette::Disabled, role, dimmed);
    }
    control->setPalette(palette);
}

void SetControlBackColor(QWidget* control, const QColor& color) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(control->backgroundRole(), color);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void SetForeColorAll(QWidget& window, std::int32_t bgr) {
    const QColor color = ColorFromWindowsValue(bgr);
    ForEachOfKinds(window,
                   {ControlKind::Label, ControlKind::CheckBox, ControlKind::Frame, ControlKind::OptionButton},
                   [&](QWidget* c) { SetControlForeColor(c, color); });
}

void SetBackColorAll(QWidget& window, std::int32_t bgr) {
    const QColor color = ColorFromWindowsValue(bgr);
    SetControlBackColor(&window, color);
    ForEachOfKinds(window,
                   {ControlKind::Label, ControlKind::CheckBox, ControlKind::Frame, ControlKind::OptionButton},
                   [&](QWidget* c) { SetControlBackColor(c, color); });
}

void SetFontBoldAll(QWidget& window, bool bold) {
    ForEachOfKinds(window,
                   {ControlKind::Label, ControlKind::CommandButton, ControlKind::CheckBox, ControlKind::TextBox,
                    ControlKind::OptionButton, ControlKind::Frame, ControlKind::ComboBox},
                   [&](QWidget* c) { ChangeFont(c, [&](QFont& f) { f.setBold(bold); }); });
}

void SetFontSizeAll(QWidget& window, int points) {
    ForEachOfKinds(window,
                   {ControlKind::Label, ControlKind::CommandButton, ControlKind::CheckBox, ControlKind::TextBox,
                    ControlKind::OptionButton, ControlKind::ComboBox},
                   [&](QWidget* c) { ChangeFont(c, [&](QFont& f) { f.setPointSize(points); }); });
}

void SetFontNameAll(QWidget& window, const QString& name, bool includeTextBoxes, bool includeButtons) {
    auto setName = [&](QWidget* c) { ChangeFont(c, [&](QFont& f) { f.setFamilies({name}); }); };
    ForEachOfKinds(window,
                   {ControlKind::Frame, ControlKind::CommandButton, ControlKind::CheckBox, ControlKind::Label,
                    ControlKind::OptionButton, ControlKind::ComboBox},
                   setName);
    if (includeTextBoxes) ForEachOfKinds(window, {ControlKind::TextBox}, setName);
    if (includeButtons) ForEachOfKinds(window, {ControlKind::CommandButton}, setName);
}

void SetEnabledByKind(QWidget& window, bool enabled, bool framesToo, bool textBoxesToo, bool labelsToo,
                      bool checkBoxesToo) {
    auto setEnabled = [&](QWidget* c) { c->setEnabled(enabled); };
    ForEachOfKinds(window,
                   {ControlKind::CommandButton, ControlKind::CheckBox, ControlKind::OptionButton,
                    ControlKind::ComboBox},
                   setEnabled);
    if (framesToo) ForEachOfKinds(window, {ControlKind::Frame}, setEnabled);
    if (textBoxesToo) ForEachOfKinds(window, {ControlKind::TextBox}, setEnabled);
    if (labelsToo) ForEachOfKinds(window, {ControlKind::Label}, setEnabled);
    if (checkBoxesToo) ForEachOfKinds(window, {ControlKind::CheckBox}, setEnabled);
    window.repaint();
}

bool FocusButtonIfAvailable(QPushButton* button) {
    if (!IsShown(button) || !button->isEnabled()) return false;
    button->setFocus();
    return true;
}

void PlaceOnScreen(QWidget& window, int widthTwips, int heightTwips) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const double top = (area.height() * kTwipsPerPixel - static_cast<double>(heightTwips)) / 5.0;
    const double left = (area.width() * kTwipsPerPixel - static_cast<double>(widthTwips)) / 2.0;
    window.move(area.x() + static_cast<int>(std::lround(left / kTwipsPerPixel)),
                area.y() + static_cast<int>(std::lround(top / kTwipsPerPixel)));
}

}  // namespace meridel
