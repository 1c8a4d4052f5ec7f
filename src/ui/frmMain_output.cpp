// The output box's text as the window shows it, Clear, and writing the output to a file.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "ui/frmMain.h"
#include "persist/output_file.h"

namespace meridel {

QString frmMain::OutputText() const {
    QString text = txbOutput->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

bool frmMain::OutputIsEmpty() const { return txbOutput->document()->isEmpty(); }

void frmMain::ShowOutputEnd() {
    txbOutput->moveCursor(QTextCursor::End);
    txbOutput->verticalScrollBar()->setValue(txbOutput->verticalScrollBar()->maximum());
    txbOutput->repaint();
}

std::vector<RunRecord> frmMain::ShownRuns() const { return Output.RunsShownIn(OutputText().toStdString()); }

void frmMain::cmdClear_Click() {
    Output.Clear();
    SetFormHeight(CompactHeight);
}

void frmMain::cmdFile_Click() {
    const QString before = txbOutput->toPlainText();
    std::string text = before.toStdString();
    WriteOutputToFile(text, chkOpenOutputFile->isChecked(), OutputFilePath, session.sky, ShownRuns());
    // The box shows the trimmed text; it is set only when trimming changed it, so that the
    // box keeps its place otherwise.
    const QString after = QString::fromStdString(text);
    if (after != before) txbOutput->setPlainText(after);
}

}  // namespace meridel
