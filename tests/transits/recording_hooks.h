// A stand-in for the window during a scan: records every line, refuses rows once `capacity`
// characters are held (as the output box does), and can ask to stop after a number of days.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "transits/scan_engine.h"

namespace meridel {

struct RecordingHooks : ScanHooks {
    std::vector<std::string> lines;
    std::vector<std::string> shownDays;
    std::size_t characters = 0;
    std::size_t capacity = static_cast<std::size_t>(-1);
    int days = 0;
    int stopAfterDays = -1;
    int refused = 0;
    bool stop = false;

    void yieldToWindow() override {
        if (++days == stopAfterDays) stop = true;
    }
    bool stopRequested() override { return stop; }
    void showDay(const std::string& dayText) override { shownDays.push_back(dayText); }
    void appendLine(const std::string& line) override {
        lines.push_back(line);
        characters += line.size() + 2;
    }
    bool writeRow(const std::string& line) override {
        if (characters >= capacity) {
            ++refused;
            stop = true;
            return false;
        }
        appendLine(line);
        return true;
    }
};

}  // namespace meridel
