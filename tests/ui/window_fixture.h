// A started main window with a fixed clock (2024, UTC+1 unless a test says otherwise) and
// dialogs that record instead of showing.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <optional>

#include "calendar/clock.h"
#include "dialogs/dialogs.h"
#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { previousDialogs_ = setDialogs(&shown); }

    void TearDown() override {
        window.reset();
        setDialogs(previousDialogs_);
        setClock(nullptr);
    }

    frmMain& Start(std::int32_t year = 2024, std::int32_t offsetSecondsWest = -3600) {
        clock_.emplace(year, offsetSecondsWest);
        setClock(&*clock_);
        window = std::make_unique<frmMain>();
        window->Form_Load();
        shown.clear();
        return *window;
    }

    // What the user leaving a box does.
    static void LeaveBox(QWidget* box) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }

    static void SetDate(QLineEdit* year, QLineEdit* month, QLineEdit* day, const char* y, const char* m,
                        const char* d) {
        year->setText(QString::fromLatin1(y));
        month->setText(QString::fromLatin1(m));
        day->setText(QString::fromLatin1(d));
    }

    std::string LastText() const { return shown.messages.empty() ? "" : shown.messages.back().text; }

    RecordingDialogs shown;
    std::unique_ptr<frmMain> window;

private:
    std::optional<FixedClock> clock_;
    Dialogs* previousDialogs_ = nullptr;
};

}  // namespace meridel
