#include "ui/frmPopUp.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

#include "ui/controls.h"
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
