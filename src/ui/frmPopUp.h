// A small modal window that shows one short message and closes by itself after an interval,
// or at once when the message is clicked. Sizes and positions in twips, intervals in ms. Each
// call returns only after the window has closed; the window stays loaded for the next call.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QTimer;

namespace meridel {

class frmPopUp : public QDialog {
    Q_OBJECT

public:
    explicit frmPopUp(QWidget* parent = nullptr);

    QLabel* lblMessage = nullptr;  // covers the window
    QTimer* Timer1 = nullptr;      // off while the window is hidden

    // At the outer top-left corner of the owner (a top-level window) plus intTop, intLeft; the
    // label keeps its height.
    void PopUpInForm(QWidget* frmMe, const QString& strMessage, int intWidth, int intHeight, int intInterval,
                     int intTop, int intLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowUntilClosed(int intInterval);
    void CloseNow();
};

}  // namespace meridel
