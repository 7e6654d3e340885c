#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <optional>
#include <string>
#include <tuple>

#include "catalogues/GreekLetter.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

QString textOfByte(int byte) { return symbolText(std::string(1, static_cast<char>(byte))); }

TEST(SymbolText, TurnsLetterDegreeAndBodyCodesIntoTheirSymbolsAndTheRestIntoWindows1252) {
  const std::pair<int, const char*> cases[] = {
      {0x7F, "α"}, {0x90, "σ"},  // letter 17, not the final sigma
      {0x97, "Α"}, {0xA6, "Π"}, {0xA8, "Ρ"}, {0xAF, "Ω"}, {0xB0, "°"}, {177, "☉"}, {178, "☽"}, {179, "☿"},
      {181, "♀"},  {182, "♁"},  {183, "♂"},  {184, "♃"},  {185, "♄"},  {186, "♅"},  {187, "♆"}, {188, "♇"},
      {0xA7, "§"},  // the code the letters skip
      {0xB4, "´"},  {0xE9, "é"}, {'A', "A"},
  };
  for (const auto& [byte, text] : cases) EXPECT_EQ(textOfByte(byte), QString::fromUtf8(text)) << std::hex << byte;
  for (int i = 0; i < 24; ++i) {
    const QString small = textOfByte(GreekLetter(i).symbol());
    ASSERT_EQ(small.size(), 1);
    EXPECT_EQ(small.at(0).script(), QChar::Script_Greek) << i;
    EXPECT_TRUE(small.at(0).isLower()) << i;
    EXPECT_EQ(textOfByte(GreekLetter(i + 24).symbol()), small.toUpper()) << i;
  }
  // Every byte comes back from its text; other characters become question marks.
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  EXPECT_EQ(symbolBytes(symbolText(all)), all);
  EXPECT_EQ(symbolBytes(QStringLiteral("€©")), "??");  // 0xA9 is a Greek capital here
}

// Lines are drawn in a 100 x 80 window.
constexpr int W = 100;
constexpr int H = 80;

class ClippedLine : public ::testing::Test {
 protected:
  void SetUp() override { canvas_.fill(Qt::white); }
  bool draw(QPoint& current, int x, int y) {
    QPainter painter(&canvas_);
    painter.setPen(QPen(Qt::black, 0));
    return LineToClipped(painter, current, x, y, W, H);
  }
  int blackPixels() const {
    int count = 0;
    for (int y = 0; y < canvas_.height(); ++y)
      for (int x = 0; x < canvas_.width(); ++x) count += isBlack(x, y) ? 1 : 0;
    return count;
  }
  bool isBlack(int x, int y) const { return canvas_.pixel(x, y) == qRgb(0, 0, 0); }

  QImage canvas_{W + 1, H + 1, QImage::Format_RGB32};
};

// The end outside is the real crossing with the edge, whichever edge; both
// ends beyond the same edge draw nothing and keep the pen.
TEST_F(ClippedLine, AnEndOutsideIsBroughtBackToWhereTheLineLeavesTheWindow) {
  const std::tuple<QPoint, QPoint, std::optional<QPoint>> cases[] = {
      {{50, 50}, {-10, -1000}, QPoint(47, 0)},  // x = 50 - 60 * 50 / 1050
      {{50, 40}, {-50, 20}, QPoint(0, 30)},     // y = 40 + (0 - 50) * 20 / 100
      {{50, 40}, {150, 60}, QPoint(100, 50)},   {{50, 40}, {70, 120}, QPoint(60, 80)},
      {{30, 40}, {30, -500}, QPoint(30, 0)},    {{30, 40}, {-500, 40}, QPoint(0, 40)},
      {{120, 10}, {150, 70}, std::nullopt},     {{10, -5}, {90, -50}, std::nullopt},
      {{10, 85}, {90, 500}, std::nullopt}};
  for (const auto& [from, to, end] : cases) {
    EXPECT_EQ(clippedLineEnd(from, to, W, H), end) << to.x() << "," << to.y();
  }
  QPoint current(-10, 20);
  EXPECT_FALSE(draw(current, -30, 60));
  EXPECT_EQ(blackPixels(), 0);
  EXPECT_EQ(current, QPoint(-10, 20));
  current = QPoint(10, 10);  // an end inside: the plain line
  EXPECT_TRUE(draw(current, 90, 10));
  EXPECT_EQ(current, QPoint(90, 10));
  EXPECT_EQ(blackPixels(), 81);
  current = QPoint(50, 40);
  EXPECT_TRUE(draw(current, 250, 40));
  EXPECT_EQ(current, QPoint(100, 40));
  EXPECT_TRUE(isBlack(100, 40));
  EXPECT_EQ(blackPixels(), 81 + 51);
}

}  // namespace
}  // namespace noctavo
