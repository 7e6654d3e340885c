#pragma once

#include <cstdint>

#include "bodies/AstBody.h"

namespace noctavo {

// The Sun, the Moon and the planets by the precise method, when it is in
// force: the position in the requested system, every quantity that follows
// from it and the rising and setting of the almanacs, with event times in
// the requested kind. False, and nothing done, when the classical method is
// in force or the precise one has no answer (Pluto outside 1885-2099, a
// moment outside the calendar): the caller then computes classically.
bool computePrecisely(const AstBody& body, std::uint32_t flags, const Observer& observer, BodyState& out,
                      TimeKind timeKind, CoordSystem system);

// Rising and setting of a fixed equatorial position (degrees) through an
// altitude (degrees): local sidereal times on the observer's date, kind
// Lst. False, and both invalid, when it stays above or below that altitude.
bool riseAndSetAtAltitude(const AstCoord& equatorial, const Observer& observer, double altitude, AstDateTime& rise,
                          AstDateTime& set);

}  // namespace noctavo
