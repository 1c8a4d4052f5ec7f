#include "ui/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QVariant>
#include <cmath>

namespace meridel {

namespace {

constexpr const char* kControlProperty = "meridelControl";

// Rejects an edit that makes the text longer than the limit, but lets a longer text that the
// program put there stand and be shortened.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(QLineEdit* box, int maxLength)
        : QValidator(box), box_(box), maxLength_(maxLength), currentLength_(static_cast<int>(box->text().size())) {
        connect(box, &QLineEdit::textChanged, this,
                [this](const QString& text) { currentLength_ = static_cast<int>(text.size()); });
    }

    State validate(QString& input, int&) const override {
        const int length = static_cast<int>(input.size());
        if (length <= maxLength_ || length <= currentLength_) return Acceptable;
        // Setting a text from code clears the box's undo history before the text is validated;
        // an edit by the user is always undoable.
        if (!box_->isUndoAvailable()) return Acceptable;
        return Invalid;
    }

private:
    const QLineEdit* box_;
    int maxLength_;
    int currentLength_;
};

}  // namespace

int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

int LeftTwips(const QWidget* w) { return w->x() * kTwipsPerPixel; }
int TopTwips(const QWidget* w) { return w->y() * kTwipsPerPixel; }
int WidthTwips(const QWidget* w) { return w->width() * kTwipsPerPixel; }
int HeightTwips(const QWidget* w) { return w->height() * kTwipsPerPixel; }

void SetLeftTwips(QWidget* w, int twips) { w->move(TwipsToPixels(twips), w->y()); }
void SetTopTwips(QWidget* w, int twips) { w->move(w->x(), TwipsToPixels(twips)); }
void SetWidthTwips(QWidget* w, int twips) { w->resize(std::max(0, TwipsToPixels(twips)), w->height()); }
void SetHeightTwips(QWidget* w, int twips) { w->resize(w->width(), std::max(0, TwipsToPixels(twips))); }

void SetTwipsGeometry(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

void MarkAsControl(QWidget* w, const QString& name) {
    w->setObjectName(name);
    w->setProperty(kControlProperty, true);
}

bool IsControl(const QWidget* w) { return w->property(kControlProperty).toBool(); }

Frame::Frame(const QString& caption, bool bordered, QWidget* parent)
    : QGroupBox(caption, parent), bordered_(bordered) {}

void Frame::paintEvent(QPaintEvent* event) {
    if (bordered_) QGroupBox::paintEvent(event);
}

void LimitTypedLength(QLineEdit* box, int maxLength) {
    box->setValidator(new TypedLengthValidator(box, maxLength));
}

void PrepareList(QComboBox* list, bool editable) {
    // Qt selects the first entry added to an empty list unless a placeholder is set; a blank
    // placeholder keeps the list at "nothing selected" and shows it as empty.
    list->setPlaceholderText(QStringLiteral(" "));
    list->setEditable(editable);
    if (editable) {
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setCompleter(nullptr);
    }
}

bool IsShown(const QWidget* w) { return w->isVisibleTo(w->window()); }

bool IsUserLeaving(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

std::optional<int> EnterPressed(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return std::nullopt;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat()) return std::nullopt;
    int shift = 0;
    if (key->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (key->modifiers() & Qt::ControlModifier) shift |= 2;
    if (key->modifiers() & Qt::AltModifier) shift |= 4;
    return shift;
}

void FollowTypedText(QComboBox* list, const QString& text, int entry, bool& typing) {
    if (entry == list->currentIndex()) return;
    QLineEdit* edit = list->lineEdit();
    const int cursor = edit->cursorPosition();
    typing = true;
    list->setCurrentIndex(entry);
    typing = false;
    // Choosing the position rewrites the edit field; the user's text stays as typed.
    if (edit->text() != text) {
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
}

QString Indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h,
                  Qt::Alignment horizontal) {
    auto* label = new QLabel(caption, parent);
    MarkAsControl(label, name);
    label->setAlignment(horizontal | Qt::AlignTop);
    SetTwipsGeometry(label, l, t, w, h);
    return label;
}

QLineEdit* MakeTextBox(QWidget* parent, const QString& name, int l, int t, int w, int h, int maxLength) {
    auto* box = new QLineEdit(parent);
    MarkAsControl(box, name);
    if (maxLength > 0) LimitTypedLength(box, maxLength);
    SetTwipsGeometry(box, l, t, w, h);
    return box;
}

QComboBox* MakeList(QWidget* parent, const QString& name, int l, int t, int w, int h, bool editable) {
    auto* list = new QComboBox(parent);
    MarkAsControl(list, name);
    PrepareList(list, editable);
    list->setMaxVisibleItems(16);
    SetTwipsGeometry(list, l, t, w, h);
    return list;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h) {
    auto* button = new QPushButton(caption, parent);
    MarkAsControl(button, name);
    button->setAutoDefault(false);
    SetTwipsGeometry(button, l, t, w, h);
    return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h) {
    auto* box = new QCheckBox(caption, parent);
    MarkAsControl(box, name);
    SetTwipsGeometry(box, l, t, w, h);
    return box;
}

QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption, int l, int t, int w, int h) {
    auto* option = new QRadioButton(caption, parent);
    MarkAsControl(option, name);
    SetTwipsGeometry(option, l, t, w, h);
    return option;
}

Frame* MakeFrame(QWidget* parent, const QString& name, const QString& caption, bool bordered, int l, int t, int w,
                 int h) {
    auto* frame = new Frame(caption, bordered, parent);
    MarkAsControl(frame, name);
    QFont font = frame->font();
    font.setPointSize(10);
    frame->setFont(font);
    SetTwipsGeometry(frame, l, t, w, h);
    return frame;
}

}  // namespace meridel
