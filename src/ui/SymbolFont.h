#pragma once

#include <QFont>
#include <QPoint>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QPainter;

namespace noctavo {

// The core writes its texts as bytes: Windows-1252, and in the symbol
// font's codes the Greek letters (0x7F + letter, capitals after the small
// ones, 0xA7 skipped), the degree sign 0xB0 and the planet symbols 177..188.
// This is the one place where those bytes become Unicode.
QString symbolText(std::string_view bytes);
// The other way, for texts the user typed into a field the core parses.
// Characters without a byte become '?'.
std::string symbolBytes(const QString& text);

// The face every dialog and drawing uses: it has the Greek letters, the
// degree sign and the astronomical symbols (DejaVu Sans), at 8 points.
const QFont& SymbolFont();
// Height of a pixel divided by its width, from the primary screen.
double PixelAspect();
// Line height of the frame's default font, pixels.
int TextLineHeight();
// Sets the three above; called once at start.
void SymbolFontInit();
void SymbolFontDone();

// Draws a text whose top is at row * TextLineHeight(), in the painter's
// current font.
void TextOutRow(QPainter& painter, int x, int row, const QString& text);

// A line from the pen position `current` towards (x, y) in a window of
// width W and height H (pixels). Nothing is drawn when both ends lie beyond
// the same edge; an end inside the window gets the plain line; an end
// outside is brought back to the point where the line leaves the window.
// `current` becomes the end of the drawn line, and stays where it was when
// nothing was drawn. Returns whether a line was drawn.
bool LineToClipped(QPainter& painter, QPoint& current, int x, int y, int W, int H);
// The end point LineToClipped draws to, or none when it draws nothing.
std::optional<QPoint> clippedLineEnd(QPoint from, QPoint to, int W, int H);

}  // namespace noctavo
