#include "ui/text_box_output.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace meridel {

std::size_t TextBoxOutput::Length() const {
    const QString text = box_->toPlainText();
    return static_cast<std::size_t>(text.size() + text.count(QLatin1Char('\n')));
}

void TextBoxOutput::Append(const std::string& text) {
    QString plain = QString::fromStdString(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The user may have moved the caret or typed during a run: rows still go to the end.
    QTextCursor end(box_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(plain);
}

void TextBoxOutput::Clear() { box_->clear(); }

}  // namespace meridel
