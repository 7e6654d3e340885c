#pragma once

// Helpers shared by the tests of the Sun, the Earth, the Moon, the planets
// and the body model.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "bodies/AstBody.h"
#include "bodies/QuantityBits.h"
#include "time/Observer.h"

namespace noctavo::testing {

// An observer at a civil moment and place; with zone 0 and no daylight
// saving the civil time is Greenwich mean time.
inline Observer observerAt(int day, int month, int year, double hours, double latitude = 51.5,
                           double longitude = 0.0, float timeZone = 0.0f, bool daylightSaving = false) {
  Observer observer;
  observer.dateTime = AstDateTime(day, month, year, hours, TimeKind::Lct);
  observer.location.latitude.set(latitude);
  observer.location.longitude.set(longitude);
  observer.location.timeZone = timeZone;
  observer.daylightSaving = daylightSaving;
  return observer;
}

inline BodyState computed(const AstBody& body, std::uint32_t flags, const Observer& observer,
                          TimeKind timeKind = TimeKind::Lct, CoordSystem system = CoordSystem::Ecliptical) {
  BodyState state;
  body.compute(flags, observer, state, timeKind, system);
  return state;
}

// Calls visit(observer) on `count` dates `stepDays` apart, from the observer's own.
template <typename Visit>
void forEachDay(Observer observer, int stepDays, int count, Visit visit) {
  for (int i = 0; i < count; ++i, observer.dateTime.addDays(stepDays)) visit(observer);
}

// An event is either invalid or a time of day: never NaN, never 24 h or more.
inline void expectInvalidOrTimeOfDay(const AstDateTime& event, const std::string& where) {
  if (!event.isValid()) return;
  EXPECT_TRUE(std::isfinite(event.getHours()) && event.getHours() >= 0.0 && event.getHours() < 24.0)
      << where << ": " << event.getHours();
}

inline std::string placeAndDate(const Observer& observer) {
  return observer.dateTime.formatDate() + " at latitude " + std::to_string(observer.latitude());
}

}  // namespace noctavo::testing
