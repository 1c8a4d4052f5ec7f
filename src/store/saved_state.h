// The window's choices kept between runs of the program: every value's place in the store (key
// part under "Software\Vantorel" and value name), the text it is kept as, and what reading takes
// when the value is missing, listed once for the save and the restore.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace meridel {

// The choices as the window holds them. Rows of the date texts: 0 start, 1 end, 2 birth. List
// positions are the lists' indexes (-1 for no selection).
struct SavedState {
    std::array<std::string, 3> years, months, days;
    std::array<int, 2> planets{0, 1};
    std::array<int, 3> orbs{9, 4, 1};
    bool world = false;
    bool tropical = true;
    std::array<int, 2> zones{24, 24};  // results, birth
    bool northAmericanZones = true;
    std::string stopDate;               // kept only: nothing reads it
    std::string allTransitsDateFormat;  // kept only: nothing reads it
    int searchAspect = 0;
    int birthHour = 0;
    int birthMinute = 0;
};

// Whether the state was just saved (and the store holds it) or restored: quitting then asks no
// question. It lasts until more than 10 ticks of the window's 500 ms timer, about 5.5 s.
class JustStored {
public:
    void Set() {
        set_ = true;
        ticks_ = 0;
    }
    void Tick() {
        if (set_ && ++ticks_ > 10) set_ = false;
    }
    explicit operator bool() const { return set_; }

private:
    bool set_ = false;
    int ticks_ = 0;
};

// Stores one value; false when the store did not take it.
using StateWriter = std::function<bool(const std::string& keyPart, const std::string& name, const std::string& value)>;
// Reads one value into value; false when it cannot be read.
using StateReader = std::function<bool(const std::string& keyPart, const std::string& name, std::string& value)>;

// Writes every value of state, then the mark that a state was saved, going on after a failure;
// true when the store took all of them.
bool WriteSavedState(const SavedState& state, const StateWriter& write);

// The saved state, each value that cannot be read taking its default; nullopt when no state was
// saved (the mark cannot be read).
std::optional<SavedState> ReadSavedState(const StateReader& read);

}  // namespace meridel
