#include "bodies/Vsop87.h"

#include <cmath>

namespace noctavo::vsop87 {
namespace {

constexpr double julianDayOfJ2000 = 2451545.0;
constexpr double daysPerJulianMillennium = 365250.0;

double sumOf(Planet planet, int coordinate, double tau) {
  const int base = (static_cast<int>(planet) * coordinateCount + coordinate) * powerCount;
  // Horner's scheme over the powers of tau, highest first.
  double total = 0.0;
  for (int n = powerCount - 1; n >= 0; --n) {
    const Series& s = series[base + n];
    double value = 0.0;
    for (int i = s.first; i < s.first + s.count; ++i)
      value += terms[i].amplitude * std::cos(terms[i].phaseRadians + terms[i].frequencyRadiansPerMillennium * tau);
    total = total * tau + value;
  }
  return total;
}

}  // namespace

EclipticOfJ2000 position(Planet planet, double tt) {
  const double tau = (tt - julianDayOfJ2000) / daysPerJulianMillennium;
  return {sumOf(planet, 0, tau), sumOf(planet, 1, tau), sumOf(planet, 2, tau)};
}

}  // namespace noctavo::vsop87
