#include "transits/output_box.h"

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
    runText_.clear();
    // An empty box holds no runs, whatever it held before its text was deleted by hand.
    if (append && !Empty()) {
        text_.Append("\r\n" + RuleLine() + "\r\n");
    } else {
        Clear();
    }
}

void OutputBox::Write(const std::string& text) {
    text_.Append(text);
    if (limit_) runText_ += text;
}

void OutputBox::AppendLine(const std::string& line) { Write(line + "\r\n"); }

void OutputBox::Append(const std::string& text) { Write(text); }

bool OutputBox::WriteRow(const std::string& line) {
    if (limit_ && text_.Length() >= *limit_) {
        Write(kFullNote);
        return false;
    }
    AppendLine(line);
    return true;
}

void OutputBox::Clear() {
    text_.Clear();
    runs_.clear();
    runTexts_.clear();
}

void OutputBox::AddRun(const RunRecord& run) {
    runs_.push_back(run);
    if (limit_) runTexts_.push_back(std::move(runText_));
    runText_.clear();
}

std::vector<RunRecord> OutputBox::RunsShownIn(const std::string& text) const {
    if (!limit_) return runs_;
    std::vector<RunRecord> shown;
    std::size_t from = 0;
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        const std::size_t at = text.find(runTexts_[i], from);
        if (at == std::string::npos) continue;
        shown.push_back(runs_[i]);
        from = at + runTexts_[i].size();
    }
    return shown;
}

}  // namespace meridel
