#pragma once

#include <array>

#include "bodies/Quantity.h"
#include "bodies/QuantityBits.h"

namespace noctavo {

// The quantities of an object at a fixed place in the sky, in their
// published order: a star's five rows, which a constellation publishes as
// they are and an NGC object after two of its own. Every catalogue makes
// its own objects of this type; no two share a quantity object.
struct FixedPositionQuantities {
  DirectionQuantity direction{"Direction", 0, 360, quantity_bit::direction, 202, 203};
  TimeOfDayQuantity rise{"Rise", 0, 24, quantity_bit::rise, 180, 158};
  TimeOfDayQuantity set{"Set", 0, 24, quantity_bit::set, 181, 159};
  LongitudeQuantity longitude{"Longitude", 0, 360, quantity_bit::longitude, 124, 111};
  LatitudeQuantity latitude{"Latitude", -90, 90, quantity_bit::latitude, 125, 112};
  std::array<const Quantity*, 5> list{&direction, &rise, &set, &longitude, &latitude};
};

}  // namespace noctavo
