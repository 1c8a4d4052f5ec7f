#include "request/request_input.h"

#include "request/choices.h"

namespace meridel {

namespace {

std::string EntryText(const std::vector<std::string>& texts, int position) {
    return position >= 0 && position < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(position)] : "";
}

}  // namespace

std::string RequestInput::Planet1Name() const { return PlanetNameAtPosition(world, 0, planets[0]); }

std::string RequestInput::Planet2Name() const { return PlanetNameAtPosition(world, 1, planets[1]); }

std::string RequestInput::ResultZoneText() const { return EntryText(ZoneTexts(northAmericanZones), resultZone); }

std::string RequestInput::BirthZoneText() const { return EntryText(ZoneTexts(northAmericanZones), birthZone); }

std::string RequestInput::RunCaption() const { return meridel::RunCaption(world, Planet1Name(), Planet2Name()); }

void ShowMessages(const std::vector<Message>& messages) {
    for (const Message& m : messages) ActiveDialogs().ShowMessage(m.text, m.icon, m.title);
}

SavedState KeptChoices(const RequestInput& input) {
    SavedState s;
    for (std::size_t row = 0; row < 3; ++row) {
        s.years[row] = input.dates[row].year;
        s.months[row] = input.dates[row].month;
        s.days[row] = input.dates[row].day;
    }
    s.planets = input.planets;
    s.orbs = input.orbs;
    s.world = input.world;
    s.tropical = !input.sidereal;
    s.zones = {input.resultZone, input.birthZone};
    s.northAmericanZones = input.northAmericanZones;
    s.searchAspect = input.searchAspect;
    s.birthHour = input.hour;
    s.birthMinute = input.minute;
    return s;
}

}  // namespace meridel
