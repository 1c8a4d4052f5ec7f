#include "transits/output_box.h"

#include "dialogs/dialogs.h"
#include "transits/transit_report.h"

namespace meridel {

void StringOutput::Append(const std::string& text) {
    text_ += text;
    for (char c : text) characters_ += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

void StringOutput::Clear() {
    text_.clear();
    characters_ = 0;
}

void OutputBox::BeginRun(bool append) {
    if (Empty()) return;
    if (append) {
        text_.Append("\r\n" + RuleLine() + "\r\n");
    } else {
        Clear();
    }
}

void OutputBox::AppendLine(const std::string& line) { text_.Append(line + "\r\n"); }

void OutputBox::Append(const std::string& text) { text_.Append(text); }

bool OutputBox::WriteRow(const std::string& line, const std::string& title) {
    if (limit_ && text_.Length() >= *limit_) {
        dialogs().message(kFullMessage, MessageIcon::Exclamation, title);
        text_.Append(kFullNote);
        return false;
    }
    AppendLine(line);
    return true;
}

void OutputBox::Clear() {
    text_.Clear();
    runs_.clear();
}

}  // namespace meridel
