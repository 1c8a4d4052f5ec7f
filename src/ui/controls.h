// Small helpers that let Qt widgets behave like the window's designed controls: geometry in
// twips, frames with or without a border, text boxes whose length limit binds only the user,
// and drop-down lists that start with nothing selected.
#pragma once

#include <QGroupBox>
#include <QString>
#include <optional>

class QCheckBox;
class QEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace meridel {

// Window coordinates are designed in twips; the window is laid out at 15 twips per pixel.
inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel (halves away from zero).
int TwipsToPixels(int twips);

// A control's place and size in twips, relative to its parent's client area.
int LeftTwips(const QWidget* w);
int TopTwips(const QWidget* w);
int WidthTwips(const QWidget* w);
int HeightTwips(const QWidget* w);
void SetLeftTwips(QWidget* w, int twips);
void SetTopTwips(QWidget* w, int twips);
void SetWidthTwips(QWidget* w, int twips);
void SetHeightTwips(QWidget* w, int twips);
void SetTwipsGeometry(QWidget* w, int left, int top, int width, int height);

// Marks w as one of its window's designed controls, so the routines that set a property on
// every control of a kind find it (and never the private widgets inside a Qt control).
void MarkAsControl(QWidget* w, const QString& name);
bool IsControl(const QWidget* w);

// A frame: a group box whose border (and caption) can be switched off entirely.
class Frame : public QGroupBox {
public:
    Frame(const QString& caption, bool bordered, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool bordered_;
};

// Limits what the user can type into box to maxLength characters. Text set by the program may
// be longer and is kept whole; the user can still shorten it.
void LimitTypedLength(QLineEdit* box, int maxLength);

// Prepares a drop-down list: filling it never selects an entry by itself (index -1 until the
// program or the user chooses). Editable lists never add typed text as an entry.
void PrepareList(QComboBox* list, bool editable);

// Makes an editable list follow text typed into it: its position becomes entry (-1: the text
// names none) while the text stays as typed. typing is true meanwhile, so that the list's
// handler can tell typing from a choice.
void FollowTypedText(QComboBox* list, const QString& text, int entry, bool& typing);

// Whether event is the user leaving a control: losing the focus, but not to a message box,
// another application or a list's drop-down, from which the focus comes back.
bool IsUserLeaving(const QEvent* event);
// For a press (not a repeat) of either Enter key: the shift state (1 Shift, 2 Ctrl, 4 Alt).
std::optional<int> EnterPressed(const QEvent* event);

// Whether w would be visible with its window shown (its own flag and those of its frames).
bool IsShown(const QWidget* w);

// A designed control, made as a child of parent under its designed name at its place and size
// (l, t, w, h in twips). Indexed gives a control array's element name, "cboPlanet(1)".
QString Indexed(const char* name, int index);
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h,
                  Qt::Alignment horizontal = Qt::AlignLeft);
// maxLength 0: no limit on typing.
QLineEdit* MakeTextBox(QWidget* parent, const QString& name, int l, int t, int w, int h, int maxLength);
QComboBox* MakeList(QWidget* parent, const QString& name, int l, int t, int w, int h, bool editable);
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h);
QCheckBox* MakeCheckBox(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h);
QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h);
Frame* MakeFrame(QWidget* parent, const QString& name, const QString& caption, bool bordered, int l, int t, int w,
                 int h);

}  // namespace meridel
