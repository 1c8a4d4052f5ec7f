// Routines that set one property on every designed control of some kinds in a window: colours,
// fonts and the enabled state. "Controls" are the widgets marked with MarkAsControl.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <vector>

class QPushButton;
class QWidget;

namespace meridel {

// The windows' colours as Windows colour values 0x00BBGGRR.
inline constexpr std::int32_t kWindowBackColor = 0x5B082F;   // dark violet
inline constexpr std::int32_t kControlForeColor = 0xF8EDD5;  // pale blue
inline constexpr std::int32_t kRunningDateColor = 0x00FFFF;  // yellow

// What the main window's frame adds to its client area, in twips: two 4-pixel borders, and a
// title bar. Chosen so that the designed heights 6500 and 8000 are whole pixels of client area.
inline constexpr int kFrameWidthTwips = 120;
inline constexpr int kFrameHeightTwips = 575;

enum class ControlKind { Label, CommandButton, CheckBox, TextBox, OptionButton, Frame, ComboBox, Other };

ControlKind KindOf(const QWidget* control);
// The window's designed controls, in the order they were created.
std::vector<QWidget*> ControlsOf(QWidget& window);

// A colour given as a Windows colour value 0x00BBGGRR.
QColor ColorFromWindowsValue(std::int32_t bgr);

// Text colour of every label, check box, frame and option button.
void SetForeColorAll(QWidget& window, std::int32_t bgr);
// Background of the window itself, then of every label, check box, frame and option button.
void SetBackColorAll(QWidget& window, std::int32_t bgr);
// Bold on or off for labels, buttons, check boxes, text boxes, option buttons, frames and lists.
void SetFontBoldAll(QWidget& window, bool bold);
// Point size of labels, buttons, check boxes, text boxes, option buttons and lists (not frames).
void SetFontSizeAll(QWidget& window, int points);
// Font name of frames, buttons, check boxes, labels, option buttons and lists; then, when asked,
// of every text box; then, when asked, of every button again.
void SetFontNameAll(QWidget& window, const QString& name, bool includeTextBoxes, bool includeButtons);

// Text colour of one control (labels, check boxes, frames, option buttons) and its background.
void SetControlForeColor(QWidget* control, const QColor& color);
void SetControlBackColor(QWidget* control, const QColor& color);

// Enables or disables every button, check box, option button and list; also every frame, text
// box or label when the matching flag is set, and the check boxes once more when checkBoxesToo.
// Repaints the window.
void SetEnabledByKind(QWidget& window, bool enabled, bool framesToo, bool textBoxesToo, bool labelsToo,
                      bool checkBoxesToo);

// Gives button the keyboard focus when it is visible and enabled; false otherwise.
bool FocusButtonIfAvailable(QPushButton* button);

// Moves a window of this outer size (twips) to a fifth of the way down the primary screen,
// centred across.
void PlaceOnScreen(QWidget& window, int widthTwips, int heightTwips);

}  // namespace meridel
