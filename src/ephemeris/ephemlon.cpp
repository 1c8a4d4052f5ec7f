#include "ephemeris/ephemlon.h"

#include <swephexp.h>

#include <atomic>
#include <cmath>
#include <mutex>

#include "ephemeris/planet_longitude.h"

namespace meridel {

namespace {

// The library takes a search path of at most 242 characters and silently puts its built-in
// folder in place of a longer one; we keep the system folder instead.
constexpr std::size_t kLongestSearchPath = AS_MAXCH - 1 - 13;

// The folders to search, as set last, and how many times they were set; each thread hands them
// to the library (whose state is the thread's own) when its copy is older.
std::mutex pathLock;
std::string searchPath = MERIDEL_SWE_EPHE_DIR;
std::atomic<int> pathChanges{0};
thread_local int pathChangesSeen = -1;
thread_local std::int32_t lastFlags = 0;

void TakeSearchPath() {
    const int changes = pathChanges.load(std::memory_order_acquire);
    if (changes == pathChangesSeen) return;
    std::lock_guard<std::mutex> lock(pathLock);
    swe_set_ephe_path(searchPath.c_str());
    pathChangesSeen = changes;
}

// A failed call still needs a side of the range; 2000-01-01 0 h splits it.
double noValueFor(double jd) { return jd < 2451544.5 ? kBeforeRange : kAfterRange; }

}  // namespace

void set_datafiles_folder(const std::string& folder) {
    std::string path = folder + ":" + MERIDEL_SWE_EPHE_DIR;
    if (folder.empty() || path.size() > kLongestSearchPath) path = MERIDEL_SWE_EPHE_DIR;
    {
        std::lock_guard<std::mutex> lock(pathLock);
        searchPath = path;
        pathChanges.fetch_add(1, std::memory_order_release);
    }
    TakeSearchPath();
}

std::int32_t LibraryBodyOf(std::int16_t planetCode) {
    switch (planetCode) {
        case 1: return SE_SUN;
        case 2: return SE_MERCURY;
        case 3: return SE_VENUS;
        case 4: return SE_MARS;
        case 5: return SE_JUPITER;
        case 6: return SE_SATURN;
        case 7: return SE_URANUS;
        case 8: return SE_NEPTUNE;
        case 9: return SE_PLUTO;
        case 10: return SE_MOON;
        default: return -1;
    }
}

const char* LibraryVersionText(char* text) { return swe_version(text); }

std::int32_t PositionFlags() { return SEFLG_SWIEPH; }

namespace {

LibraryEclipse EclipseOf(std::int32_t flags, double greatest) {
    LibraryEclipse e;
    if (flags <= 0 || !std::isfinite(greatest)) return e;
    e.found = true;
    e.greatest = greatest;
    // Hybrid first: the library marks such an eclipse total or annular besides.
    if (flags & SE_ECL_ANNULAR_TOTAL) e.type = EclipseType::Hybrid;
    else if (flags & SE_ECL_TOTAL) e.type = EclipseType::Total;
    else if (flags & SE_ECL_ANNULAR) e.type = EclipseType::Annular;
    else if (flags & SE_ECL_PARTIAL) e.type = EclipseType::Partial;
    else e.type = EclipseType::Penumbral;
    return e;
}

}  // namespace

namespace {

// The library's two eclipse searches take the same arguments: the next eclipse after jd, any type.
using EclipseSearch = std::int32_t (*)(double, std::int32_t, std::int32_t, double*, std::int32_t, char*);
LibraryEclipse NextEclipse(EclipseSearch search, double jd) {
    TakeSearchPath();
    double times[10] = {};
    char serr[AS_MAXCH];
    const std::int32_t flags = search(jd, PositionFlags(), 0, times, 0, serr);
    return EclipseOf(flags, times[0]);
}

}  // namespace

LibraryEclipse NextSolarEclipse(double jd) { return NextEclipse(swe_sol_eclipse_when_glob, jd); }

LibraryEclipse NextLunarEclipse(double jd) { return NextEclipse(swe_lun_eclipse_when, jd); }

double apparent_longitude(std::int32_t body, double jd, double* rv) {
    TakeSearchPath();
    double xx[6];
    char serr[AS_MAXCH];
    std::int32_t flags = swe_calc_ut(jd, body, PositionFlags(), xx, serr);
    lastFlags = flags;
    if (flags < 0 || !std::isfinite(xx[0]) || xx[0] < 0.0 || xx[0] >= 360.0) return noValueFor(jd);
    if (rv) *rv = xx[2];
    double longitude = xx[0] / 360.0 * kFullCircle;
    // 359.99999999999997 degrees may round up to the full circle.
    return longitude < kFullCircle ? longitude : 0.0;
}

double gc_app_long_rv_planet(std::int32_t planet, double jd, double* rv) {
    double day = std::floor(jd + 0.5);
    if (!(day >= kPlanetLibraryFirstDay)) return kBeforeRange;  // NaN included
    if (day > kPlanetLibraryLastDay) return kAfterRange;
    std::int32_t body;
    switch (planet) {
        case 1: body = SE_MERCURY; break;
        case 2: body = SE_VENUS; break;
        case 3: body = SE_SUN; break;  // the Earth's number asks for the Sun seen from it
        case 4: body = SE_MARS; break;
        case 5: body = SE_JUPITER; break;
        case 6: body = SE_SATURN; break;
        case 7: body = SE_URANUS; break;
        case 8: body = SE_NEPTUNE; break;
        default: return noValueFor(jd);
    }
    return apparent_longitude(body, jd, rv);
}

double moonpos(double t) {
    if (!std::isfinite(t)) return kBeforeRange;
    return apparent_longitude(SE_MOON, t + 2451545.0, nullptr);
}

std::int32_t last_ephemeris_flags() { return lastFlags; }

}  // namespace meridel
