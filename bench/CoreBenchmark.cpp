// One call of each core operation beside the same work done by GeographicLib.
//
// Every benchmark walks a table of precomputed inputs so that the compiler
// cannot fold the call into a constant, and hands each result to
// benchmark::DoNotOptimize so that the call is not dropped. The pairs share a
// name before the slash: "GeoToUtm/trelvan" and "GeoToUtm/GeographicLib";
// bench/run.sh reads the JSON output and prints each pair's ratio. The label of
// a GeographicLib benchmark names the calls it times.

#include <benchmark/benchmark.h>

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/LocalCartesian.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <type_traits>

#include "geodesy/Angles.h"
#include "geodesy/Convergence.h"
#include "geodesy/Datum.h"
#include "geodesy/DatumShift.h"
#include "geodesy/Utm.h"
#include "geometry/Polar.h"
#include "geometry/Resection.h"
#include "magnetic/Igrf14.h"
#include "magnetic/MagneticModel.h"

namespace trelvan {
namespace {

// Inputs per table: a power of two, so the index wraps with a mask, and small
// enough for the tables to stay in the first-level cache of any recent core.
constexpr std::size_t kCount = 256;
constexpr std::size_t kMask = kCount - 1;

// The datum pair of the datum conversion: WGS-84 to ED-50 MEAN, whose
// International 1924 ellipsoid differs from WGS-84's.
constexpr std::uint16_t kFromDatum = 0;
constexpr std::uint16_t kToDatum = 1;

// GeographicLib works in degrees; these are exact conversions for its inputs,
// so both sides see the same positions.
constexpr double kPi = 3.14159265358979323846;
double Degrees(double radians) { return radians * (180.0 / kPi); }
double Radians(double degrees) { return degrees * (kPi / 180.0); }

// A position with its latitude and longitude in both units.
struct Position {
  GeoPoint geo;    // radians, metres, datum kFromDatum
  double lat_deg;  // degrees
  double lon_deg;  // degrees
};

// A UTM position in both libraries' forms, from the same geographic position.
struct Grid {
  UtmPoint utm;  // this program's form
  int zone;      // GeographicLib's zone
  bool northp;   // GeographicLib's hemisphere
  double x;      // GeographicLib's easting, metres
  double y;      // GeographicLib's northing, metres
};

// A polar measurement from a station, and the target it reaches.
struct Shot {
  Position station;
  PolarVector vector;  // range metres, azimuth and elevation radians
  Position target;
};

// A resection problem whose station is known to be solvable.
struct Survey {
  double theta;  // radians
  PolarVector m1;
  PolarVector m2;
  GeoPoint w1;
  GeoPoint w2;
};

struct Inputs {
  std::array<Position, kCount> positions;
  std::array<Grid, kCount> grids;
  std::array<DateStamp, kCount> dates;
  std::array<Shot, kCount> shots;
  std::array<Survey, kCount> surveys;
};

Position MakePosition(double lat, double lon, double height) {
  Position p;
  p.geo = GeoPoint{lat, lon, height, kFromDatum};
  p.lat_deg = Degrees(lat);
  p.lon_deg = Degrees(lon);
  return p;
}

// Fixed seed: every run times the same positions.
Inputs MakeInputs() {
  Inputs in;
  std::mt19937_64 random(20240601);
  auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  for (std::size_t i = 0; i < kCount; ++i) {
    // Inside the UTM latitudes, so both libraries take the UTM branch.
    in.positions[i] = MakePosition(Radians(uniform(-79.5, 83.5)), Radians(uniform(-180.0, 180.0)),
                                   uniform(-50.0, 3000.0));
    const Position& p = in.positions[i];
    Grid& g = in.grids[i];
    GeoToUtm(p.geo, g.utm);
    GeographicLib::UTMUPS::Forward(p.lat_deg, p.lon_deg, g.zone, g.northp, g.x, g.y);

    DateStamp& d = in.dates[i];
    d = DateStamp{0.0, 0, 12, 1, 1, 2000};
    d.year = static_cast<std::int16_t>(2000 + i % 25);
    d.month = static_cast<std::int16_t>(1 + i % 12);
    d.day = static_cast<std::int16_t>(1 + i % 28);

    Shot& s = in.shots[i];
    s.station = MakePosition(Radians(uniform(-70.0, 70.0)), Radians(uniform(-180.0, 180.0)),
                             uniform(0.0, 2000.0));
    s.vector = PolarVector{uniform(100.0, 10000.0), Radians(uniform(0.0, 359.0)),
                           Radians(uniform(-5.0, 5.0))};
    const GeoPoint target = ForwardPolar(s.vector, s.station.geo);
    s.target = MakePosition(target.lat, target.lon, target.height);

    Survey& r = in.surveys[i];
    GeoPoint station{};
    do {
      station = GeoPoint{Radians(uniform(-70.0, 70.0)), Radians(uniform(-180.0, 180.0)),
                         uniform(0.0, 2000.0), kFromDatum};
      const double az1 = Radians(uniform(0.0, 360.0));
      const double theta = Radians(uniform(30.0, 150.0));
      r.m1 = PolarVector{uniform(1000.0, 5000.0), az1, Radians(uniform(-3.0, 3.0))};
      r.m2 = PolarVector{uniform(1000.0, 5000.0), az1 + theta, Radians(uniform(-3.0, 3.0))};
      r.w1 = ForwardPolar(r.m1, station);
      r.w2 = ForwardPolar(r.m2, station);
      r.theta = theta;
    } while (SolveResection(r.theta, r.m1, r.m2, r.w1, r.w2, station) != SolveStatus::kSolved);
  }
  return in;
}

const Inputs& TheInputs() {
  static const Inputs inputs = MakeInputs();
  return inputs;
}

// Runs `call(inputs, i)` once per iteration, i walking the input table, and
// hands what the call returns to benchmark::DoNotOptimize; a call that
// returns nothing hands its results over itself.
template <class Call>
void Cycle(benchmark::State& state, Call call) {
  const Inputs& in = TheInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    if constexpr (std::is_void_v<decltype(call(in, i))>) {
      call(in, i);
    } else {
      auto result = call(in, i);
      benchmark::DoNotOptimize(result);
    }
    i = (i + 1) & kMask;
  }
}

// ---- This program's core ------------------------------------------------

void TrelvanGeoToUtm(benchmark::State& state) {
  UtmPoint out{};
  Cycle(state, [&out](const Inputs& in, std::size_t i) {
    GeoToUtm(in.positions[i].geo, out);
    benchmark::DoNotOptimize(out);
  });
}

void TrelvanUtmToGeo(benchmark::State& state) {
  Cycle(state, [](const Inputs& in, std::size_t i) { return UtmToGeo(in.grids[i].utm); });
}

void TrelvanConvertDatum(benchmark::State& state) {
  Cycle(state, [](const Inputs& in, std::size_t i) {
    return ConvertDatum(kToDatum, in.positions[i].geo);
  });
}

void TrelvanGridConvergence(benchmark::State& state) {
  Cycle(state,
        [](const Inputs& in, std::size_t i) { return GridConvergence(in.positions[i].geo); });
}

void TrelvanMagneticVariance(benchmark::State& state) {
  Cycle(state, [](const Inputs& in, std::size_t i) {
    return MagneticVariance(in.dates[i], in.positions[i].geo);
  });
}

void TrelvanIgrf14Variance(benchmark::State& state) {
  Cycle(state, [](const Inputs& in, std::size_t i) {
    return Igrf14Variance(in.dates[i], in.positions[i].geo);
  });
}

void TrelvanForwardPolar(benchmark::State& state) {
  Cycle(state, [](const Inputs& in, std::size_t i) {
    return ForwardPolar(in.shots[i].vector, in.shots[i].station.geo);
  });
}

void TrelvanInversePolar(benchmark::State& state) {
  Cycle(state, [](const Inputs& in, std::size_t i) {
    return InversePolar(in.shots[i].station.geo, in.shots[i].target.geo);
  });
}

void TrelvanBackPolar(benchmark::State& state) {
  Cycle(state, [](const Inputs& in, std::size_t i) {
    return BackPolar(in.shots[i].vector, in.shots[i].target.geo);
  });
}

void TrelvanSolveResection(benchmark::State& state) {
  GeoPoint station{};
  Cycle(state, [&station](const Inputs& in, std::size_t i) {
    const Survey& s = in.surveys[i];
    SolveStatus status = SolveResection(s.theta, s.m1, s.m2, s.w1, s.w2, station);
    benchmark::DoNotOptimize(status);
    benchmark::DoNotOptimize(station);
  });
}

// ---- GeographicLib --------------------------------------------------------

void GeographicLibGeoToUtm(benchmark::State& state) {
  int zone = 0;
  bool northp = false;
  double x = 0.0;
  double y = 0.0;
  Cycle(state, [&](const Inputs& in, std::size_t i) {
    GeographicLib::UTMUPS::Forward(in.positions[i].lat_deg, in.positions[i].lon_deg, zone, northp,
                                   x, y);
    benchmark::DoNotOptimize(zone);
    benchmark::DoNotOptimize(northp);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  });
  state.SetLabel("UTMUPS::Forward");
}

void GeographicLibUtmToGeo(benchmark::State& state) {
  double lat = 0.0;
  double lon = 0.0;
  Cycle(state, [&](const Inputs& in, std::size_t i) {
    const Grid& g = in.grids[i];
    GeographicLib::UTMUPS::Reverse(g.zone, g.northp, g.x, g.y, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
  state.SetLabel("UTMUPS::Reverse");
}

void GeographicLibConvertDatum(benchmark::State& state) {
  const Datum& from = DatumRow(kFromDatum);
  const Datum& to = DatumRow(kToDatum);
  const GeographicLib::Geocentric source(from.a, 1.0 / from.inv_f);
  const GeographicLib::Geocentric target(to.a, 1.0 / to.inv_f);
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double lat = 0.0;
  double lon = 0.0;
  double h = 0.0;
  Cycle(state, [&](const Inputs& in, std::size_t i) {
    const Position& p = in.positions[i];
    source.Forward(p.lat_deg, p.lon_deg, p.geo.height, x, y, z);
    // The translation between the two datums, as the datum table gives it.
    target.Reverse(x + (from.dx - to.dx), y + (from.dy - to.dy), z + (from.dz - to.dz), lat, lon,
                   h);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
    benchmark::DoNotOptimize(h);
  });
  state.SetLabel("Geocentric::Forward + translation + Geocentric::Reverse");
}

void GeographicLibGridConvergence(benchmark::State& state) {
  const GeographicLib::TransverseMercator& utm = GeographicLib::TransverseMercator::UTM();
  double x = 0.0;
  double y = 0.0;
  double gamma = 0.0;
  double k = 0.0;
  Cycle(state, [&](const Inputs& in, std::size_t i) {
    const Position& p = in.positions[i];
    const int zone = GeographicLib::UTMUPS::StandardZone(p.lat_deg, p.lon_deg);
    utm.Forward(6.0 * zone - 183.0, p.lat_deg, p.lon_deg, x, y, gamma, k);
    benchmark::DoNotOptimize(gamma);
  });
  state.SetLabel("UTMUPS::StandardZone + TransverseMercator::UTM().Forward");
}

// East, north and up components of a polar vector.
void EastNorthUp(const PolarVector& v, double& e, double& n, double& u) {
  const double horizontal = v.range * std::cos(v.elevation);
  e = horizontal * std::sin(v.azimuth);
  n = horizontal * std::cos(v.azimuth);
  u = v.range * std::sin(v.elevation);
}

// The target reached from a station along a polar vector, by GeographicLib's
// local east-north-up frame at the station.
void LocalForward(const PolarVector& v, double lat0, double lon0, double h0, double& lat,
                  double& lon, double& h) {
  const GeographicLib::LocalCartesian frame(lat0, lon0, h0);
  double e = 0.0;
  double n = 0.0;
  double u = 0.0;
  EastNorthUp(v, e, n, u);
  frame.Reverse(e, n, u, lat, lon, h);
}

// The polar vector from one position to another in the first one's
// east-north-up frame; azimuth in [0, 2pi).
PolarVector LocalInverse(double lat0, double lon0, double h0, double lat, double lon, double h) {
  const GeographicLib::LocalCartesian frame(lat0, lon0, h0);
  double e = 0.0;
  double n = 0.0;
  double u = 0.0;
  frame.Forward(lat, lon, h, e, n, u);
  PolarVector v;
  v.range = std::sqrt(e * e + n * n + u * u);
  v.elevation = std::asin(u / v.range);
  v.azimuth = std::atan2(e, n);
  if (v.azimuth < 0.0) v.azimuth += 2.0 * kPi;
  return v;
}

void GeographicLibForwardPolar(benchmark::State& state) {
  double lat = 0.0;
  double lon = 0.0;
  double h = 0.0;
  Cycle(state, [&](const Inputs& in, std::size_t i) {
    const Shot& s = in.shots[i];
    LocalForward(s.vector, s.station.lat_deg, s.station.lon_deg, s.station.geo.height, lat, lon, h);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
    benchmark::DoNotOptimize(h);
  });
  state.SetLabel("LocalCartesian at the station + Reverse");
}

void GeographicLibInversePolar(benchmark::State& state) {
  Cycle(state, [&](const Inputs& in, std::size_t i) {
    const Shot& s = in.shots[i];
    PolarVector v = LocalInverse(s.station.lat_deg, s.station.lon_deg, s.station.geo.height,
                                 s.target.lat_deg, s.target.lon_deg, s.target.geo.height);
    benchmark::DoNotOptimize(v);
  });
  state.SetLabel("LocalCartesian at the station + Forward");
}

// The back polar done the same way with GeographicLib's frames: the reversed
// vector from the target, the vector forward again from that estimate, the
// vector measured back, and that vector from the target.
void GeographicLibBackPolar(benchmark::State& state) {
  double lat = 0.0;
  double lon = 0.0;
  double h = 0.0;
  Cycle(state, [&](const Inputs& in, std::size_t i) {
    const Shot& s = in.shots[i];
    const Position& t = s.target;
    const PolarVector reversed = {s.vector.range, s.vector.azimuth + kPi, -s.vector.elevation};
    double lat1 = 0.0;
    double lon1 = 0.0;
    double h1 = 0.0;
    LocalForward(reversed, t.lat_deg, t.lon_deg, t.geo.height, lat1, lon1, h1);
    double lat2 = 0.0;
    double lon2 = 0.0;
    double h2 = 0.0;
    LocalForward(s.vector, lat1, lon1, h1, lat2, lon2, h2);
    const PolarVector corrected = LocalInverse(lat2, lon2, h2, lat1, lon1, h1);
    LocalForward(corrected, t.lat_deg, t.lon_deg, t.geo.height, lat, lon, h);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
    benchmark::DoNotOptimize(h);
  });
  state.SetLabel("3 x (LocalCartesian + Reverse) + 1 x (LocalCartesian + Forward)");
}

// The benchmarks in the order of the table, each pair together.
struct Entry {
  const char* name;
  void (*function)(benchmark::State&);
};

constexpr Entry kBenchmarks[] = {
    {"GeoToUtm/trelvan", TrelvanGeoToUtm},
    {"GeoToUtm/GeographicLib", GeographicLibGeoToUtm},
    {"UtmToGeo/trelvan", TrelvanUtmToGeo},
    {"UtmToGeo/GeographicLib", GeographicLibUtmToGeo},
    {"ConvertDatum/trelvan", TrelvanConvertDatum},
    {"ConvertDatum/GeographicLib", GeographicLibConvertDatum},
    {"GridConvergence/trelvan", TrelvanGridConvergence},
    {"GridConvergence/GeographicLib", GeographicLibGridConvergence},
    {"MagneticVariance/trelvan", TrelvanMagneticVariance},
    {"Igrf14Variance/trelvan", TrelvanIgrf14Variance},
    {"ForwardPolar/trelvan", TrelvanForwardPolar},
    {"ForwardPolar/GeographicLib", GeographicLibForwardPolar},
    {"InversePolar/trelvan", TrelvanInversePolar},
    {"InversePolar/GeographicLib", GeographicLibInversePolar},
    {"BackPolar/trelvan", TrelvanBackPolar},
    {"BackPolar/GeographicLib", GeographicLibBackPolar},
    {"SolveResection/trelvan", TrelvanSolveResection},
};

}  // namespace
}  // namespace trelvan

// TRELVAN_BENCH_ITERATIONS=N runs every benchmark exactly N times instead of
// for a while, so that an instruction count (bench/count-instructions) divides
// into a count per call.
int main(int argc, char** argv) {
  // Made before anything is timed or counted.
  trelvan::TheInputs();
  const char* fixed = std::getenv("TRELVAN_BENCH_ITERATIONS");
  const long long iterations = fixed != nullptr ? std::atoll(fixed) : 0;
  for (const trelvan::Entry& entry : trelvan::kBenchmarks) {
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(entry.name, entry.function);
    if (iterations > 0) b->Iterations(iterations);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
