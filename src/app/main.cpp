// The program: shows the main window.
#include <QApplication>

#include "ui/app_icon.h"
#include "ui/frmMain.h"
#include "ui/qt_dialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Meridel"));
    QApplication::setWindowIcon(meridel::MeridelIcon());

    meridel::frmMain window;
    meridel::QtDialogs dialogs(&window);
    meridel::setDialogs(&dialogs);
    window.Form_Load();
    const int status = app.exec();
    meridel::setDialogs(nullptr);
    return status;
}
