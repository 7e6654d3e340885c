#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <string>

#include "catalogues/GreekLetter.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

QString textOfByte(unsigned char byte) { return symbolText(std::string(1, static_cast<char>(byte))); }

TEST(SymbolText, KeepsAsciiAsItIs) {
  EXPECT_EQ(symbolText("Alp Ori 12:30"), QStringLiteral("Alp Ori 12:30"));
}

TEST(SymbolText, TurnsTheLetterCodesIntoGreekLetters) {
  EXPECT_EQ(textOfByte(0x7F), QStringLiteral("α"));
  EXPECT_EQ(textOfByte(0x90), QStringLiteral("σ"));  // letter 17, not the final sigma
  EXPECT_EQ(textOfByte(0x96), QStringLiteral("ω"));
  EXPECT_EQ(textOfByte(0x97), QStringLiteral("Α"));
  EXPECT_EQ(textOfByte(0xA6), QStringLiteral("Π"));
  EXPECT_EQ(textOfByte(0xA8), QStringLiteral("Ρ"));
  EXPECT_EQ(textOfByte(0xAF), QStringLiteral("Ω"));
}

TEST(SymbolText, AgreesWithTheLettersSymbolCodes) {
  for (int i = 0; i < 24; ++i) {
    const QString small = textOfByte(GreekLetter(i).symbol());
    const QString capital = textOfByte(GreekLetter(i + 24).symbol());
    ASSERT_EQ(small.size(), 1);
    EXPECT_EQ(small.at(0).script(), QChar::Script_Greek) << i;
    EXPECT_TRUE(small.at(0).isLower()) << i;
    EXPECT_EQ(capital, small.toUpper()) << i;
  }
}

TEST(SymbolText, TurnsTheDegreeAndBodyCodesIntoTheirSymbols) {
  EXPECT_EQ(symbolText("45\xB0"), QStringLiteral("45°"));
  EXPECT_EQ(textOfByte(177), QStringLiteral("☉"));
  EXPECT_EQ(textOfByte(178), QStringLiteral("☽"));
  EXPECT_EQ(textOfByte(179), QStringLiteral("☿"));
  EXPECT_EQ(textOfByte(181), QStringLiteral("♀"));
  EXPECT_EQ(textOfByte(182), QStringLiteral("♁"));
  EXPECT_EQ(textOfByte(183), QStringLiteral("♂"));
  EXPECT_EQ(textOfByte(184), QStringLiteral("♃"));
  EXPECT_EQ(textOfByte(185), QStringLiteral("♄"));
  EXPECT_EQ(textOfByte(186), QStringLiteral("♅"));
  EXPECT_EQ(textOfByte(187), QStringLiteral("♆"));
  EXPECT_EQ(textOfByte(188), QStringLiteral("♇"));
}

TEST(SymbolText, ReadsTheOtherBytesAsWindows1252) {
  EXPECT_EQ(textOfByte(0xA7), QStringLiteral("§"));  // the code the letters skip
  EXPECT_EQ(textOfByte(0xB4), QStringLiteral("´"));
  EXPECT_EQ(symbolText("Mont\xE9r\xE9gion"), QStringLiteral("Montérégion"));
}

TEST(SymbolBytes, EveryByteComesBackFromItsText) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  EXPECT_EQ(symbolBytes(symbolText(all)), all);
}

TEST(SymbolBytes, ACharacterWithoutAByteBecomesAQuestionMark) {
  EXPECT_EQ(symbolBytes(QStringLiteral("€")), "?");
  EXPECT_EQ(symbolBytes(QStringLiteral("©")), "?");  // 0xA9 is a Greek capital here
  EXPECT_EQ(symbolBytes(QStringLiteral("12°30'")), "12\xB0" "30'");
}

TEST(SymbolFontFace, IsDejaVuSansAtEightPointsAndHasEverySymbol) {
  const QFont& font = SymbolFont();
  EXPECT_EQ(font.pointSize(), 8);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
  const QFontMetrics metrics(font);
  for (int byte = 0x7F; byte <= 0xBC; ++byte) {
    const QString text = textOfByte(static_cast<unsigned char>(byte));
    EXPECT_TRUE(metrics.inFontUcs4(text.toUcs4().at(0))) << std::hex << byte;
  }
}

TEST(PixelAspect, IsOneOnTheTestScreensSquarePixels) {
  // The offscreen screen derives its size in millimetres from one dots per
  // inch for both directions.
  EXPECT_NEAR(PixelAspect(), 1.0, 1e-9);
}

TEST(TextOutRow, DrawsTheTextWithinItsRow) {
  ASSERT_GT(TextLineHeight(), 0);
  const int lineHeight = TextLineHeight();
  QImage canvas(200, 6 * lineHeight, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    painter.setPen(Qt::black);
    painter.setFont(QApplication::font());
    TextOutRow(painter, 10, 2, QStringLiteral("MMMM"));
  }
  int top = canvas.height();
  int bottom = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.pixel(x, y) != qRgb(255, 255, 255)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  EXPECT_GE(top, 2 * lineHeight);
  EXPECT_LT(bottom, 3 * lineHeight);
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
      for (int x = 0; x < canvas_.width(); ++x) count += canvas_.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    return count;
  }
  bool isBlack(int x, int y) const { return canvas_.pixel(x, y) == qRgb(0, 0, 0); }

  QImage canvas_{W + 1, H + 1, QImage::Format_RGB32};
};

TEST_F(ClippedLine, BothEndsLeftOfTheWindowDrawNothingAndKeepThePen) {
  QPoint current(-10, 20);
  EXPECT_FALSE(draw(current, -30, 60));
  EXPECT_EQ(blackPixels(), 0);
  EXPECT_EQ(current, QPoint(-10, 20));
}

TEST_F(ClippedLine, BothEndsBeyondTheSameEdgeDrawNothing) {
  EXPECT_FALSE(clippedLineEnd({120, 10}, {150, 70}, W, H));   // right
  EXPECT_FALSE(clippedLineEnd({10, -5}, {90, -50}, W, H));    // above
  EXPECT_FALSE(clippedLineEnd({10, 85}, {90, 500}, W, H));    // below
}

TEST_F(ClippedLine, AnEndInsideDrawsThePlainLineAndMovesThePen) {
  QPoint current(10, 10);
  EXPECT_TRUE(draw(current, 90, 10));
  EXPECT_EQ(current, QPoint(90, 10));
  EXPECT_TRUE(isBlack(10, 10));
  EXPECT_TRUE(isBlack(50, 10));
  EXPECT_TRUE(isBlack(90, 10));
  EXPECT_EQ(blackPixels(), 81);
}

TEST_F(ClippedLine, AnEndOutsideIsBroughtBackToWhereTheLineLeavesTheWindow) {
  // From (50, 50) towards (-10, -1000) the line leaves through the top edge
  // at x = 50 - 60 * 50 / 1050.
  EXPECT_EQ(clippedLineEnd({50, 50}, {-10, -1000}, W, H), QPoint(47, 0));
  // Towards the left edge: y = 40 + (0 - 50) * 20 / 100 = 30.
  EXPECT_EQ(clippedLineEnd({50, 40}, {-50, 20}, W, H), QPoint(0, 30));
}

TEST_F(ClippedLine, EndsBeyondTheRightAndBottomEdgesAreMirroredLikeTheOthers) {
  EXPECT_EQ(clippedLineEnd({50, 40}, {150, 60}, W, H), QPoint(100, 50));
  EXPECT_EQ(clippedLineEnd({50, 40}, {70, 120}, W, H), QPoint(60, 80));
}

TEST_F(ClippedLine, AnUprightLineLeavesStraightThroughTheEdge) {
  EXPECT_EQ(clippedLineEnd({30, 40}, {30, -500}, W, H), QPoint(30, 0));
  EXPECT_EQ(clippedLineEnd({30, 40}, {30, 500}, W, H), QPoint(30, 80));
  EXPECT_EQ(clippedLineEnd({30, 40}, {-500, 40}, W, H), QPoint(0, 40));
}

TEST_F(ClippedLine, TheDrawnPartStaysInsideAndThePenStopsAtTheEdge) {
  QPoint current(50, 40);
  EXPECT_TRUE(draw(current, 250, 40));
  EXPECT_EQ(current, QPoint(100, 40));
  EXPECT_TRUE(isBlack(100, 40));
  EXPECT_EQ(blackPixels(), 51);
}

}  // namespace
}  // namespace noctavo
