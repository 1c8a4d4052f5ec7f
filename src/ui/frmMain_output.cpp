// The output box as the listing sees it: the text box holds the text (line ends counted as two
// characters, rows always added at its end whatever the caret position), Clear, and writing the
// output to a file.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "ui/frmMain.h"
#include "ui/output_file.h"

namespace meridel {

std::size_t TextBoxOutput::Length() const {
    const QString text = window_->txbOutput->toPlainText();
    return static_cast<std::size_t>(text.size() + text.count(QLatin1Char('\n')));
}

void TextBoxOutput::Append(const std::string& text) {
    QString plain = QString::fromStdString(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The user may have moved the caret or typed during a run: rows still go to the end.
    QTextCursor end(window_->txbOutput->document());
    end.movePosition(QTextCursor::End);
    end.insertText(plain);
}

void TextBoxOutput::Clear() { window_->txbOutput->clear(); }

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

void frmMain::ClearOutput() { Output.Clear(); }

std::vector<RunRecord> frmMain::ShownRuns() const { return Output.RunsShownIn(OutputText().toStdString()); }

void frmMain::cmdClear_Click() {
    ClearOutput();
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
