// A started main window with a fixed clock (2024, UTC+1 unless a test says otherwise) and
// dialogs that record instead of showing.
#pragma once

#include <gtest/gtest.h>

#include <QtWidgets>
#include <memory>
#include <optional>

#include "calendar/clock.h"
#include "dialogs/dialogs.h"
#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { previousDialogs_ = SetDialogs(&shown); }

    void TearDown() override {
        window.reset();
        SetDialogs(previousDialogs_);
        SetClock(nullptr);
    }

    frmMain& Start(std::int32_t offsetSecondsWest = -3600) {
        clock_.emplace(2024, offsetSecondsWest);
        SetClock(&*clock_);
        window = std::make_unique<frmMain>();
        window->Form_Load();
        shown.Clear();
        return *window;
    }

    // What the user leaving a box does.
    static void LeaveBox(QWidget* box) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }

    void SetDate(int row, const char* y, const char* m, const char* d) {
        window->txbYear[row]->setText(QString::fromLatin1(y));
        window->txbMonth[row]->setText(QString::fromLatin1(m));
        window->txbDay[row]->setText(QString::fromLatin1(d));
    }

    void SetYears(const char* start, const char* end) {
        window->txbYear[0]->setText(QString::fromLatin1(start));
        window->txbYear[1]->setText(QString::fromLatin1(end));
    }

    // World mode with these planets, results in GMT.
    void SetWorld(const char* inner, const char* outer) {
        window->optWorld->setChecked(true);
        window->cboPlanet[0]->setCurrentText(QString::fromLatin1(inner));
        window->cboPlanet[1]->setCurrentText(QString::fromLatin1(outer));
        window->cboTimezone[0]->setCurrentIndex(24);
    }

    // Exactly one message since the last clear; title and icon are checked when given.
    void ExpectOneMessage(const std::string& text, const char* title = nullptr,
                          std::optional<MessageIcon> icon = std::nullopt) {
        ASSERT_EQ(shown.messages.size(), 1u) << LastText();
        EXPECT_EQ(shown.messages[0].text, text);
        if (title) {
            EXPECT_EQ(shown.messages[0].title, title);
        }
        if (icon) {
            EXPECT_EQ(shown.messages[0].icon, *icon);
        }
    }

    // The saved controls' values in one text: dates, lists, World/Sidereal/abbreviation ticks, the
    // all-transits date format and the search label.
    static std::string Controls(const frmMain& w) {
        QStringList v;
        for (int i = 0; i < 3; ++i) v << w.txbYear[i]->text() + "-" + w.txbMonth[i]->text() + "-" + w.txbDay[i]->text();
        for (const QComboBox* c : {w.cboPlanet[0], w.cboPlanet[1], w.cboOrbs[0], w.cboOrbs[1], w.cboOrbs[2],
                                   w.cboTimezone[0], w.cboTimezone[1], w.cboHour, w.cboMinute})
            v << c->currentText();
        v << QString("World %1").arg(w.optWorld->isChecked()) << QString("Sidereal %1").arg(w.optSidereal->isChecked())
          << QString("NA %1").arg(w.chkDisplayNATZabbr->isChecked()) << w.txbAllTransitsDateFormat->text() << w.Label1->text();
        return v.join(QLatin1Char('|')).toStdString();
    }

    std::string LastText() const { return shown.messages.empty() ? "" : shown.messages.back().text; }

    RecordingDialogs shown;
    std::unique_ptr<frmMain> window;

private:
    std::optional<FixedClock> clock_;
    Dialogs* previousDialogs_ = nullptr;
};

}  // namespace meridel
