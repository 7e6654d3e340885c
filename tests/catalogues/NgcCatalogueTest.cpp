#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/CatalogueTestFiles.h"
#include "catalogues/Constellation.h"
#include "catalogues/NgcCatalogue.h"

namespace noctavo {
namespace {

using testing::andromeda;
using testing::CatalogueTest;
using testing::InternalErrorRecorder;
using testing::ngcRecord;
using testing::NgcRecordFields;
using testing::UserMessageRecorder;

NgcRecordFields andromedaGalaxy() {
  NgcRecordFields fields;
  fields.name = "NGC 224";
  fields.typeClass = 0;
  fields.rightAscension = 10.6847f;
  fields.declination = 41.2690f;
  fields.constellation = andromeda;
  fields.size = 178.0f;
  fields.magnitude = 3.4f;
  fields.description = "Andromeda Galaxy, M 31";
  return fields;
}

NgcRecordFields with(void (*change)(NgcRecordFields&)) {
  NgcRecordFields fields;
  change(fields);
  return fields;
}

class NgcCatalogue : public CatalogueTest {
 protected:
  bool load(const std::string& bytes) {
    folder_.write("ngc", bytes);
    return loadNgcCatalogue(folder_.path());
  }
};

// --- reading the file ---------------------------------------------------------

TEST_F(NgcCatalogue, RecordsAreReadInFileOrderWithAllTheirFieldsAndComputeAsBodies) {
  ASSERT_TRUE(load(ngcRecord(andromedaGalaxy()) + ngcRecord(NgcRecordFields{})));
  ASSERT_EQ(ngcCount(), 2);
  const NgcObject* galaxy = ngcAt(0);
  EXPECT_STREQ(galaxy->getName(), "NGC 224");
  EXPECT_STREQ(galaxy->typeText(), "Galaxy");
  EXPECT_FLOAT_EQ(galaxy->size(), 178.0f);
  EXPECT_EQ(galaxy->description(), "Andromeda Galaxy, M 31");
  EXPECT_STREQ(ngcAt(1)->typeText(), "Bright emission or reflection nebula");
  BodyState out;
  galaxy->compute(quantity_bit::magnitude | quantity_bit::ngcConstellation | quantity_bit::position, Observer{}, out,
                  TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_FLOAT_EQ(out.magnitude, 3.4f);
  EXPECT_EQ(out.position, AstCoord(double(10.6847f), double(41.2690f), CoordSystem::Equatorial));
  EXPECT_EQ(galaxy->findQuantity(quantity_bit::ngcConstellation)->format(out.ngcConstellation), "Andromeda");
}

TEST_F(NgcCatalogue, NamesAndDescriptionsFrom0To20And50CharactersAreKeptWhole) {
  for (const auto& [nameLength, descriptionLength] : {std::pair{0, 0}, std::pair{20, 50}}) {
    NgcRecordFields fields;
    fields.name = std::string(static_cast<std::size_t>(nameLength), 'N');
    fields.description = std::string(static_cast<std::size_t>(descriptionLength), 'd');
    ASSERT_TRUE(load(ngcRecord(fields)));
    EXPECT_EQ(std::string(ngcAt(0)->getName()), fields.name);
    EXPECT_EQ(ngcAt(0)->description(), fields.description);
  }
}

// The start-up ends the program on a missing file; the user learns first
// which file and where it was looked for.
TEST_F(NgcCatalogue, AMissingFileNamesItselfAndItsFolderAndAnEmptyOneLoadsNoObjectsSilently) {
  UserMessageRecorder messages;
  EXPECT_FALSE(loadNgcCatalogue(folder_.path()));
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.text(), testing::wholeFileMessage("Error opening NGC file", folder_, "ngc"));
  EXPECT_TRUE(load(""));
  EXPECT_EQ(ngcCount(), 0);
  EXPECT_EQ(messages.count(), 1u);
}

// --- damaged records ------------------------------------------------------------------

// Damage that makes the rest unreadable stops the reading after the good
// records before it, with one message (an internal error for type class 17).
TEST_F(NgcCatalogue, DamagedRecordsAreReportedAndNeverBecomeObjects) {
  const std::string good = ngcRecord(andromedaGalaxy());
  const std::string whole = ngcRecord(NgcRecordFields{});
  struct Case {
    std::string bytes;
    bool loaded;
    int count;
    std::string message;  // a part of it; empty: none
    std::size_t internalErrors;
  };
  const Case cases[] = {
      {good + ngcRecord(with([](NgcRecordFields& f) { f.name = std::string(21, 'N'); })) + good, false, 1,
       "Error in NGC file, record 1: the name length 21 is not 0..20; the rest of the file is not read", 0},
      {ngcRecord(with([](NgcRecordFields& f) { f.nameLength = -3; })), false, 0, "name length -3", 0},
      {ngcRecord(with([](NgcRecordFields& f) { f.description = std::string(51, 'd'); })), false, 0,
       "description length 51", 0},
      {good + ngcRecord(with([](NgcRecordFields& f) { f.typeClass = 17; })), false, 1, "", 1},
      {ngcRecord(with([](NgcRecordFields& f) { f.typeClass = 18; })), false, 0, "type class 18", 0},
      {ngcRecord(with([](NgcRecordFields& f) { f.typeClass = -1; })), false, 0, "type class -1", 0},
      // A whole record with a position off the sky or a control character
      // in its name is left out, and the reading goes on.
      {good + ngcRecord(with([](NgcRecordFields& f) { f.rightAscension = 1e9f; })) +
           ngcRecord(with([](NgcRecordFields& f) { f.declination = std::nanf(""); })) +
           ngcRecord(with([](NgcRecordFields& f) { f.name = std::string("M 4\0" "2", 5); })) + good,
       true, 2, "record 1: the position of \"NGC 1976\" (right ascension 1e+09, declination -5.39) is no place", 0},
      {good + whole.substr(0, 1), false, 1, "record 1: the file ends inside the record", 0},
      {good + whole.substr(0, 5), false, 1, "record 1: the file ends inside the record", 0},
      {good + whole.substr(0, whole.size() - 1), false, 1, "record 1: the file ends inside the record", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    UserMessageRecorder messages;
    InternalErrorRecorder errors;
    EXPECT_EQ(load(c.bytes), c.loaded);
    EXPECT_EQ(ngcCount(), c.count);
    ASSERT_EQ(messages.count(), c.message.empty() ? 0u : 1u);
    EXPECT_NE(messages.text().find(c.message), std::string::npos) << messages.text();
    EXPECT_EQ(errors.modules(), std::vector<std::string>(c.internalErrors, "astngc"));
    for (int i = 0; i < ngcCount(); ++i) EXPECT_EQ(ngcAt(i)->getIndex(), i);
  }
}

TEST_F(NgcCatalogue, AConstellationOutside0To87LeavesTheObjectWithoutOneAndItsValueInvalid) {
  UserMessageRecorder messages;
  ASSERT_TRUE(load(ngcRecord(with([](NgcRecordFields& f) { f.constellation = 88; })) + ngcRecord(andromedaGalaxy())));
  ASSERT_EQ(ngcCount(), 2);
  EXPECT_EQ(ngcAt(0)->constellationIndex(), -1);
  EXPECT_EQ(ngcAt(0)->constellation(), nullptr);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("constellation number 88"), std::string::npos) << messages.text();
  BodyState out;
  ngcAt(0)->compute(quantity_bit::ngcConstellation, Observer{}, out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_FALSE(ngcAt(0)->findQuantity(quantity_bit::ngcConstellation)->isValid(out.ngcConstellation));
}

TEST_F(NgcCatalogue, RandomBytesNeverGiveAnObjectOutsideTheRules) {
  std::mt19937 random(2001);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 600);
  for (int round = 0; round < 200; ++round) {
    // Start from good records, then damage some bytes.
    std::string bytes = ngcRecord(NgcRecordFields{}) + ngcRecord(andromedaGalaxy()) + ngcRecord(NgcRecordFields{});
    bytes.resize(static_cast<std::size_t>(length(random)) % (bytes.size() + 1));
    for (int damage = 0; damage < 3 && !bytes.empty(); ++damage) {
      bytes[static_cast<std::size_t>(byte(random)) % bytes.size()] = static_cast<char>(byte(random));
    }
    UserMessageRecorder messages;
    InternalErrorRecorder errors;  // type class 17
    load(bytes);
    for (int i = 0; i < ngcCount(); ++i) {
      const NgcObject* object = ngcAt(i);
      ASSERT_LE(std::string(object->getName()).size(), 20u);
      ASSERT_LE(object->description().size(), 50u);
      ASSERT_GE(object->typeClass(), 0);
      ASSERT_LT(object->typeClass(), 17);
      ASSERT_TRUE(object->constellationIndex() == -1 || object->constellation() != nullptr);
      ASSERT_TRUE(object->position().a() >= 0.0 && object->position().a() <= 360.0 &&
                  std::fabs(object->position().b()) <= 90.0);
    }
  }
}

// --- finding and enumerating --------------------------------------------------------------

}  // namespace
}  // namespace noctavo
