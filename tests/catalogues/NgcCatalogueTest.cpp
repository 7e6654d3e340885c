#include <gtest/gtest.h>

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
using testing::orion;
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

class NgcCatalogue : public CatalogueTest {
 protected:
  bool load(const std::string& bytes) {
    folder_.write("ngc", bytes);
    return loadNgcCatalogue(folder_.path());
  }
};

// --- reading the file ---------------------------------------------------------

TEST_F(NgcCatalogue, RecordsAreReadInFileOrderWithAllTheirFields) {
  ASSERT_TRUE(load(ngcRecord(andromedaGalaxy()) + ngcRecord(NgcRecordFields{})));
  ASSERT_EQ(ngcCount(), 2);
  const NgcObject* galaxy = ngcAt(0);
  EXPECT_STREQ(galaxy->getName(), "NGC 224");
  EXPECT_EQ(galaxy->getIndex(), 0);
  EXPECT_EQ(galaxy->getObjectType(), ObjectType::NgcObject);
  EXPECT_EQ(galaxy->typeClass(), 0);
  EXPECT_STREQ(galaxy->typeText(), "Galaxy");
  EXPECT_EQ(galaxy->position(), AstCoord(static_cast<double>(10.6847f), static_cast<double>(41.2690f),
                                         CoordSystem::Equatorial));
  EXPECT_EQ(galaxy->constellationIndex(), andromeda);
  EXPECT_EQ(galaxy->constellation(), constellationAt(andromeda));
  EXPECT_FLOAT_EQ(galaxy->size(), 178.0f);
  EXPECT_FLOAT_EQ(galaxy->magnitude(), 3.4f);
  EXPECT_EQ(galaxy->description(), "Andromeda Galaxy, M 31");
  EXPECT_EQ(ngcAt(1)->getIndex(), 1);
  EXPECT_STREQ(ngcAt(1)->typeText(), "Bright emission or reflection nebula");
}

TEST_F(NgcCatalogue, AFileOfZeroBytesLoadsNoObjectsAndReportsTrue) {
  UserMessageRecorder messages;
  EXPECT_TRUE(load(""));
  EXPECT_EQ(ngcCount(), 0);
  EXPECT_EQ(messages.count(), 0u);
}

TEST_F(NgcCatalogue, AMissingFileReportsFalseWithoutAMessage) {
  UserMessageRecorder messages;
  EXPECT_FALSE(loadNgcCatalogue(folder_.path()));
  EXPECT_EQ(messages.count(), 0u);
}

TEST_F(NgcCatalogue, EmptyNameAndDescriptionAreAllowed) {
  NgcRecordFields fields;
  fields.name = "";
  fields.description = "";
  ASSERT_TRUE(load(ngcRecord(fields)));
  EXPECT_STREQ(ngcAt(0)->getName(), "");
  EXPECT_EQ(ngcAt(0)->description(), "");
}

TEST_F(NgcCatalogue, NamesOfTwentyAndDescriptionsOfFiftyCharactersAreKeptWhole) {
  NgcRecordFields fields;
  fields.name = std::string(20, 'N');
  fields.description = std::string(50, 'd');
  ASSERT_TRUE(load(ngcRecord(fields)));
  EXPECT_EQ(std::string(ngcAt(0)->getName()), std::string(20, 'N'));
  EXPECT_EQ(ngcAt(0)->description(), std::string(50, 'd'));
}

TEST_F(NgcCatalogue, TheTypeTableKeepsItsDoubleBlanks) {
  EXPECT_STREQ(ngcTypeText(7), "Knot  or  nebulous  region  in  an  external galaxy");
  EXPECT_STREQ(ngcTypeText(16), "Star (?)");
  EXPECT_STREQ(ngcTypeText(17), "");
  EXPECT_STREQ(ngcTypeText(-1), "");
}

// --- damaged records ------------------------------------------------------------------

TEST_F(NgcCatalogue, ANameLengthAbove20StopsTheReadingWithAMessage) {
  NgcRecordFields fields;
  fields.name = std::string(21, 'N');
  UserMessageRecorder messages;
  EXPECT_FALSE(load(ngcRecord(andromedaGalaxy()) + ngcRecord(fields) + ngcRecord(andromedaGalaxy())));
  EXPECT_EQ(ngcCount(), 1);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_EQ(messages.text(),
            "Error in NGC file, record 1: the name length 21 is not 0..20; the rest of the file is not read");
}

TEST_F(NgcCatalogue, ANegativeNameLengthIsDamageToo) {
  NgcRecordFields fields;
  fields.nameLength = -3;
  UserMessageRecorder messages;
  EXPECT_FALSE(load(ngcRecord(fields)));
  EXPECT_EQ(ngcCount(), 0);
  EXPECT_EQ(messages.count(), 1u);
}

TEST_F(NgcCatalogue, ADescriptionLengthAbove50StopsTheReadingWithAMessage) {
  NgcRecordFields fields;
  fields.description = std::string(51, 'd');
  UserMessageRecorder messages;
  EXPECT_FALSE(load(ngcRecord(fields)));
  EXPECT_EQ(ngcCount(), 0);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("description length 51"), std::string::npos) << messages.text();
}

TEST_F(NgcCatalogue, TypeClass17IsAnInternalError) {
  NgcRecordFields fields;
  fields.typeClass = 17;
  InternalErrorRecorder errors;
  EXPECT_FALSE(load(ngcRecord(andromedaGalaxy()) + ngcRecord(fields)));
  ASSERT_EQ(errors.count(), 1u);
  EXPECT_EQ(errors.modules()[0], "astngc");
  EXPECT_EQ(ngcCount(), 1);
}

TEST_F(NgcCatalogue, ATypeClassAbove17OrBelow0IsReportedAndStopsTheReading) {
  for (int typeClass : {18, 127, -1}) {
    NgcRecordFields fields;
    fields.typeClass = typeClass;
    UserMessageRecorder messages;
    EXPECT_FALSE(load(ngcRecord(fields))) << typeClass;
    EXPECT_EQ(ngcCount(), 0) << typeClass;
    ASSERT_EQ(messages.count(), 1u) << typeClass;
    EXPECT_NE(messages.text().find("type class " + std::to_string(typeClass)), std::string::npos)
        << messages.text();
  }
}

TEST_F(NgcCatalogue, ARecordCutShortByTheEndOfTheFileIsReported) {
  const std::string whole = ngcRecord(NgcRecordFields{});
  for (std::size_t length : {std::size_t{1}, std::size_t{5}, whole.size() - 1}) {
    UserMessageRecorder messages;
    EXPECT_FALSE(load(ngcRecord(andromedaGalaxy()) + whole.substr(0, length))) << length;
    EXPECT_EQ(ngcCount(), 1) << length;
    ASSERT_EQ(messages.count(), 1u) << length;
    EXPECT_NE(messages.text().find("record 1: the file ends inside the record"), std::string::npos)
        << messages.text();
  }
}

TEST_F(NgcCatalogue, AConstellationByteOutside0To87LeavesTheObjectWithoutConstellation) {
  NgcRecordFields fields;
  fields.constellation = 88;
  UserMessageRecorder messages;
  ASSERT_TRUE(load(ngcRecord(fields) + ngcRecord(andromedaGalaxy())));
  ASSERT_EQ(ngcCount(), 2);
  EXPECT_EQ(ngcAt(0)->constellationIndex(), -1);
  EXPECT_EQ(ngcAt(0)->constellation(), nullptr);
  ASSERT_EQ(messages.count(), 1u);
  EXPECT_NE(messages.text().find("constellation number 88"), std::string::npos) << messages.text();
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
    }
  }
}

// --- finding and enumerating --------------------------------------------------------------

TEST_F(NgcCatalogue, FindByNameIsCaseSensitiveAndGivesNoObjectRatherThanFailing) {
  ASSERT_TRUE(load(ngcRecord(andromedaGalaxy()) + ngcRecord(NgcRecordFields{})));
  EXPECT_EQ(findNgcByName("NGC 1976"), ngcAt(1));
  EXPECT_EQ(findNgcByName("ngc 1976"), nullptr);
  EXPECT_EQ(findNgcByName("NGC 9999"), nullptr);
}

TEST_F(NgcCatalogue, NextNgcWalksAllObjectsThenEndsWithMinusOne) {
  ASSERT_TRUE(load(ngcRecord(andromedaGalaxy()) + ngcRecord(NgcRecordFields{})));
  int cursor = 0;
  EXPECT_EQ(nextNgc(cursor), ngcAt(0));
  EXPECT_EQ(nextNgc(cursor), ngcAt(1));
  EXPECT_EQ(nextNgc(cursor), nullptr);
  EXPECT_EQ(cursor, -1);
  EXPECT_EQ(ngcAt(2), nullptr);
}

TEST_F(NgcCatalogue, TheRegistryAnswersForNgcObjectsWhileTheyAreLoaded) {
  ASSERT_TRUE(load(ngcRecord(andromedaGalaxy())));
  EXPECT_EQ(bodyByName(ObjectType::NgcObject, "NGC 224"), ngcAt(0));
  EXPECT_EQ(bodyByIndex(ObjectType::NgcObject, 0), ngcAt(0));
  releaseNgcCatalogue();
  EXPECT_EQ(bodyByName(ObjectType::NgcObject, "NGC 224"), nullptr);
}

// --- the object as a body ------------------------------------------------------------------

TEST_F(NgcCatalogue, ObjectsPublishTheirSevenQuantitiesInOrder) {
  ASSERT_TRUE(load(ngcRecord(andromedaGalaxy())));
  const NgcObject* object = ngcAt(0);
  const char* expected[] = {"Magnitude", "Constellation", "Direction", "Rise", "Set", "Longitude", "Latitude"};
  int i = 0;
  for (const Quantity* q = object->firstQuantity(); q != nullptr; q = object->nextQuantity()) {
    ASSERT_LT(i, 7);
    EXPECT_STREQ(q->name(), expected[i++]);
  }
  EXPECT_EQ(i, 7);
  EXPECT_EQ(object->findQuantity("Magnitude")->minOf(), -20);
  EXPECT_EQ(object->findQuantity(quantity_bit::ngcConstellation)->maxOf(), 88);
}

TEST_F(NgcCatalogue, ComputeGivesMagnitudeConstellationAndThePosition) {
  ASSERT_TRUE(load(ngcRecord(andromedaGalaxy())));
  BodyState out;
  ngcAt(0)->compute(quantity_bit::magnitude | quantity_bit::ngcConstellation | quantity_bit::position, Observer{},
                    out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_FLOAT_EQ(out.magnitude, 3.4f);
  EXPECT_EQ(out.valueOf(quantity_bit::ngcConstellation), andromeda);
  EXPECT_EQ(out.position, ngcAt(0)->position());
  EXPECT_EQ(ngcAt(0)->findQuantity(quantity_bit::ngcConstellation)->format(out.ngcConstellation), "Andromeda");
}

TEST_F(NgcCatalogue, AnObjectWithoutConstellationGivesAValueNoQuantityShowsAsAConstellation) {
  NgcRecordFields fields;
  fields.constellation = 200;
  UserMessageRecorder messages;
  ASSERT_TRUE(load(ngcRecord(fields)));
  BodyState out;
  ngcAt(0)->compute(quantity_bit::ngcConstellation, Observer{}, out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_FALSE(ngcAt(0)->findQuantity(quantity_bit::ngcConstellation)->isValid(out.ngcConstellation));
}

TEST_F(NgcCatalogue, RiseAndSetAreLeftInvalidForAnObjectThatNeverSets) {
  NgcRecordFields fields;
  fields.declination = 80.0f;
  ASSERT_TRUE(load(ngcRecord(fields)));
  Observer observer;
  observer.location.latitude = AstLatitude(20.0);
  BodyState out;
  ngcAt(0)->compute(quantity_bit::rise | quantity_bit::set, observer, out, TimeKind::Lct, CoordSystem::Equatorial);
  EXPECT_FALSE(out.rise.isValid());
  EXPECT_FALSE(out.set.isValid());
}

}  // namespace
}  // namespace noctavo
