// The one road by which the program talks to the user in a modal way: message boxes, the
// Yes/No/Cancel question, the transient "Done" pop-up, the save-file dialog and opening a file
// with the desktop's program for it. The window installs a Qt implementation; tests and the
// batch front-end install RecordingDialogs, which never blocks.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace meridel {

enum class MessageIcon { None, Information, Exclamation };
enum class Answer { Yes, No, Cancel };

// Title used where a message has no title of its own.
inline constexpr const char* kDefaultTitle = "Meridel";

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Modal message box with an OK button. Texts are UTF-8; "\n" separates lines.
    virtual void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) = 0;

    // Modal question with Yes, No and Cancel buttons.
    virtual Answer AskYesNoCancel(const std::string& text, const std::string& title) = 0;

    // Short modal notice over the main window that closes itself after intervalMs or on a click.
    // Geometry in twips; top and left count from the main window's outer top-left corner.
    virtual void ShowPopUp(const std::string& text, int widthTwips, int heightTwips, int intervalMs,
                           int topTwips, int leftTwips) = 0;

    // Save-file dialog; nullopt when cancelled. Does not ask before overwriting.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& title,
                                                      const std::string& suggestedPath,
                                                      const std::string& filter) = 0;

    // Opens path with the desktop's program for its type; false when that could not be started.
    virtual bool OpenWithAssociatedProgram(const std::string& path) = 0;
};

// What RecordingDialogs saw.
struct ShownMessage {
    std::string text;
    MessageIcon icon;
    std::string title;
};

// Records everything shown and answers from a script; never blocks. With echoToStderr each
// message is written to standard error as "[TITLE] TEXT" (line breaks shown as " / ").
class RecordingDialogs : public Dialogs {
public:
    explicit RecordingDialogs(bool echoToStderr = false) : echo_(echoToStderr) {}

    void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& title) override;
    void ShowPopUp(const std::string& text, int widthTwips, int heightTwips, int intervalMs,
                   int topTwips, int leftTwips) override;
    std::optional<std::string> ChooseSaveFile(const std::string& title,
                                              const std::string& suggestedPath,
                                              const std::string& filter) override;
    bool OpenWithAssociatedProgram(const std::string& path) override;

    std::vector<ShownMessage> messages;    // message boxes and questions, in order
    std::vector<std::string> popUps;       // pop-up texts, in order
    std::vector<std::string> openedFiles;  // paths passed to OpenWithAssociatedProgram
    std::deque<Answer> answers;            // next answers to questions; Cancel when empty
    std::deque<std::optional<std::string>> saveFileChoices;  // nullopt (cancel) when empty
    bool openSucceeds = true;

    void Clear();

private:
    bool echo_;
};

// The dialogs in use. Until one is installed, a silent RecordingDialogs answers.
Dialogs& ActiveDialogs();
// Installs d (not owned; nullptr restores the silent default). Returns the previous one.
Dialogs* SetDialogs(Dialogs* d);

// Installs d for as long as it lives, then the dialogs in use before.
class DialogsInUse {
public:
    explicit DialogsInUse(Dialogs& d) : previous_(SetDialogs(&d)) {}
    ~DialogsInUse() { SetDialogs(previous_); }
    DialogsInUse(const DialogsInUse&) = delete;
    DialogsInUse& operator=(const DialogsInUse&) = delete;

private:
    Dialogs* previous_;
};

}  // namespace meridel
