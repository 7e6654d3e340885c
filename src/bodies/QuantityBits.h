#pragma once

#include <cstdint>

namespace noctavo {

// One bit per quantity a body can compute. The same bit names the quantity
// in the quantity objects, in the Object Information window and in graph
// files, so the values are fixed.
namespace quantity_bit {
constexpr std::uint32_t longitude = 0x1;  // first angle of the position
constexpr std::uint32_t latitude = 0x2;   // second angle of the position
constexpr std::uint32_t distanceFromEarth = 0x4;
constexpr std::uint32_t elongation = 0x8;
constexpr std::uint32_t phase = 0x10;
constexpr std::uint32_t magnitude = 0x20;
constexpr std::uint32_t angularSize = 0x40;
constexpr std::uint32_t distanceFromSun = 0x80;
constexpr std::uint32_t zodiacConstellation = 0x100;
constexpr std::uint32_t rise = 0x200;
constexpr std::uint32_t set = 0x400;
constexpr std::uint32_t twilightBegin = 0x800;
constexpr std::uint32_t twilightEnd = 0x1000;
constexpr std::uint32_t direction = 0x2000;
constexpr std::uint32_t ascendingNode = 0x4000;
constexpr std::uint32_t descendingNode = 0x8000;
constexpr std::uint32_t midnight = 0x10000;
constexpr std::uint32_t zodiacSign = 0x400000;
constexpr std::uint32_t heliocentricLongitude = 0x800000;
constexpr std::uint32_t heliocentricLatitude = 0x1000000;
constexpr std::uint32_t ngcConstellation = 0x2000000;

constexpr std::uint32_t position = longitude | latitude;
constexpr std::uint32_t events = rise | set | twilightBegin | twilightEnd;
}  // namespace quantity_bit

}  // namespace noctavo
