#include "ephemeris/sky.h"

#include <cmath>
#include <cstdlib>

#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

namespace {

// The step of a rate taken from direct calls, days: short enough that the course is straight
// within it, long enough that the Moon's scatter of a few ten-thousandths of an arc second
// moves the rate by less than a millionth of a degree a day.
constexpr double kRateStep = 1.0 / 1440;

// -99 before the range (NaN included), -100 after it, 0 within.
double RangeCheck(double jd, std::int32_t firstDay, std::int32_t lastDay) {
    const double day = std::floor(jd + 0.5);
    if (!(day >= firstDay)) return kBeforeRange;
    if (day > lastDay) return kAfterRange;
    return 0;
}

}  // namespace

Sky::Sky(const std::string& dataFolder, PositionSource source, const std::string& storeFolder)
    : parts_(std::make_shared<Parts>(dataFolder, storeFolder.empty() ? dataFolder + "sky/" : storeFolder)), source_(source) {
    set_datafiles_folder(dataFolder);
}

Sky InstalledSky(PositionSource source) {
    const char* direct = std::getenv("MERIDEL_DIRECT_POSITIONS");
    if (direct && *direct) source = PositionSource::Direct;
    return Sky(InstalledDataFolder(), source, DataFolderHolding("sky/" + PositionStore::FileName(kSun)) + "sky/");
}

Sky::Sky() : parts_(std::make_shared<Parts>("", "")), source_(PositionSource::Direct) {}

Sky Sky::InZodiac(bool sidereal) const {
    Sky sky = *this;
    sky.sidereal_ = sidereal;
    return sky;
}

Sky Sky::WithPlutoLines(std::shared_ptr<const PlutoTable> table) const {
    Sky sky = *this;
    sky.pluto_ = std::move(table);
    return sky;
}

Sky Sky::Direct() const {
    Sky sky = *this;
    sky.source_ = PositionSource::Direct;
    return sky;
}

const BodySeries* Sky::SeriesFor(std::int16_t code, double jd) const {
    if (source_ != PositionSource::Store || code == kPluto) return nullptr;
    const bool moon = code == kMoon;
    if (!moon && (code < kSun || code > kNeptune)) return nullptr;
    const double outside = moon ? RangeCheck(jd, kMoonPlutoFirstDay, kMoonPlutoLastDay)
                                : RangeCheck(jd, kPlanetLibraryFirstDay, kPlanetLibraryLastDay);
    if (outside < 0) return nullptr;
    const BodySeries* series = parts_->store.Series(code);
    return series && series->Covers(jd) ? series : nullptr;
}

double Sky::Tropical(std::int16_t code, double jd) const {
    if (code == kPluto) {
        if (pluto_) return pluto_->PlutoLongitude(jd);
        // Outside the range there is no position with a table or without one.
        const double outside = RangeCheck(jd, kMoonPlutoFirstDay, kMoonPlutoLastDay);
        return outside < 0 ? outside : kBeforeRange;
    }
    if (const BodySeries* series = SeriesFor(code, jd)) {
        const double longitude = series->Longitude(jd);
        if (!std::isnan(longitude)) return longitude;  // else its block is damaged
    }
    return DirectLongitude(code, jd);
}

double Sky::Sidereal(double longitude, double jd) const {
    if (longitude < 0.0 || !sidereal_) return longitude;
    return NormalizeAngle(longitude - SiderealCorrection(static_cast<std::int16_t>(YearOfDayNumber(jd))));
}

double Sky::PlanetLongitude(std::int16_t code, double jd) const { return Sidereal(Tropical(code, jd), jd); }

LongitudeAndRate Sky::LongitudeWithRate(std::int16_t code, double jd) const {
    if (code == kPluto && pluto_) {
        const LongitudeAndRate tropical = pluto_->PlutoLongitudeWithRate(jd);
        return {Sidereal(tropical.longitude, jd), tropical.rate};
    }
    if (const BodySeries* series = SeriesFor(code, jd)) {
        const LongitudeAndRate tropical = series->LongitudeWithRate(jd);
        if (!std::isnan(tropical.longitude)) return {Sidereal(tropical.longitude, jd), tropical.rate};
    }
    const double longitude = Tropical(code, jd);
    if (longitude < 0.0) return {longitude, 0.0};
    const double before = Tropical(code, jd - kRateStep), after = Tropical(code, jd + kRateStep);
    const double rate = before < 0.0 || after < 0.0 ? 0.0 : std::remainder(after - before, kFullCircle) / (2 * kRateStep);
    return {Sidereal(longitude, jd), rate};
}

}  // namespace meridel
