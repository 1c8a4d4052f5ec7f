// Writing the output to a file.
#include <QCheckBox>
#include <QPlainTextEdit>

#include "ui/frmMain.h"
#include "ui/output_file.h"

namespace meridel {

void frmMain::cmdFile_Click() {
    const QString before = txbOutput->toPlainText();
    std::string text = before.toStdString();
    WriteOutputToFile(text, chkOpenOutputFile->isChecked(), OutputFilePath);
    // The box shows the trimmed text; it is set only when trimming changed it, so that the
    // box keeps its place otherwise.
    const QString after = QString::fromStdString(text);
    if (after != before) txbOutput->setPlainText(after);
}

}  // namespace meridel
