// The output box as the listing sees it: text with CR LF line ends, each counted as two
// characters, always extended at its end whatever the caret position.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "ui/frmMain.h"

namespace meridel {

QString frmMain::OutputText() const {
    QString text = txbOutput->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

int frmMain::OutputLength() const {
    const QString text = txbOutput->toPlainText();
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

void frmMain::AppendOutput(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The user may have moved the caret or typed during a run: rows still go to the end.
    QTextCursor end(txbOutput->document());
    end.movePosition(QTextCursor::End);
    end.insertText(plain);
}

void frmMain::ShowOutputEnd() {
    txbOutput->moveCursor(QTextCursor::End);
    txbOutput->verticalScrollBar()->setValue(txbOutput->verticalScrollBar()->maximum());
    txbOutput->repaint();
}

}  // namespace meridel
