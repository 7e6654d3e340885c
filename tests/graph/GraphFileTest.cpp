// The graph file image: its byte layout, the round trip, and the damaged
// files it refuses without touching the document.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <vector>

#include "bodies/QuantityBits.h"
#include "graph/DefaultGraph.h"
#include "graph/GraphFile.h"
#include "support/ShippedData.h"

namespace noctavo {
namespace {

using Image = std::vector<unsigned char>;

// Little-endian stores at the offsets of the file's table, independent of
// the program's own writer.
void put(Image& image, std::size_t offset, std::uint64_t value, int size) {
  for (int k = 0; k < size; ++k) image[offset + k] = static_cast<unsigned char>(value >> (8 * k));
}
void put32(Image& image, std::size_t offset, std::int32_t value) { put(image, offset, static_cast<std::uint32_t>(value), 4); }
void putDouble(Image& image, std::size_t offset, double value) { put(image, offset, std::bit_cast<std::uint64_t>(value), 8); }
void putText(Image& image, std::size_t offset, const char* text) { std::memcpy(&image[offset], text, std::strlen(text)); }
void putMoment(Image& image, std::size_t offset, int day, int month, int year, double hours, int kind) {
  put32(image, offset, day);
  put32(image, offset + 4, month);
  put32(image, offset + 8, year);
  putDouble(image, offset + 16, hours);
  put32(image, offset + 24, kind);
}

constexpr std::size_t venusSlot = 3;
constexpr std::size_t venusRecord = 536 + 2976 * venusSlot;

// A calculated graph of one line, Venus's magnitude in slot 3, the other
// slots free.
Image handWrittenImage() {
  Image image(60056, 0);
  putText(image, 0, "Noctavo 1.00 graph file\n\x1a");
  putText(image, 30, "Fixture");
  putMoment(image, 64, 1, 1, 2001, 0.0, 2);
  putMoment(image, 96, 1, 1, 2002, 0.0, 2);
  image[320] = 1;    // lineCount
  image[321] = 1;    // x axis horizontal
  image[322] = 1;    // drawn from right to left
  image[324] = 240;  // header marker
  putDouble(image, 328, 1.0);
  put32(image, 336, 2);  // Days
  putMoment(image, 344, 1, 1, 1980, 0.0, 2);
  putDouble(image, 376, 51.5);
  putDouble(image, 384, 0.17);
  put(image, 392, std::bit_cast<std::uint32_t>(1.0f), 4);
  putText(image, 396, "UK");
  putText(image, 419, "London");
  image[448] = 1;  // daylight saving
  image[456] = 1;  // calculated
  put32(image, 460, 1);
  put32(image, 464, 3);  // Months
  put32(image, 468, 1);
  put32(image, 472, 3);
  put32(image, 480, 2);  // Lct
  for (std::size_t slot = 0; slot < 20; ++slot) image[536 + 2976 * slot + 33] = 1;  // free
  putText(image, venusRecord, "Venus mag");
  put32(image, venusRecord + 16, 2);   // Planet
  put(image, venusRecord + 20, 1, 2);  // Venus
  put(image, venusRecord + 24, quantity_bit::magnitude, 4);
  put32(image, venusRecord + 28, 6);
  image[venusRecord + 33] = 0;
  image[venusRecord + 34] = 1;
  for (int i = 0; i < 366; ++i) putDouble(image, venusRecord + 40 + 8 * i, -4.0 + i / 1000.0);
  put32(image, venusRecord + 2968, 4);
  put32(image, venusRecord + 2972, 4);
  return image;
}

TEST(GraphFile, ReadsAndWritesTheLayoutOfTheFileTable) {
  const Image image = handWrittenImage();
  auto document = std::make_unique<GraphDocument>();
  ASSERT_TRUE(decodeGraph(image, *document));
  const GraphHeader& h = document->header;
  EXPECT_STREQ(h.name, "Fixture");
  EXPECT_EQ(h.end, AstDateTime(1, 1, 2002, 0.0, TimeKind::Lct));
  EXPECT_TRUE(h.xAxisRightToLeft);
  EXPECT_EQ(h.markUnit, StepUnit::Months);
  EXPECT_EQ(h.observer.longitude(), 0.17);
  EXPECT_EQ(h.observer.timeZone(), 1.0f);
  EXPECT_STREQ(h.observer.location.town, "London");
  EXPECT_TRUE(h.observer.daylightSaving);
  const GraphLine& venus = document->lines[venusSlot];
  EXPECT_FALSE(venus.free);
  EXPECT_EQ(venus.objectIndex, 1);
  EXPECT_EQ(venus.colour, 6);
  EXPECT_EQ(venus.values[365], -4.0 + 0.365);
  EXPECT_TRUE(document->lines[4].free);
  // Padding and free slots are zero on both sides: every byte comes back.
  EXPECT_EQ(encodeGraph(*document), image);
}

TEST(GraphFile, SavedAndReadAgainGivesBackEveryByteWithNoneOrTwentyLines) {
  for (bool full : {false, true}) {
    SCOPED_TRACE(full ? "20 lines" : "no line");
    auto document = std::make_unique<GraphDocument>();
    makeDefaultGraph(*document);
    document->header.reserved[7] = 0x5a;  // carried along, never interpreted
    if (full) {
      for (std::size_t slot = 12; slot < 20; ++slot) document->lines[slot] = document->lines[slot - 12];
      document->header.lineCount = 20;
    } else {
      resetDocument(*document);  // the slots keep their stale values
    }
    document->header.modified = true;
    const Image image = encodeGraph(*document);
    EXPECT_EQ(image.size(), 60056u);
    EXPECT_EQ(image[476], 0);  // a file holds no unsaved changes
    auto again = std::make_unique<GraphDocument>();
    ASSERT_TRUE(decodeGraph(image, *again));
    EXPECT_FALSE(again->header.modified);
    EXPECT_EQ(encodeGraph(*again), image);
  }
}

TEST(GraphFile, RefusesADamagedFileAndKeepsTheDocument) {
  struct Case {
    const char* what;
    std::function<void(Image&)> damage;
  };
  const auto venus = [](std::size_t field) { return venusRecord + field; };
  const Case cases[] = {
      {"one byte short", [](Image& i) { i.pop_back(); }},
      {"one byte long", [](Image& i) { i.push_back(0); }},
      {"21 lines", [](Image& i) { i[320] = 21; }},
      {"count differs from the used slots", [](Image& i) { i[320] = 2; }},
      {"object type 7", [&](Image& i) { put32(i, venus(16), 7); }},
      {"planet 8", [&](Image& i) { put(i, venus(20), 8, 2); }},
      {"star beyond the catalogue", [&](Image& i) {
         put32(i, venus(16), 4);
         put(i, venus(20), 65535, 2);
       }},
      {"a flag Venus does not publish", [&](Image& i) { put(i, venus(24), quantity_bit::twilightBegin, 4); }},
      {"angle without a system", [&](Image& i) { put(i, venus(24), quantity_bit::longitude, 4); }},
      {"colour 16", [&](Image& i) { put32(i, venus(28), 16); }},
      {"step unit 5", [](Image& i) { put32(i, 336, 5); }},
      {"mark unit -1", [](Image& i) { put32(i, 464, -1); }},
      {"label unit 5", [](Image& i) { put32(i, 472, 5); }},
      {"mark count 0", [](Image& i) { put32(i, 460, 0); }},
      {"label count 101", [](Image& i) { put32(i, 468, 101); }},
      {"time kind 4", [](Image& i) { put32(i, 480, 4); }},
      {"step not finite", [](Image& i) { putDouble(i, 328, std::nan("")); }},
      {"begin in month 13", [](Image& i) { putMoment(i, 64, 1, 13, 2001, 0.0, 2); }},
      {"end at 24 hours", [](Image& i) { putMoment(i, 96, 1, 1, 2002, 24.0, 2); }},
      {"longitude 180", [](Image& i) { putDouble(i, 384, 180.0); }},
      {"latitude not a number", [](Image& i) { putDouble(i, 376, std::nan("")); }},
  };
  auto kept = std::make_unique<GraphDocument>();
  makeDefaultGraph(*kept);
  const Image before = encodeGraph(*kept);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image image = handWrittenImage();
    c.damage(image);
    EXPECT_FALSE(decodeGraph(image, *kept));
    EXPECT_EQ(encodeGraph(*kept), before);
  }
  // The Calculate Graph dialog offers the sidereal systems too: a graph it
  // calculated in them opens again.
  Image sidereal = handWrittenImage();
  put32(sidereal, 480, 1);
  EXPECT_TRUE(decodeGraph(sidereal, *kept));
}

// The file beside the program is what the program calculates today; the
// values may differ in their last bits where another maths library rounds
// differently.
TEST(GraphFile, TheShippedDefaultGraphIsTheProgramsOwnCalculation) {
  const auto path = std::filesystem::path(testing::shippedDataFolder()) / graphFolderName / defaultGraphFileName;
  std::ifstream in(path, std::ios::binary);
  const Image shipped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto made = std::make_unique<GraphDocument>();
  makeDefaultGraph(*made);
  auto read = std::make_unique<GraphDocument>();
  ASSERT_TRUE(decodeGraph(shipped, *read)) << path;
  EXPECT_EQ(read->header.lineCount, 12);
  for (std::size_t slot = 0; slot < 20; ++slot) {
    for (std::size_t i = 0; i < 366; ++i) {
      double& value = read->lines[slot].values[i];
      EXPECT_NEAR(value, made->lines[slot].values[i], 1e-9 * std::max(1.0, std::fabs(value)));
      value = made->lines[slot].values[i];
    }
  }
  EXPECT_EQ(encodeGraph(*read), encodeGraph(*made)) << "regenerate it with noctavo_make_default_graph";
}

}  // namespace
}  // namespace noctavo
