#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>


namespace meridel {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// "Text files (*.txt)|*.txt|All files (*.*)|*.*" becomes "Text files (*.txt);;All files (*.*)".
QString QtFilter(const std::string& filter) {
    const QString text = Q(filter);
    if (!text.contains(QLatin1Char('|'))) return text;
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        if (!description.contains(QLatin1Char('('))) description += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace

QtDialogs::QtDialogs(QWidget* owner) : owner_(owner) {}

QtDialogs::~QtDialogs() { delete popUpWindow_.data(); }

void QtDialogs::ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) {
    QMessageBox box(BoxIcon(icon), Q(title), Q(text), QMessageBox::Ok, owner_);
    box.exec();
}

Answer QtDialogs::AskYesNoCancel(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, Q(title), Q(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    owner_);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
    }
}

void QtDialogs::ShowPopUp(const std::string& text, int widthTwips, int heightTwips, int intervalMs, int topTwips,
                          int leftTwips) {
    if (!popUpWindow_) popUpWindow_ = new frmPopUp(owner_);
    popUpWindow_->PopUpInForm(owner_, Q(text), widthTwips, heightTwips, intervalMs, topTwips, leftTwips);
}

std::optional<std::string> QtDialogs::ChooseSaveFile(const std::string& title, const std::string& suggestedPath,
                                                     const std::string& filter) {
    QString selectedFilter;
    const QString path = QFileDialog::getSaveFileName(owner_, Q(title), Q(suggestedPath), QtFilter(filter),
                                                      &selectedFilter, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return WithChosenTypeSuffix(path, selectedFilter).toStdString();
}

QString WithChosenTypeSuffix(const QString& path, const QString& selectedFilter) {
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    // The type's one pattern "*.ext"; a type of several patterns or of "*" adds nothing.
    static const QRegularExpression onePattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)\\)"));
    const QRegularExpressionMatch match = onePattern.match(selectedFilter);
    return match.hasMatch() ? path + match.captured(1) : path;
}

bool QtDialogs::OpenWithAssociatedProgram(const std::string& path) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands the file to xdg-open and reports success whenever xdg-open could be started, so a
    // desktop without a program for the file would say nothing. Its answer is awaited instead.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) return OpenWithDesktopOpener(opener, Q(path));
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

bool OpenWithDesktopOpener(const QString& opener, const QString& path) {
    // Owned by the application: the program it starts may outlive this call, and the window.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(opener, {path});
    if (!process->waitForStarted()) {
        process->deleteLater();
        return false;
    }
    // Where it finds no program it gives up within about a second. Where it runs the program
    // itself until that program ends, it is still running after the wait: the file is open.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool answered = process->waitForFinished(kOpenerAnswerMs);
    QApplication::restoreOverrideCursor();
    if (!answered) return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

}  // namespace meridel
