#include "bodies/Vsop87.h"

#include <cmath>

namespace noctavo::vsop87 {
namespace {

constexpr double julianDayOfJ2000 = 2451545.0;
constexpr double daysPerJulianMillennium = 365250.0;

struct ValueAndRate {
  double value;
  double ratePerMillennium;
};

// The sum over n of S_n(tau) tau^n and its derivative in tau.
ValueAndRate sumOf(Planet planet, int coordinate, double tau) {
  const int base = (static_cast<int>(planet) * coordinateCount + coordinate) * powerCount;
  // Horner's scheme over the powers of tau, highest first.
  double value = 0.0, rate = 0.0;
  for (int n = powerCount - 1; n >= 0; --n) {
    const Series& s = series[base + n];
    double sum = 0.0, sumRate = 0.0;
    for (int i = s.first; i < s.first + s.count; ++i) {
      const Term& t = terms[i];
      const double argument = t.phaseRadians + t.frequencyRadiansPerMillennium * tau;
      sum += t.amplitude * std::cos(argument);
      sumRate -= t.amplitude * t.frequencyRadiansPerMillennium * std::sin(argument);
    }
    rate = rate * tau + value + sumRate;
    value = value * tau + sum;
  }
  return {value, rate};
}

}  // namespace

Motion motion(Planet planet, double tt) {
  const double tau = (tt - julianDayOfJ2000) / daysPerJulianMillennium;
  const ValueAndRate l = sumOf(planet, 0, tau), b = sumOf(planet, 1, tau), r = sumOf(planet, 2, tau);
  return {{l.value, b.value, r.value},
          {l.ratePerMillennium / daysPerJulianMillennium, b.ratePerMillennium / daysPerJulianMillennium,
           r.ratePerMillennium / daysPerJulianMillennium}};
}

}  // namespace noctavo::vsop87
