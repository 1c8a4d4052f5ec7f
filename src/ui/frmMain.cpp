#include "ui/frmMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "request/choices.h"
#include "ui/app_icon.h"
#include "ui/controls.h"

namespace meridel {

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
    if (RunState.ScanRunning) {
        session.StopRequested = true;
        session.RunAborted = true;
        RunState.CloseRequested = true;
        event->ignore();
        return;
    }
    RunState.CloseRequested = false;
    Form_Unload();
    // Cancel at the question keeps the program, and its listing, open.
    if (ProgramEnded) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    for (int row = 0; row < 3; ++row) {
        const int column = watched == txbYear[row] ? 0 : watched == txbMonth[row] ? 1 : watched == txbDay[row] ? 2 : -1;
        if (column < 0) continue;
        if (IsUserLeaving(event)) {
            if (column == 0) txbYear_LostFocus(row);
            if (column == 1) txbMonth_LostFocus(row);
            if (column == 2) txbDay_LostFocus(row);
        } else if (const std::optional<int> shift = EnterPressed(event)) {
            if (column == 0) txbYear_KeyUp(row, 13, *shift);
            if (column == 1) txbMonth_KeyUp(row, 13, *shift);
            if (column == 2) txbDay_KeyUp(row, 13, *shift);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::MatchTypedText(QComboBox* list, const QString& text) {
    // Qt trims every kind of blank a user may type, not only the ASCII ones.
    const std::string typed = text.trimmed().toStdString();
    const int index = list == cboHour     ? EntryOfTypedNumber(HourTexts(), typed)
                      : list == cboMinute ? EntryOfTypedNumber(MinuteTexts(), typed)
                                          : list->findText(text, Qt::MatchFixedString);
    FollowTypedText(list, text, index, TypingInList);
}

}  // namespace meridel
