// frmView: a resizable window that shows a text file read-only; the help button opens it on
// mrd_help.txt. The file is read once, when the viewer first becomes active, and again only after
// the viewer was closed by its frame. Sizes are in twips (15 to a pixel).
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace meridel {

// A file of this many characters or more is cut.
inline constexpr int kViewerTextLimit = 65530;
// "NOTE: This file is too large ..." with its line breaks: 168 characters.
QString ViewerHeadNote();
// "NOTE: Entire contents of file have not been displayed." and a line break: 56 characters.
QString ViewerTailNote();

// What the viewer shows for a file's text: the text itself below 65530 characters; otherwise
// the head note, the first 65306 characters, two line breaks and the tail note (65534 in all).
// A CR LF pair is never split: a CR left last by the cut is dropped.
QString ViewerText(const QString& fileText);

// The outcome of reading a file for the viewer.
struct ViewerFile {
    bool ok = false;
    QString text;            // when ok
    std::string errorText;   // otherwise the message and its title
    std::string errorTitle;
};

// Reads path whole (UTF-8, or Windows-1252 when not valid UTF-8). A file of size 0 gives the
// catalogue's empty-file message; any other failure "Error <number>.  <system's reason>", e.g.
// "Error 53.  No such file or directory" (53 missing, 70 no permission, 75 other).
ViewerFile ReadViewerFile(const std::string& path);

class frmView : public QWidget {
public:
    explicit frmView(QWidget* parent = nullptr);

    // Set by the opener.
    std::string strFilename;
    bool blnCopyToClipboardInvisible = false;
    // Kept by the viewer: the file is in txbText1 (or its read failed); not read again.
    bool blnFileDisplayed = false;

    QPlainTextEdit* txbText1;
    QPushButton* cmdCopyToClipboard;
    QPushButton* cmdClose;

    // Reads and shows strFilename unless blnFileDisplayed; runs when the viewer is shown or
    // becomes active.
    void Form_Activate();
    // Keeps the minimum size (8000 x 2000 twips) and lays out the text box and buttons.
    void Form_Resize();
    // Hides the viewer, keeping its text.
    void cmdClose_Click();
    // Puts the selection, or the whole text, on the clipboard.
    void cmdCopyToClipboard_Click();
    // The copy button names the selection while there is one.
    void txbText1_MouseUp();

    // The window's size in twips as the layout counts it (frame included).
    int widthTwips() const;
    int heightTwips() const;
    // Resizes the window to this size in twips (frame included).
    void setSizeTwips(int widthTwips, int heightTwips);

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Form_Unload: closed by its frame, so the next opening reads the file anew.
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void setCopyCaption(bool selection);
    bool activating_ = false;
    bool activationQueued_ = false;
};

// The help button: restores a minimised viewer; places a normal one over the main window (its
// frame's top-left corner at mainPosition, in pixels, and its size in twips): top + 380,
// left + 100, width − 200, height − 480 twips; points it at dataFolder + "mrd_help.txt" with the
// caption "Help" and no copy button, and shows it without blocking the main window.
void ShowHelp(frmView& viewer, QPoint mainPosition, int mainWidthTwips, int mainHeightTwips,
              const std::string& dataFolder);

}  // namespace meridel
