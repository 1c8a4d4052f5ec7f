#include "store/saved_state.h"

#include <vector>

#include "store/settings_values.h"

namespace meridel {

namespace {

const std::string kMrd = "\\MRD";

// One stored value: its place, its default text, and how it is made from and put into the state.
struct Entry {
    std::string keyPart;
    std::string name;
    std::string defaultText;
    std::function<std::string(const SavedState&)> text;
    std::function<void(SavedState&, const std::string&)> take;
};

Entry Text(const std::string& keyPart, const std::string& name, std::string SavedState::*field) {
    return {keyPart, name, "", [field](const SavedState& s) { return s.*field; },
            [field](SavedState& s, const std::string& text) { s.*field = text; }};
}

Entry RowText(const std::string& keyPart, int row, std::array<std::string, 3> SavedState::*rows) {
    const auto i = static_cast<std::size_t>(row);
    return {keyPart, std::to_string(row), "", [rows, i](const SavedState& s) { return (s.*rows)[i]; },
            [rows, i](SavedState& s, const std::string& text) { (s.*rows)[i] = text; }};
}

// A list position as decimal text; read back as the text's leading number. field gives the
// position within a state, const or not.
template <typename Field>
Entry Position(const std::string& keyPart, const std::string& name, const std::string& defaultText, Field field) {
    return {keyPart, name, defaultText, [field](const SavedState& s) { return std::to_string(field(s)); },
            [field](SavedState& s, const std::string& text) { field(s) = NumberFromRegistryText(text); }};
}

// "Y" or "N"; anything but "Y" reads as no.
Entry YesNo(const std::string& name, const std::string& defaultText, bool SavedState::*field) {
    return {kMrd, name, defaultText, [field](const SavedState& s) { return std::string(s.*field ? "Y" : "N"); },
            [field](SavedState& s, const std::string& text) { s.*field = text == "Y"; }};
}

// In the order the save writes them.
const std::vector<Entry>& Entries() {
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> e;
        for (int row = 0; row < 3; ++row) {
            e.push_back(RowText(kMrd + "\\Year", row, &SavedState::years));
            e.push_back(RowText(kMrd + "\\Month", row, &SavedState::months));
            e.push_back(RowText(kMrd + "\\Day", row, &SavedState::days));
        }
        // A planet list's default is the value's own name.
        for (std::size_t i = 0; i < 2; ++i)
            e.push_back(Position(kMrd + "\\PlanetLI", std::to_string(i), std::to_string(i),
                                 [i](auto& s) -> auto& { return s.planets[i]; }));
        const char* orbDefaults[3] = {"9", "4", "1"};
        for (std::size_t i = 0; i < 3; ++i)
            e.push_back(Position(kMrd + "\\OrbsLI", std::to_string(i), orbDefaults[i],
                                 [i](auto& s) -> auto& { return s.orbs[i]; }));
        e.push_back(YesNo("World", "N", &SavedState::world));
        e.push_back(YesNo("Tropical", "Y", &SavedState::tropical));
        for (std::size_t i = 0; i < 2; ++i)
            e.push_back(Position(kMrd, "TZ" + std::to_string(i), "24", [i](auto& s) -> auto& { return s.zones[i]; }));
        e.push_back({kMrd, "NATZ", "1", [](const SavedState& s) { return std::string(s.northAmericanZones ? "1" : "0"); },
                     [](SavedState& s, const std::string& text) { s.northAmericanZones = NumberFromRegistryText(text) != 0; }});
        e.push_back(Text(kMrd, "Stop", &SavedState::stopDate));
        e.push_back(Text(kMrd, "ATDateFmt", &SavedState::allTransitsDateFormat));
        e.push_back(Position(kMrd, "SrchAsp", "0", [](auto& s) -> auto& { return s.searchAspect; }));
        e.push_back(Position(kMrd, "BirthHour", "0", [](auto& s) -> auto& { return s.birthHour; }));
        e.push_back(Position(kMrd, "BirthMinute", "0", [](auto& s) -> auto& { return s.birthMinute; }));
        return e;
    }();
    return entries;
}

}  // namespace

bool WriteSavedState(const SavedState& state, const StateWriter& write) {
    bool all = true;
    for (const Entry& entry : Entries()) all = write(entry.keyPart, entry.name, entry.text(state)) && all;
    return write(kMrd, "StateSaved", "Y") && all;
}

std::optional<SavedState> ReadSavedState(const StateReader& read) {
    std::string value;
    if (!read(kMrd, "StateSaved", value)) return std::nullopt;
    SavedState state;
    for (const Entry& entry : Entries()) {
        if (!read(entry.keyPart, entry.name, value)) value = entry.defaultText;
        entry.take(state, value);
    }
    return state;
}

}  // namespace meridel
