#include "ui/frmPopUp.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "ui/controls.h"
#include "ui/frmMain.h"
#include "ui/window_style.h"

namespace meridel {

frmPopUp::frmPopUp(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmPopUp"));
    setModal(true);
    SetControlBackColor(this, ColorFromWindowsValue(kControlForeColor));

    lblMessage = new QLabel(this);
    MarkAsControl(lblMessage, QStringLiteral("lblMessage"));
    lblMessage->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    font.setBold(true);
    lblMessage->setFont(font);
    SetControlForeColor(lblMessage, ColorFromWindowsValue(kWindowBackColor));
    SetTwipsGeometry(lblMessage, 0, 0, 1200, 300);
    SetTwipsGeometry(this, 0, 0, 1200, 300);
    lblMessage->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] { CloseNow(); });
}

void frmPopUp::PopUp(const QString& strMessage, int intWidth, int intHeight, int intInterval, int intTop,
                     int intLeft) {
    lblMessage->setText(strMessage);
    SetTwipsGeometry(this, intLeft, intTop, intWidth, intHeight);
    SetTwipsGeometry(lblMessage, 0, 0, intWidth, intHeight);
    ShowUntilClosed(intInterval);
}

void frmPopUp::PopUpCenterScreen(const QString& strMessage, int intWidth, int intHeight, int intInterval) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    const double screenWidth = area.width() * kTwipsPerPixel;
    const double screenHeight = area.height() * kTwipsPerPixel;
    const int centreLeft = static_cast<int>(std::nearbyint((screenWidth - intWidth) / 2.0));
    const int centreTop = static_cast<int>(std::nearbyint((screenHeight - intHeight) / 2.0));
    PopUp(strMessage, intWidth, intHeight, intInterval, centreTop, centreLeft);
}

void frmPopUp::PopUpInForm(QWidget* frmMe, const QString& strMessage, int intWidth, int intHeight, int intInterval,
                           int intTop, int intLeft) {
    // From the owner's outer corner, title bar and border included, as the scan's offsets are
    // designed; its client corner would put "Done" a title bar lower, over the search row.
    const QPoint corner = frmMe ? frmMe->frameGeometry().topLeft() : QPoint(0, 0);
    move(corner.x() + TwipsToPixels(intLeft), corner.y() + TwipsToPixels(intTop));
    lblMessage->setText(strMessage);
    SetHeightTwips(this, intHeight);
    SetWidthTwips(this, intWidth);
    SetWidthTwips(lblMessage, intWidth);
    ShowUntilClosed(intInterval);
}

void frmPopUp::ShowUntilClosed(int intInterval) {
    Timer1->setInterval(intInterval);
    Timer1->start();
    exec();
}

void frmPopUp::CloseNow() {
    Timer1->stop();
    hide();
}

bool frmPopUp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblMessage && event->type() == QEvent::MouseButtonRelease) {
        CloseNow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace meridel
