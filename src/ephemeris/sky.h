// The sky as a value: everything a position depends on, in one object that every computation
// takes as a parameter. Its parts keep the names they are known by:
//   SiderealZodiac  whether longitudes are sidereal (each request takes the sky of its zodiac);
//   PlutoLines      the Pluto table (pluto.slx), loaded once when a request first needs Pluto;
//   DataFolder      the folder of pluto.slx, the help text and the position store (sky/);
//   the position store, which answers for the Sun to Neptune and the Moon.
// A sky is cheap to copy (its table and store are shared) and never changes once made: the
// variants are new values (InZodiac, WithPlutoLines). Positions are computed by no one else, and
// any number of threads may ask the same sky at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ephemeris/pluto_table.h"
#include "ephemeris/position_store.h"

namespace meridel {

enum class PositionSource {
    Store,   // the position store where it has the body, the library directly where not
    Direct,  // the library for every position, as before there was a store (tests compare them)
};

class Sky {
public:
    // The sky of a data folder (ending in "/"): its store is storeFolder, by default
    // dataFolder + "sky/"; the ephemeris library is told to look for its files in the data folder
    // too. Tropical, without a Pluto table.
    explicit Sky(const std::string& dataFolder, PositionSource source = PositionSource::Store,
                 const std::string& storeFolder = "");
    // A sky without a data folder (until start-up makes the real one): no store, no Pluto table,
    // every position from the library directly.
    Sky();

    bool SiderealZodiac() const { return sidereal_; }
    const std::string& DataFolder() const { return parts_->dataFolder; }
    // The Pluto table, or nullptr until one is loaded.
    const PlutoTable* PlutoLines() const { return pluto_.get(); }
    PositionSource Source() const { return source_; }
    const PositionStore& Store() const { return parts_->store; }

    // The same sky in the tropical (false) or sidereal (true) zodiac.
    Sky InZodiac(bool sidereal) const;
    // The same sky with this Pluto table.
    Sky WithPlutoLines(std::shared_ptr<const PlutoTable> table) const;
    // The same sky computing every position with the library directly.
    Sky Direct() const;

    // Longitude of body `code` at moment jd (UT), radians [0, 2pi), tropical or sidereal by
    // SiderealZodiac; or -99 (before the source's range) / -100 (after it), never corrected.
    // Sources: the store or the library for 1..8 and 10 (the Moon), the Pluto table for 9 (-99
    // while there is none). Code 0 (Earth) has no position. No allocation, no file access.
    double PlanetLongitude(std::int16_t code, double jd) const;
    // The same with how fast it changes, radians per day (the sidereal correction's step at New
    // Year left out). A no-value longitude comes with rate 0.
    LongitudeAndRate LongitudeWithRate(std::int16_t code, double jd) const;

private:
    struct Parts {
        Parts(std::string folder, std::string storeFolder) : dataFolder(std::move(folder)), store(std::move(storeFolder)) {}
        std::string dataFolder;
        PositionStore store;
    };
    // The store's series of the body when it answers for moment jd, else nullptr.
    const BodySeries* SeriesFor(std::int16_t code, double jd) const;
    double Tropical(std::int16_t code, double jd) const;
    double Sidereal(double longitude, double jd) const;

    std::shared_ptr<const Parts> parts_;
    std::shared_ptr<const PlutoTable> pluto_;
    PositionSource source_ = PositionSource::Store;
    bool sidereal_ = false;
};

// The sky of this installation: the data folder that holds pluto.slx, and the store found the
// same way (the first data folder holding sky/), so that each is found wherever it lies. With
// MERIDEL_DIRECT_POSITIONS set (to anything), every position comes from the library directly,
// as before there was a store: the tests compare the two.
Sky InstalledSky(PositionSource source = PositionSource::Store);

}  // namespace meridel
