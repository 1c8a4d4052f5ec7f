#include "persist/frmView.h"

#include "dialogs/dialogs.h"
#include "persist/catalog_text.h"
#include "persist/text_encoding.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include <algorithm>

namespace meridel {

namespace {

constexpr int kTwipsPerPixel = 15;
// The layout's sizes count the window frame, which Qt keeps outside the widget; the allowance
// is the main window's.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 575;
constexpr int kMinWidthTwips = 8000;
constexpr int kMinHeightTwips = 2000;
constexpr int kTextLeftTwips = 120;
constexpr int kTextTopTwips = 120;
constexpr int kButtonHeightTwips = 375;
constexpr int kCloseWidthTwips = 1215;
constexpr int kCopyWidthTwips = 3270;
constexpr int kCopySelectionWidthTwips = 4425;
const QString kCrLf = QStringLiteral("\r\n");

// Twips to pixels, to the nearest pixel.
int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
// The smallest client size whose window is at least the minimum in twips.
const int kMinClientWidth = (kMinWidthTwips - kFrameWidthTwips + kTwipsPerPixel - 1) / kTwipsPerPixel;
const int kMinClientHeight = (kMinHeightTwips - kFrameHeightTwips + kTwipsPerPixel - 1) / kTwipsPerPixel;

}  // namespace

QString ViewerHeadNote() {
    return "NOTE: This file is too large to display entirely in this textbox." + kCrLf +
           "To view the entire contents of the file load it into NotePad," + kCrLf +
           "WordPad or some other text editor." + kCrLf + kCrLf;
}

QString ViewerTailNote() { return "NOTE: Entire contents of file have not been displayed." + kCrLf; }

QString ViewerText(const QString& fileText) {
    if (fileText.size() < kViewerTextLimit) return fileText;
    const QString head = ViewerHeadNote();
    const QString tail = ViewerTailNote();
    qsizetype keep = kViewerTextLimit - head.size() - tail.size();
    if (fileText.at(keep - 1) == QChar('\r') && fileText.at(keep) == QChar('\n')) --keep;
    return head + fileText.left(keep) + kCrLf + kCrLf + tail;
}

ViewerFile ReadViewerFile(const std::string& path) {
    ViewerFile result;
    const QString name = QString::fromStdString(path);
    QFileInfo info(name);
    QFile file(name);
    auto fail = [&](int number, const QString& reason) {
        result.errorText = "Error " + std::to_string(number) + ".  " + reason.toStdString();
        result.errorTitle = GetCatalogText(53);
        return result;
    };
    if (info.isDir()) return fail(75, "Is a directory");
    if (!file.open(QIODevice::ReadOnly)) {
        int number = !info.exists() ? 53 : !info.isReadable() ? 70 : 75;
        return fail(number, file.errorString());
    }
    // An empty file is found by its size before anything is read.
    if (file.size() == 0) {
        result.errorText = GetCatalogText(17);
        result.errorTitle = GetCatalogText(52);
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return fail(75, file.errorString());
    result.ok = true;
    result.text = DecodeTextFile(bytes);
    return result;
}

frmView::frmView(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmView");
    txbText1 = new QPlainTextEdit(this);
    txbText1->setObjectName("txbText1");
    txbText1->setReadOnly(true);
    txbText1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txbText1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Plain text files line up their tables in columns.
    txbText1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txbText1->viewport()->installEventFilter(this);
    cmdCopyToClipboard = new QPushButton("Copy to clipboard", this);
    cmdCopyToClipboard->setObjectName("cmdCopyToClipboard");
    cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdCopyToClipboard, &QPushButton::clicked, this, [this] { cmdCopyToClipboard_Click(); });
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    setSizeTwips(9000, 6000);
}

int frmView::widthTwips() const { return width() * kTwipsPerPixel + kFrameWidthTwips; }
int frmView::heightTwips() const { return height() * kTwipsPerPixel + kFrameHeightTwips; }

void frmView::setSizeTwips(int widthTwips, int heightTwips) {
    resize(px(widthTwips - kFrameWidthTwips), px(heightTwips - kFrameHeightTwips));
}

void frmView::setCopyCaption(bool selection) {
    cmdCopyToClipboard->setText(selection ? "Copy selected text to clipboard" : "Copy to clipboard");
    cmdCopyToClipboard->resize(px(selection ? kCopySelectionWidthTwips : kCopyWidthTwips),
                               px(kButtonHeightTwips));
}

void frmView::Form_Activate() {
    if (blnFileDisplayed || activating_) return;
    activating_ = true;
    cmdClose->setText("Close");
    txbText1->clear();
    setCopyCaption(false);
    cmdCopyToClipboard->setVisible(!blnCopyToClipboardInvisible);
    cmdCopyToClipboard->setEnabled(!blnCopyToClipboardInvisible);
    txbText1->setReadOnly(true);
    Form_Resize();

    const ViewerFile file = ReadViewerFile(strFilename);
    if (file.ok) {
        txbText1->setPlainText(ViewerText(file.text));
        txbText1->moveCursor(QTextCursor::Start);
        txbText1->viewport()->update();
        blnFileDisplayed = true;
    } else {
        // Marked first: closing the message box activates the viewer again, and that must not
        // read the file a second time.
        blnFileDisplayed = true;
        ActiveDialogs().ShowMessage(file.errorText, MessageIcon::Exclamation, file.errorTitle);
        hide();
    }
    activating_ = false;
}

void frmView::Form_Resize() {
    if (isMinimized()) return;
    if (width() < kMinClientWidth || height() < kMinClientHeight) {
        resize(std::max(width(), kMinClientWidth), std::max(height(), kMinClientHeight));
        return;  // the resize lays out again
    }
    const int textWidth = px(widthTwips() - 450);
    const int textHeight = px(heightTwips() - 1200);
    txbText1->setGeometry(px(kTextLeftTwips), px(kTextTopTwips), textWidth, textHeight);
    const int buttonTop = txbText1->geometry().bottom() + 1 + px(100);
    cmdCopyToClipboard->move(txbText1->x(), buttonTop);
    cmdCopyToClipboard->resize(cmdCopyToClipboard->width(), px(kButtonHeightTwips));
    cmdClose->setGeometry(txbText1->geometry().right() + 1 - px(kCloseWidthTwips), buttonTop,
                          px(kCloseWidthTwips), px(kButtonHeightTwips));
}

void frmView::cmdClose_Click() { hide(); }

void frmView::cmdCopyToClipboard_Click() {
    if (!txbText1->toPlainText().isEmpty()) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        QString selected = txbText1->textCursor().selectedText();
        selected.replace(QChar::ParagraphSeparator, QChar('\n'));
        clipboard->setText(selected.isEmpty() ? txbText1->toPlainText() : selected);
    }
    setCopyCaption(false);
    cmdClose->setFocus();
}

void frmView::txbText1_MouseUp() {
    if (!cmdCopyToClipboard->isVisibleTo(this)) return;
    setCopyCaption(txbText1->textCursor().hasSelection());
}

bool frmView::event(QEvent* e) {
    if ((e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) && !activationQueued_) {
        // Read after the event is done: the read may show a modal message box. Being shown
        // counts as well as being activated, since a window manager may not activate it.
        activationQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                activationQueued_ = false;
                if (isVisible()) Form_Activate();
            },
            Qt::QueuedConnection);
    }
    return QWidget::event(e);
}

void frmView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmView::closeEvent(QCloseEvent* e) {
    blnFileDisplayed = false;
    hide();
    e->accept();
}

bool frmView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txbText1->viewport() && e->type() == QEvent::MouseButtonRelease) {
        // Let the text box finish the selection first.
        QMetaObject::invokeMethod(this, [this] { txbText1_MouseUp(); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, e);
}

void ShowHelp(frmView& viewer, QPoint mainPosition, int mainWidthTwips, int mainHeightTwips,
              const std::string& dataFolder) {
    if (viewer.isMinimized()) viewer.setWindowState(Qt::WindowNoState);
    if (!viewer.isMaximized()) {
        viewer.move(mainPosition + QPoint(px(100), px(380)));
        viewer.setSizeTwips(mainWidthTwips - 200, mainHeightTwips - 480);
    }
    viewer.strFilename = dataFolder + "mrd_help.txt";
    viewer.setWindowTitle("Help");
    viewer.cmdClose->setText("Close");
    viewer.blnCopyToClipboardInvisible = true;
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
}

}  // namespace meridel
