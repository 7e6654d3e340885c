#include "graph/GraphExport.h"

#include <QString>
#include <QStringList>

#include <cstring>

#include "graph/GraphCalculation.h"
#include "graph/GraphGeometry.h"
#include "time/TimeSystems.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

// Significant digits of the numeric columns: more than any quantity's text.
constexpr int numberDigits = 10;

// A cell as spreadsheet programs read it: quoted when it holds a comma, a
// quote or a line break, with its quotes doubled.
QString cell(const QString& text) {
  if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))) {
    return text;
  }
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

QByteArray graphCsv(const GraphDocument& document) {
  const GraphHeader& h = document.header;
  const QString kind = QString::fromLatin1(timeKindShortName(h.timeKind));
  QStringList header{QStringLiteral("Index"), QStringLiteral("Date (%1)").arg(kind), QStringLiteral("Time (%1)").arg(kind)};
  for (const GraphLine& line : document.lines) {
    if (line.free) continue;
    const QString name = symbolText(std::string_view(line.name, strnlen(line.name, sizeof line.name)));
    header << cell(name) << cell(name + QStringLiteral(" (number)"));
  }
  QString text = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
  for (int i = 0; i < graphMomentCount; ++i) {
    const AstDateTime moment = momentAt(h, i, h.timeKind);
    QStringList row{QString::number(i), symbolText(moment.formatDate()), symbolText(moment.formatTime())};
    for (const GraphLine& line : document.lines) {
      if (line.free) continue;
      const std::string shown = lineValueFormatted(h, line, i);
      row << cell(symbolText(shown));
      row << (shown.empty() ? QString() : QString::number(displayValue(h, line, i), 'g', numberDigits));
    }
    text += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
  }
  return text.toUtf8();
}

}  // namespace noctavo
