#include "dialogs/dialogs.h"

#include <iostream>

namespace meridel {

namespace {

RecordingDialogs& SilentDefault() {
    static RecordingDialogs instance;
    return instance;
}

Dialogs* current = nullptr;

std::string OneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += " / ";
        } else if (c == '\n') {
            out += " / ";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

void RecordingDialogs::ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) {
    messages.push_back({text, icon, title});
    if (echo_) std::cerr << '[' << title << "] " << OneLine(text) << std::endl;
}

Answer RecordingDialogs::AskYesNoCancel(const std::string& text, const std::string& title) {
    messages.push_back({text, MessageIcon::None, title});
    if (echo_) std::cerr << '[' << title << "] " << OneLine(text) << std::endl;
    if (answers.empty()) return Answer::Cancel;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

void RecordingDialogs::ShowPopUp(const std::string& text, int, int, int, int, int) {
    popUps.push_back(text);
}

std::optional<std::string> RecordingDialogs::ChooseSaveFile(const std::string&, const std::string&,
                                                            const std::string&) {
    if (saveFileChoices.empty()) return std::nullopt;
    auto choice = saveFileChoices.front();
    saveFileChoices.pop_front();
    return choice;
}

bool RecordingDialogs::OpenWithAssociatedProgram(const std::string& path) {
    openedFiles.push_back(path);
    return openSucceeds;
}

void RecordingDialogs::Clear() {
    messages.clear();
    popUps.clear();
    openedFiles.clear();
    answers.clear();
    saveFileChoices.clear();
}

Dialogs& ActiveDialogs() { return current ? *current : SilentDefault(); }

Dialogs* SetDialogs(Dialogs* d) {
    Dialogs* previous = current;
    current = d;
    return previous;
}

}  // namespace meridel
