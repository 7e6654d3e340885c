#include "bodies/BodyRegistry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bodies/AstEarth.h"
#include "bodies/AstMoon.h"
#include "bodies/AstSun.h"
#include "support/InternalErrorRecorder.h"

namespace noctavo {
namespace {

using testing::InternalErrorRecorder;

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
    return name == "Sirius" ? &stars_[0] : name == "Vega" ? &stars_[1] : nullptr;
  }
  const AstBody* byIndex(int index) const override {
    askedIndices.push_back(index);
    return index == 0 ? &stars_[0] : index == 1 ? &stars_[1] : nullptr;
  }
  const AstBody* next(int& cursor) const override {
    const int index = cursor;
    cursor = cursor == 0 ? 1 : -1;
    return index >= 0 && index < 2 ? &stars_[index] : nullptr;
  }
  mutable std::vector<std::string> askedNames;
  mutable std::vector<int> askedIndices;

 private:
  CatalogueTestBody stars_[2] = {{"Sirius", 0}, {"Vega", 1}};
};

std::vector<std::string> namesOfAll(ObjectType type) {
  std::vector<std::string> names;
  int cursor = 0;
  while (const AstBody* body = nextBody(type, cursor)) names.push_back(body->getName());
  EXPECT_EQ(cursor, -1);
  return names;
}

TEST(NextBody, GivesTheSunOnceThenNullWithTheCursorAtMinusOne) {
  int cursor = 0;
  EXPECT_EQ(nextBody(ObjectType::Sun, cursor), &theSun());
  EXPECT_EQ(cursor, 1);
  EXPECT_EQ(nextBody(ObjectType::Sun, cursor), nullptr);
  EXPECT_EQ(cursor, -1);
  EXPECT_EQ(nextBody(ObjectType::Sun, cursor), nullptr);
  EXPECT_EQ(namesOfAll(ObjectType::Moon), std::vector<std::string>{"Moon"});
  EXPECT_EQ(namesOfAll(ObjectType::Earth), std::vector<std::string>{"Earth"});
  EXPECT_EQ(namesOfAll(ObjectType::Planet),
            (std::vector<std::string>{"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"}));
}

TEST(BodyLookup, SingleBodiesWhateverTheNameOrIndexAndPlanetsByNameInAnyCase) {
  EXPECT_EQ(bodyByName(ObjectType::Sun, "Sun"), &theSun());
  EXPECT_EQ(bodyByName(ObjectType::Moon, ""), &theMoon());
  EXPECT_EQ(bodyByIndex(ObjectType::Earth, 0), &theEarth());
  const AstBody* mars = bodyByName(ObjectType::Planet, "MARS");
  ASSERT_NE(mars, nullptr);
  EXPECT_STREQ(mars->getName(), "Mars");
  EXPECT_EQ(bodyByIndex(ObjectType::Planet, 2), mars);
}

TEST(BodyLookup, AnUnknownPlanetOrTheUnknownTypeIsAnInternalError) {
  InternalErrorRecorder recorder;
  EXPECT_EQ(bodyByName(ObjectType::Planet, "Vulcan"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Planet, 8), nullptr);
  EXPECT_EQ(recorder.count(), 2u);
  int cursor = 0;
  EXPECT_EQ(bodyByName(ObjectType::Unknown, "Sun"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Unknown, 0), nullptr);
  EXPECT_EQ(nextBody(ObjectType::Unknown, cursor), nullptr);
  ASSERT_EQ(recorder.count(), 5u);
  EXPECT_EQ(recorder.modules()[2], "astobjt");
}

TEST(CatalogueLookup, FindsNothingAndReportsNothingWhileNoCatalogueIsLoaded) {
  for (ObjectType type : {ObjectType::Star, ObjectType::Constellation, ObjectType::NgcObject}) {
    EXPECT_EQ(bodyByName(type, "Sirius"), nullptr);
    EXPECT_EQ(bodyByIndex(type, 0), nullptr);
    EXPECT_TRUE(namesOfAll(type).empty());
  }
}

TEST(CatalogueLookup, TheRegisteredCatalogueOfItsTypeAloneIsAskedUntilWithdrawn) {
  FakeCatalogue catalogue;
  {
    InternalErrorRecorder recorder;  // only catalogue types take one
    registerBodyCatalogue(ObjectType::Sun, &catalogue);
    registerBodyCatalogue(ObjectType::Planet, &catalogue);
    EXPECT_EQ(recorder.count(), 2u);
    EXPECT_EQ(bodyByName(ObjectType::Sun, "Vega"), &theSun());
  }
  registerBodyCatalogue(ObjectType::Star, &catalogue);
  // Withdrawn again however the test ends, so no catalogue outlives it.
  const std::unique_ptr<FakeCatalogue, void (*)(FakeCatalogue*)> withdraw(
      &catalogue, [](FakeCatalogue*) { registerBodyCatalogue(ObjectType::Star, nullptr); });
  EXPECT_EQ(bodyByName(ObjectType::NgcObject, "Vega"), nullptr);
  EXPECT_EQ(bodyByIndex(ObjectType::Constellation, 0), nullptr);
  EXPECT_TRUE(catalogue.askedNames.empty());
  const AstBody* vega = bodyByName(ObjectType::Star, "Vega");
  const AstBody* sirius = bodyByIndex(ObjectType::Star, 0);
  ASSERT_TRUE(vega != nullptr && sirius != nullptr);
  EXPECT_STREQ(vega->getName(), "Vega");
  EXPECT_STREQ(sirius->getName(), "Sirius");
  EXPECT_EQ(catalogue.askedNames, std::vector<std::string>{"Vega"});
  EXPECT_EQ(catalogue.askedIndices, std::vector<int>{0});
  EXPECT_EQ(namesOfAll(ObjectType::Star), (std::vector<std::string>{"Sirius", "Vega"}));
  registerBodyCatalogue(ObjectType::Star, nullptr);
  EXPECT_EQ(bodyByName(ObjectType::Star, "Vega"), nullptr);
  EXPECT_EQ(catalogue.askedNames.size(), 1u);
}

}  // namespace
}  // namespace noctavo
