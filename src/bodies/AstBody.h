#pragma once

#include <cstdint>
#include <span>

#include "bodies/BodyState.h"
#include "bodies/ObjectType.h"
#include "bodies/Quantity.h"
#include "time/AstCoord.h"
#include "time/AstDateTime.h"
#include "time/Observer.h"

namespace noctavo {

// Everything the program can show, plot or describe: the Sun, the Moon, the
// planets, the Earth and the catalogue objects. The bodies of the solar
// system are static objects for the whole run; catalogue objects belong to
// their catalogues.
class AstBody {
 public:
  // Symbol-font codes of the bodies' symbols.
  static constexpr unsigned char noSymbol = 0;

  AstBody(const char* name, int index, ObjectType type, unsigned char symbol);
  virtual ~AstBody() = default;
  AstBody(const AstBody&) = delete;
  AstBody& operator=(const AstBody&) = delete;

  // Computes the quantities named by flags for the observer's moment and
  // place; the position comes in `system`, event times in `timeKind`.
  // Fields not asked for are left as they were.
  // Every body answers by the position method in force
  // (bodies/PositionMethod.h): the classical formulas below each class's
  // comment, or the precise ones of bodies/PreciseBodies.h.
  virtual void compute(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
                       CoordSystem system) const = 0;

  // The quantity with this label (exact match) or bit; none is an internal
  // error and gives null.
  const Quantity* findQuantity(const char* label) const;
  const Quantity* findQuantity(std::uint32_t flag) const;
  // Walk the body's quantities in its own order; null after the last.
  const Quantity* firstQuantity() const;
  const Quantity* nextQuantity() const;
  bool hasQuantity(std::uint32_t flag) const;
  // The same list for range-for loops.
  virtual std::span<const Quantity* const> quantities() const = 0;

  virtual const char* getName() const { return name_; }
  int getIndex() const { return index_; }
  ObjectType getObjectType() const { return objectType_; }
  unsigned char symbol() const { return symbol_; }

 protected:
  // A request for a position without a system, or for an event time
  // without a time kind, is an internal error: false, and nothing is done.
  bool checkRequest(std::uint32_t flags, TimeKind timeKind, CoordSystem system) const;

  // The step that ends every computation: the position (already in
  // out.position) into the requested system, direction, the zodiac keys and
  // the event times into the requested time kind.
  void finish(std::uint32_t flags, const Observer& observer, BodyState& out, TimeKind timeKind,
              CoordSystem system) const;

  // The whole computation of an object at a fixed equatorial position
  // (degrees), as stars and NGC objects are: its rise and set, then the
  // finishing step on that position. The finishing step takes the direction
  // from out.position, so the position goes there even when only the
  // direction is asked for, and is put back unless it was asked for.
  void computeFixedPosition(const AstCoord& equatorial, std::uint32_t flags, const Observer& observer, BodyState& out,
                            TimeKind timeKind, CoordSystem system) const;

  void setName(const char* name);

 private:
  char name_[21] = {};
  int index_;
  ObjectType objectType_;
  unsigned char symbol_;
  mutable std::size_t cursor_ = 0;
};

// True when the bodies' display names are equal byte for byte.
bool sameBody(const AstBody* a, const AstBody* b);

// Rising and setting of a fixed equatorial position (degrees): local
// sidereal times on the observer's date, kind Lst, without refraction,
// parallax or semi-diameter. False, and both invalid, when the position
// never rises or never sets at the observer's latitude.
bool riseAndSetOfFixedPosition(const AstCoord& equatorial, const Observer& observer, AstDateTime& rise,
                               AstDateTime& set);

}  // namespace noctavo
