// The dialogs of the running program: real modal message boxes, the Yes/No/Cancel question, the
// "Done" pop-up, the save-file dialog and opening a file with the desktop's program.
#pragma once

#include <QPointer>

#include "dialogs/dialogs.h"
#include "ui/frmPopUp.h"

class QString;
class QWidget;

namespace meridel {

class QtDialogs : public Dialogs {
public:
    // owner: the main window; message boxes are centred over it and pop-ups placed within it.
    explicit QtDialogs(QWidget* owner = nullptr);
    ~QtDialogs() override;

    void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& title) override;
    void ShowPopUp(const std::string& text, int widthTwips, int heightTwips, int intervalMs, int topTwips,
                   int leftTwips) override;
    // filter: Qt's "Text files (*.txt);;All files (*)" form, or pairs separated by "|".
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& suggestedPath,
                                              const std::string& filter) override;
    bool OpenWithAssociatedProgram(const std::string& path) override;

private:
    QWidget* owner_;
    // Made on first use and kept; a child of the owner, so it goes when the owner goes.
    QPointer<frmPopUp> popUpWindow_;
};

// Opens path with the desktop's opener program (xdg-open), which answers with its exit status:
// false when it found no program for the file. An opener still running after kOpenerAnswerMs
// has started one (it runs some programs in the foreground): true.
inline constexpr int kOpenerAnswerMs = 3000;
bool OpenWithDesktopOpener(const QString& opener, const QString& path);

// A file name typed without an extension takes the one of the file type chosen in the dialog
// ("Text files (*.txt)" adds ".txt"); what the file holds is decided by its extension.
QString WithChosenTypeSuffix(const QString& path, const QString& selectedFilter);

}  // namespace meridel
