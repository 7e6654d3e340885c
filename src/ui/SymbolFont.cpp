#include "ui/SymbolFont.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <array>
#include <cmath>

namespace noctavo {
namespace {

// The symbol font's Greek letters: the 24 small letters from 0x7F, then the
// capitals, with 0xA7 left out between pi and rho. Unicode puts the final
// sigma (U+03C2) and a hole (U+03A2) inside its runs, so the letters are
// listed rather than counted.
constexpr std::array<char16_t, 24> smallLetters = {
    u'α', u'β', u'γ', u'δ', u'ε', u'ζ', u'η', u'θ', u'ι', u'κ', u'λ', u'μ',
    u'ν', u'ξ', u'ο', u'π', u'ρ', u'σ', u'τ', u'υ', u'φ', u'χ', u'ψ', u'ω',
};
constexpr std::array<char16_t, 24> capitalLetters = {
    u'Α', u'Β', u'Γ', u'Δ', u'Ε', u'Ζ', u'Η', u'Θ', u'Ι', u'Κ', u'Λ', u'Μ',
    u'Ν', u'Ξ', u'Ο', u'Π', u'Ρ', u'Σ', u'Τ', u'Υ', u'Φ', u'Χ', u'Ψ', u'Ω',
};
constexpr unsigned char firstLetterByte = 0x7F;
constexpr unsigned char skippedByte = 0xA7;
constexpr unsigned char lastLetterByte = 0xAF;
constexpr unsigned char degreeByte = 0xB0;

// Sun 177 to Pluto 188; 180 is no body and stays the Windows-1252 acute
// accent.
struct BodySymbol {
  unsigned char byte;
  char16_t character;
};
constexpr std::array<BodySymbol, 11> bodySymbols = {{
    {177, u'☉'},  // Sun
    {178, u'☽'},  // Moon
    {179, u'☿'},  // Mercury
    {181, u'♀'},  // Venus
    {182, u'♁'},  // Earth
    {183, u'♂'},  // Mars
    {184, u'♃'},  // Jupiter
    {185, u'♄'},  // Saturn
    {186, u'♅'},  // Uranus
    {187, u'♆'},  // Neptune
    {188, u'♇'},  // Pluto
}};

// Letter index 0..47 of a byte in the letter range, or -1.
int letterIndexOfByte(unsigned char byte) {
  if (byte < firstLetterByte || byte > lastLetterByte || byte == skippedByte) return -1;
  return byte - firstLetterByte - (byte > skippedByte ? 1 : 0);
}

char16_t letterCharacter(int index) {
  return index < 24 ? smallLetters[static_cast<std::size_t>(index)]
                    : capitalLetters[static_cast<std::size_t>(index - 24)];
}

unsigned char letterByte(int index) {
  const int code = firstLetterByte + index + (index >= 40 ? 1 : 0);
  return static_cast<unsigned char>(code);
}

bool byteIsSymbol(unsigned char byte) {
  if (letterIndexOfByte(byte) >= 0 || byte == degreeByte) return true;
  for (const BodySymbol& symbol : bodySymbols) {
    if (symbol.byte == byte) return true;
  }
  return false;
}

char16_t characterOfByte(unsigned char byte) {
  const int letter = letterIndexOfByte(byte);
  if (letter >= 0) return letterCharacter(letter);
  for (const BodySymbol& symbol : bodySymbols) {
    if (symbol.byte == byte) return symbol.character;
  }
  // Everything else is Windows-1252. Its own characters (0x80..0x9F) all lie
  // under the Greek letters, so what is left (0xA7, 0xB0, 0xB4, 0xBD..0xFF and
  // ASCII) is the same code point in Unicode.
  return static_cast<char16_t>(byte);
}

char byteOfCharacter(char32_t character) {
  if (character < firstLetterByte) return static_cast<char>(character);
  for (int index = 0; index < 48; ++index) {
    if (letterCharacter(index) == character) return static_cast<char>(letterByte(index));
  }
  for (const BodySymbol& symbol : bodySymbols) {
    if (symbol.character == character) return static_cast<char>(symbol.byte);
  }
  // A Latin-1 character keeps its byte unless the symbol font uses that
  // byte for something else.
  if (character >= 0xA0 && character <= 0xFF && !byteIsSymbol(static_cast<unsigned char>(character))) {
    return static_cast<char>(character);
  }
  if (character == degreeByte) return static_cast<char>(degreeByte);
  return '?';
}

constexpr const char* symbolFontFamily = "DejaVu Sans";
constexpr int symbolFontPoints = 8;

struct DisplayValues {
  bool ready = false;
  QFont font;
  double pixelAspect = 1.0;
  int textLineHeight = 0;
};

DisplayValues& displayValues() {
  static DisplayValues values;
  return values;
}

double pixelAspectOfScreen(const QScreen* screen) {
  if (!screen) return 1.0;
  const QSizeF millimetres = screen->physicalSize();
  const QSize pixels = screen->size();
  if (millimetres.width() <= 0.0 || millimetres.height() <= 0.0 || pixels.width() <= 0 || pixels.height() <= 0) {
    return 1.0;  // the screen does not say how large it is: take square pixels
  }
  const double pixelHeight = millimetres.height() / pixels.height();
  const double pixelWidth = millimetres.width() / pixels.width();
  return pixelHeight / pixelWidth;
}

// Everything may be asked before the start-up sequence has run (tests, and
// dialogs built early), so the values are made on first use as well.
const DisplayValues& readyDisplayValues() {
  DisplayValues& values = displayValues();
  if (!values.ready) SymbolFontInit();
  return values;
}

}  // namespace

QString symbolText(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) text.append(QChar(characterOfByte(static_cast<unsigned char>(byte))));
  return text;
}

std::string symbolBytes(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (char32_t character : text.toUcs4()) bytes.push_back(byteOfCharacter(character));
  return bytes;
}

const QFont& SymbolFont() { return readyDisplayValues().font; }

double PixelAspect() { return readyDisplayValues().pixelAspect; }

int TextLineHeight() { return readyDisplayValues().textLineHeight; }

void SymbolFontInit() {
  DisplayValues& values = displayValues();
  values.pixelAspect = pixelAspectOfScreen(QGuiApplication::primaryScreen());
  QFont font(QString::fromLatin1(symbolFontFamily), symbolFontPoints, QFont::Normal, false);
  font.setStyleHint(QFont::SansSerif);
  values.font = font;
  // The line height of the frame's own (default) font: character height
  // plus the external leading.
  const QFontMetrics metrics(QApplication::font());
  values.textLineHeight = metrics.height() + metrics.leading();
  values.ready = true;
}

void SymbolFontDone() {
  // The face is one of the system's fonts: there is nothing to unregister.
  displayValues().ready = false;
}

void TextOutRow(QPainter& painter, int x, int row, const QString& text) {
  // QPainter places text on its base line; the row gives the top of the
  // character cell.
  const int top = row * TextLineHeight();
  painter.drawText(x, top + painter.fontMetrics().ascent(), text);
}

std::optional<QPoint> clippedLineEnd(QPoint from, QPoint to, int W, int H) {
  const int x0 = from.x();
  const int y0 = from.y();
  const int x = to.x();
  const int y = to.y();
  if ((x0 < 0 && x < 0) || (x0 > W && x > W) || (y0 < 0 && y < 0) || (y0 > H && y > H)) return std::nullopt;
  if (x >= 0 && x <= W && y >= 0 && y <= H) return to;

  // Mirror so that the line runs towards the origin: it then leaves the
  // window through the edge x' = 0 or the edge y' = 0.
  const bool mirrorX = x > x0;
  const bool mirrorY = y > y0;
  const double startX = mirrorX ? W - x0 : x0;
  const double startY = mirrorY ? H - y0 : y0;
  double endX = mirrorX ? W - x : x;
  double endY = mirrorY ? H - y : y;
  if (startX != endX) {
    // Where the line meets x' = 0. At or below 0 the line has crossed y' = 0
    // first, so it leaves through that edge.
    const double t = endY - (startY - endY) / (startX - endX) * endX;
    if (t <= 0.0 && startY != endY) {
      endX = endX - endY * (startX - endX) / (startY - endY);
      endY = 0.0;
    } else {
      endY = t;
      endX = 0.0;
    }
  } else {
    endY = 0.0;  // an upright line leaves through the top (mirrored) edge
  }
  const double resultX = mirrorX ? W - endX : endX;
  const double resultY = mirrorY ? H - endY : endY;
  return QPoint(static_cast<int>(std::lround(resultX)), static_cast<int>(std::lround(resultY)));
}

bool LineToClipped(QPainter& painter, QPoint& current, int x, int y, int W, int H) {
  const std::optional<QPoint> end = clippedLineEnd(current, QPoint(x, y), W, H);
  if (!end) return false;
  painter.drawLine(current, *end);
  current = *end;
  return true;
}

}  // namespace noctavo
