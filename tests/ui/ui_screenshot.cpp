// Renders the main window as it looks at first start into a PNG: ui_screenshot OUT.png
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>

#include "calendar/clock.h"
#include "dialogs/dialogs.h"
#include "ui/frmMain.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_screenshot OUT.png\n");
        return 2;
    }
    meridel::FixedClock fixed(2024, -3600);
    meridel::setClock(&fixed);
    meridel::RecordingDialogs dialogs;
    meridel::setDialogs(&dialogs);

    meridel::frmMain window;
    window.Form_Load();
    QApplication::processEvents();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (!window.grab().save(out)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    meridel::setDialogs(nullptr);
    meridel::setClock(nullptr);
    return 0;
}
