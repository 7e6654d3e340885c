#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

// A catalogue body that computes nothing; the registry only hands it out.
class CatalogueTestBody final : public AstBody {
 public:
  CatalogueTestBody(const char* name, int index) : AstBody(name, index, ObjectType::Star, noSymbol) {}
  void compute(std::uint32_t, const Observer&, BodyState&, TimeKind, CoordSystem) const override {}
  std::span<const Quantity* const> quantities() const override { return {}; }
};

// Two stars, and a record of what the registry asked.
class FakeCatalogue final : public BodyCatalogue {
 public:
  const AstBody* byName(const std::string& name) const override {
    askedNames.push_back(name);
    for (const CatalogueTestBody* body : {&sirius_, &vega_}) {
      if (name == body->getName()) return body;
    }
    return nullptr;
  }
  const AstBody* byIndex(int index) const override {
    askedIndices.push_back(index);
    if (index == 0) return &sirius_;
    if (index == 1) return &vega_;
    return nullptr;
  }
  const AstBody* next(int& cursor) const override {
    const AstBody* body = cursor == 0 ? &sirius_ : cursor == 1 ? &vega_ : nullptr;
    cursor = cursor == 0 ? 1 : -1;
    return body;
  }

  mutable std::vector<std::string> askedNames;
  mutable std::vector<int> askedIndices;

 private:
  CatalogueTestBody sirius_{"Sirius", 0};
  CatalogueTestBody vega_{"Vega", 1};
};

// Whatever a test registers is withdrawn again, so no catalogue outlives it.
class RegisteredCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { registerBodyCatalogue(ObjectType::Star, &catalogue_); }
  void TearDown() override { registerBodyCatalogue(ObjectType::Star, nullptr); }
  FakeCatalogue catalogue_;
};

std::vector<std::string> namesOfAll(ObjectType type) {
  std::vector<std::string> names;
  int cursor = 0;
  while (const AstBody* body = nextBody(type, cursor)) names.push_back(body->getName());
  EXPECT_EQ(cursor, -1);
  return names;
}

// --- Single bodies -------------------------------------------------------

TEST(NextBody, GivesTheSunOnceThenNullWithTheCursorAtMinusOne) {
  int cursor = 0;
  EXPECT_EQ(nextBody(ObjectType::Sun, cursor), &theSun());
  EXPECT_EQ(cursor, 1);
  EXPECT_EQ(nextBody(ObjectType::Sun, cursor), nullptr);
  EXPECT_EQ(cursor, -1);
  EXPECT_EQ(nextBody(ObjectType::Sun, cursor), nullptr);
  EXPECT_EQ(cursor, -1);
}

TEST(NextBody, TheMoonAndTheEarthAreSingleBodiesToo) {
  EXPECT_EQ(namesOfAll(ObjectType::Moon), std::vector<std::string>{"Moon"});
  EXPECT_EQ(namesOfAll(ObjectType::Earth), std::vector<std::string>{"Earth"});
}

TEST(BodyLookup, SingleBodiesAreFoundWhateverTheNameOrIndex) {
  EXPECT_EQ(bodyByName(ObjectType::Sun, "Sun"), &theSun());
  EXPECT_EQ(bodyByName(ObjectType::Moon, ""), &theMoon());
  EXPECT_EQ(bodyByIndex(ObjectType::Earth, 0), &theEarth());
  EXPECT_EQ(theSun().getObjectType(), ObjectType::Sun);
}

// --- Planets -------------------------------------------------------------

TEST(BodyLookup, FindsAPlanetByANameInCapitals) {
  const AstBody* mars = bodyByName(ObjectType::Planet, "MARS");
  ASSERT_NE(mars, nullptr);
  EXPECT_STREQ(mars->getName(), "Mars");
  EXPECT_EQ(mars->getObjectType(), ObjectType::Planet);
  EXPECT_EQ(bodyByIndex(ObjectType::Planet, 2), mars);
  EXPECT_TRUE(sameBody(bodyByName(ObjectType::Planet, "mars"), mars));
}

TEST(BodyLookup, AnUnknownPlanetGivesNullWithAReport) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(bodyByName(ObjectType::Planet, "Vulcan"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Planet, 8), nullptr);
  EXPECT_EQ(recorder.count(), 2u);
}

TEST(NextBody, WalksTheEightPlanetsInOrder) {
  EXPECT_EQ(namesOfAll(ObjectType::Planet),
            (std::vector<std::string>{"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"}));
}

// --- Catalogue types -----------------------------------------------------

TEST(CatalogueLookup, FindsNothingAndReportsNothingWhileNoCatalogueIsLoaded) {
  for (ObjectType type : {ObjectType::Star, ObjectType::Constellation, ObjectType::NgcObject}) {
    EXPECT_EQ(bodyByName(type, "Sirius"), nullptr);
    EXPECT_EQ(bodyByIndex(type, 0), nullptr);
    int cursor = 0;
    EXPECT_EQ(nextBody(type, cursor), nullptr);
    EXPECT_EQ(cursor, -1);
  }
}

TEST_F(RegisteredCatalogueTest, AsksTheRegisteredCatalogueByNameAndIndex) {
  const AstBody* vega = bodyByName(ObjectType::Star, "Vega");
  ASSERT_NE(vega, nullptr);
  EXPECT_STREQ(vega->getName(), "Vega");
  EXPECT_EQ(bodyByIndex(ObjectType::Star, 0)->getName(), std::string("Sirius"));
  EXPECT_EQ(catalogue_.askedNames, std::vector<std::string>{"Vega"});
  EXPECT_EQ(catalogue_.askedIndices, std::vector<int>{0});
}

TEST_F(RegisteredCatalogueTest, EnumeratesTheCatalogue) {
  EXPECT_EQ(namesOfAll(ObjectType::Star), (std::vector<std::string>{"Sirius", "Vega"}));
}

TEST_F(RegisteredCatalogueTest, OtherCatalogueTypesStayEmpty) {
  EXPECT_EQ(bodyByName(ObjectType::NgcObject, "Vega"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Constellation, 0), nullptr);
  EXPECT_TRUE(catalogue_.askedNames.empty());
}

TEST_F(RegisteredCatalogueTest, AWithdrawnCatalogueIsNoLongerAsked) {
  registerBodyCatalogue(ObjectType::Star, nullptr);
  EXPECT_EQ(bodyByName(ObjectType::Star, "Vega"), nullptr);
  EXPECT_TRUE(catalogue_.askedNames.empty());
}

// --- Broken invariants ---------------------------------------------------

TEST(BodyLookup, TheUnknownTypeIsAnInternalError) {
  InternalErrorRecorder recorder;
  int cursor = 0;
  EXPECT_EQ(bodyByName(ObjectType::Unknown, "Sun"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Unknown, 0), nullptr);
  EXPECT_EQ(nextBody(ObjectType::Unknown, cursor), nullptr);
  ASSERT_EQ(recorder.count(), 3u);
  EXPECT_EQ(recorder.modules()[0], "astobjt");
}

TEST(RegisterBodyCatalogue, OnlyCatalogueTypesTakeOne) {
  FakeCatalogue catalogue;
  InternalErrorRecorder recorder;
  registerBodyCatalogue(ObjectType::Sun, &catalogue);
  registerBodyCatalogue(ObjectType::Planet, &catalogue);
  EXPECT_EQ(recorder.count(), 2u);
  EXPECT_EQ(bodyByName(ObjectType::Sun, "Vega"), &theSun());
  EXPECT_TRUE(catalogue.askedNames.empty());
}

}  // namespace
}  // namespace noctavo
