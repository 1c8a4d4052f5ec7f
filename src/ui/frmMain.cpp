#include "ui/frmMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "request/choices.h"
#include "ui/app_icon.h"
#include "ui/controls.h"

namespace meridel {

namespace {

// Which date row and which box of it an object is, or row -1.
struct DateBox {
    int row = -1;
    int column = 0;  // 0 year, 1 month, 2 day
};

int ShiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= 1;
    if (modifiers & Qt::ControlModifier) shift |= 2;
    if (modifiers & Qt::AltModifier) shift |= 4;
    return shift;
}

// The entry a text typed into the hour or minute list stands for (EntryOfTypedNumber); Qt trims
// every kind of blank a user may type, not only the ASCII ones.
int EntryOfTypedText(const QComboBox* list, const QString& text) {
    std::vector<std::string> entries;
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->itemText(i).toStdString());
    return EntryOfTypedNumber(entries, text.trimmed().toStdString());
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Meridel"));
    setWindowIcon(MeridelIcon());
    // Sizable, with a minimise button but no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(TwipsToPixels(kDesignedClientWidthTwips), TwipsToPixels(kDesignedClientHeightTwips));

    CreateControls();
    ConnectHandlers();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}

frmMain::~frmMain() = default;

void frmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Never tear the window down under a running scan: stop it, and close when it has unwound.
    if (ScanRunning) {
        session.StopRequested = true;
        session.RunAborted = true;
        CloseRequested = true;
        event->ignore();
        return;
    }
    CloseRequested = false;
    Form_Unload();
    // Cancel at the question keeps the program, and its listing, open.
    if (ProgramEnded) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    DateBox box;
    for (int row = 0; row < 3; ++row) {
        if (watched == txbYear[row]) box = {row, 0};
        if (watched == txbMonth[row]) box = {row, 1};
        if (watched == txbDay[row]) box = {row, 2};
    }
    if (box.row < 0) return QWidget::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut) {
        // A message box, another application or a list's drop-down taking the focus is not the
        // user leaving the box; the focus comes back to it afterwards.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (box.column == 0) txbYear_LostFocus(box.row);
            if (box.column == 1) txbMonth_LostFocus(box.row);
            if (box.column == 2) txbDay_LostFocus(box.row);
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) {
            const int shift = ShiftState(key->modifiers());
            if (box.column == 0) txbYear_KeyUp(box.row, 13, shift);
            if (box.column == 1) txbMonth_KeyUp(box.row, 13, shift);
            if (box.column == 2) txbDay_KeyUp(box.row, 13, shift);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::MatchTypedText(QComboBox* list, const QString& text) {
    const int index = (list == cboHour || list == cboMinute) ? EntryOfTypedText(list, text)
                                                             : list->findText(text, Qt::MatchFixedString);
    if (index == list->currentIndex()) return;
    QLineEdit* edit = list->lineEdit();
    const int cursor = edit->cursorPosition();
    TypingInList = true;
    list->setCurrentIndex(index);
    TypingInList = false;
    // Choosing the position rewrites the edit field; the user's text stays as typed.
    if (edit->text() != text) {
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
}

}  // namespace meridel
