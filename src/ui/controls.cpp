#include "ui/controls.h"

#include <QComboBox>
#include <QLineEdit>
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

}  // namespace meridel
