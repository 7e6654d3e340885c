#pragma once

#include <cstdint>
#include <string>

#include "time/AstCoord.h"

namespace noctavo {

enum class QuantityKind : std::int32_t { TimeOfDay = 0, Angle = 1, Plain = 2, Base = 3 };

// Describes one quantity a body publishes: its label, the default value
// range of a graph line, its bit, where the Object Information window shows
// it, whether a value can be shown or plotted, and its text. Every body owns
// its own objects for the whole run. They are shared by every window, and
// all but one thing about them is fixed: a longitude quantity formats as
// right ascension or degrees by the coordinate system the window showing it
// last set (LongitudeQuantity::setCoordSystem), so a window sets it before
// it formats.
class Quantity {
 public:
  Quantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelControlId,
           int valueControlId);
  virtual ~Quantity() = default;
  Quantity(const Quantity&) = delete;
  Quantity& operator=(const Quantity&) = delete;

  virtual bool isValid(double value) const = 0;
  std::uint32_t flag() const { return flagBit_; }
  int labelId() const { return labelControlId_; }
  int maxOf() const { return maxValue_; }
  int minOf() const { return minValue_; }
  const char* name() const { return name_; }
  QuantityKind kindOf() const { return kind_; }
  int valueId() const { return valueControlId_; }
  // Display text in the program's byte encoding (Windows-1252 plus the
  // symbol-font degree sign).
  virtual std::string format(double value) const = 0;

 protected:
  QuantityKind kind_ = QuantityKind::Base;

 private:
  char name_[32];
  int minValue_;
  int maxValue_;
  std::uint32_t flagBit_;
  int labelControlId_;
  int valueControlId_;
};

class MagnitudeQuantity : public Quantity {
 public:
  MagnitudeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                    int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class ZodiacConstellationQuantity : public Quantity {
 public:
  ZodiacConstellationQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit,
                              int labelId, int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class ConstellationQuantity : public Quantity {
 public:
  ConstellationQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                        int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class DirectionQuantity : public Quantity {
 public:
  DirectionQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                    int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class DistanceQuantity : public Quantity {
 public:
  DistanceQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                   int valueId, bool inAstronomicalUnits);
  bool isValid(double value) const override;
  std::string format(double value) const override;
  bool inAstronomicalUnits() const { return inAstronomicalUnits_; }

 private:
  bool inAstronomicalUnits_;
};

class ElongationQuantity : public Quantity {
 public:
  ElongationQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                     int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class LongitudeQuantity : public Quantity {
 public:
  LongitudeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                    int valueId);
  bool isValid(double value) const override;
  // Shown as right ascension only while the coordinate system is
  // equatorial; the window showing it sets the system.
  std::string format(double value) const override;
  CoordSystem coordSystem() const { return system_; }
  void setCoordSystem(CoordSystem system) const { system_ = system; }

 private:
  mutable CoordSystem system_ = CoordSystem::None;
};

class LatitudeQuantity : public Quantity {
 public:
  LatitudeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                   int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class PhaseQuantity : public Quantity {
 public:
  PhaseQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class ZodiacSignQuantity : public Quantity {
 public:
  ZodiacSignQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                     int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class AngularSizeQuantity : public Quantity {
 public:
  AngularSizeQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                      int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

class TimeOfDayQuantity : public Quantity {
 public:
  TimeOfDayQuantity(const char* name, int minValue, int maxValue, std::uint32_t flagBit, int labelId,
                    int valueId);
  bool isValid(double value) const override;
  std::string format(double value) const override;
};

}  // namespace noctavo
