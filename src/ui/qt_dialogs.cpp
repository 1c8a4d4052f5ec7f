#include "ui/qt_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QMessageBox>
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

void QtDialogs::message(const std::string& text, MessageIcon icon, const std::string& title) {
    QMessageBox box(BoxIcon(icon), Q(title), Q(text), QMessageBox::Ok, owner_);
    box.exec();
}

Answer QtDialogs::askYesNoCancel(const std::string& text, const std::string& title) {
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

void QtDialogs::popUp(const std::string& text, int widthTwips, int heightTwips, int intervalMs, int topTwips,
                      int leftTwips) {
    if (!popUpWindow_) popUpWindow_ = new frmPopUp(owner_);
    popUpWindow_->PopUpInForm(owner_, Q(text), widthTwips, heightTwips, intervalMs, topTwips, leftTwips);
}

std::optional<std::string> QtDialogs::chooseSaveFile(const std::string& title, const std::string& suggestedPath,
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

bool QtDialogs::openWithAssociatedProgram(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

}  // namespace meridel
