// The many-position conversion of the sky map must be the single conversion
// to the last bit: the map and the object information show the same
// azimuth for a star, and graphs computed one position at a time must match
// what the map shows.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "time/AstCoord.h"
#include "time/Observer.h"

namespace noctavo {
namespace {

Observer observerAt(double latitude, double longitude, float timeZone, AstDateTime moment) {
  Observer observer;
  observer.dateTime = moment;
  observer.location.latitude.set(latitude);
  observer.location.longitude.set(longitude);
  observer.location.timeZone = timeZone;
  return observer;
}

// Positions over the whole sphere, with the awkward ones: both poles, the
// equator, right ascension 0 and just below 360, a step that is no round
// number, and an invalid position.
std::vector<AstCoord> equatorialSample() {
  std::vector<AstCoord> positions;
  for (double declination = -90.0; declination <= 90.0; declination += 7.3) {
    for (double rightAscension = 0.0; rightAscension < 360.0; rightAscension += 11.7) {
      positions.emplace_back(rightAscension, declination, CoordSystem::Equatorial);
    }
  }
  for (double declination : {-90.0, -45.0, 0.0, 45.0, 90.0}) {
    positions.emplace_back(0.0, declination, CoordSystem::Equatorial);
    positions.emplace_back(359.99999, declination, CoordSystem::Equatorial);
  }
  AstCoord invalid(CoordSystem::Equatorial);
  invalid.invalidate();
  positions.push_back(invalid);
  return positions;
}

std::vector<Observer> sampleObservers() {
  return {
      observerAt(51.5, 0.1, 0.0f, AstDateTime(15, 3, 2024, 21.5, TimeKind::Lct)),
      observerAt(-33.9, -151.2, 10.0f, AstDateTime(1, 1, 2000, 0.0, TimeKind::Lct)),
      observerAt(0.0, 120.0, -8.0f, AstDateTime(31, 12, 1979, 23.99, TimeKind::Lct)),
      observerAt(90.0, 0.0, 0.0f, AstDateTime(21, 6, 2010, 12.0, TimeKind::Lct)),
      observerAt(-90.0, 45.0, 3.0f, AstDateTime(21, 12, 2030, 6.25, TimeKind::Lct)),
  };
}

// Equality of every bit of both angles, so that even a sign of zero or the
// last place of a double would show.
bool sameBits(const AstCoord& first, const AstCoord& second) {
  return std::bit_cast<std::uint64_t>(first.a()) == std::bit_cast<std::uint64_t>(second.a()) &&
         std::bit_cast<std::uint64_t>(first.b()) == std::bit_cast<std::uint64_t>(second.b()) &&
         first.system() == second.system();
}

TEST(ConvertEquatorialToHorizontal, GivesExactlyWhatConvertCoordGivesForEveryPositionAndObserver) {
  const std::vector<AstCoord> positions = equatorialSample();
  for (const Observer& observer : sampleObservers()) {
    std::vector<AstCoord> batch(positions.size());
    convertEquatorialToHorizontal(positions.data(), batch.data(), positions.size(), observer);
    for (std::size_t i = 0; i < positions.size(); ++i) {
      AstCoord single = positions[i];
      convertCoord(single, CoordSystem::Horizontal, observer);
      ASSERT_TRUE(sameBits(batch[i], single))
          << "latitude " << observer.latitude() << ", position " << positions[i].a() << " " << positions[i].b()
          << ": batch " << batch[i].a() << " " << batch[i].b() << ", single " << single.a() << " " << single.b();
    }
  }
}

TEST(ConvertEquatorialToHorizontal, ConvertsInPlace) {
  const Observer observer = sampleObservers().front();
  const std::vector<AstCoord> positions = equatorialSample();
  std::vector<AstCoord> inPlace = positions;
  convertEquatorialToHorizontal(inPlace.data(), inPlace.data(), inPlace.size(), observer);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    AstCoord single = positions[i];
    convertCoord(single, CoordSystem::Horizontal, observer);
    ASSERT_TRUE(sameBits(inPlace[i], single)) << i;
  }
}

TEST(ConvertEquatorialToHorizontal, PassesPositionsOfOtherSystemsThroughTheSingleConversion) {
  const Observer observer = sampleObservers().front();
  const std::vector<AstCoord> positions = {AstCoord(123.4, -5.6, CoordSystem::Ecliptical),
                                           AstCoord(10.0, 20.0, CoordSystem::Horizontal),
                                           AstCoord(266.4, -28.9, CoordSystem::Galactic)};
  std::vector<AstCoord> batch(positions.size());
  convertEquatorialToHorizontal(positions.data(), batch.data(), positions.size(), observer);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    AstCoord single = positions[i];
    convertCoord(single, CoordSystem::Horizontal, observer);
    EXPECT_TRUE(sameBits(batch[i], single)) << i;
  }
  EXPECT_EQ(batch[1], positions[1]);  // already horizontal: unchanged
}

TEST(ConvertEquatorialToHorizontal, MarksEveryPositionInvalidWhenTheMomentIsInvalid) {
  Observer observer = sampleObservers().front();
  observer.dateTime.setHours(-1.0);
  const std::vector<AstCoord> positions = {AstCoord(10.0, 20.0, CoordSystem::Equatorial),
                                           AstCoord(200.0, -40.0, CoordSystem::Equatorial)};
  std::vector<AstCoord> batch(positions.size());
  convertEquatorialToHorizontal(positions.data(), batch.data(), positions.size(), observer);
  for (const AstCoord& coord : batch) {
    EXPECT_FALSE(coord.isValid());
    EXPECT_EQ(coord.system(), CoordSystem::Horizontal);
  }
}

}  // namespace
}  // namespace noctavo
