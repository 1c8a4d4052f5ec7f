// The program: shows the main window, or with --version says what it is.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "app/version_text.h"

#include "ui/app_icon.h"
#include "ui/frmMain.h"
#include "ui/qt_dialogs.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << meridel::VersionText("meridel");
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Meridel"));
    QApplication::setWindowIcon(meridel::MeridelIcon());
    // The window places its controls by fixed pixel sizes; Fusion draws them the same on every
    // desktop, where a desktop's own style may want taller lists and boxes.
    QApplication::setStyle(QStringLiteral("Fusion"));

    meridel::frmMain window;
    meridel::QtDialogs dialogs(&window);
    meridel::SetDialogs(&dialogs);
    window.Form_Load();
    const int status = app.exec();
    meridel::SetDialogs(nullptr);
    return status;
}
