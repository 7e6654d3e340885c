#include "ui/ColourTable.h"

#include <QComboBox>

#include <array>

#include "time/InternalError.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_WIN";

const std::array<NamedColour, colourCount>& colourTable() {
  static const std::array<NamedColour, colourCount> table = {{
      {"Black", QColor(0, 0, 0)},
      {"White", QColor(255, 255, 255)},
      {"Red", QColor(255, 0, 0)},
      {"Green", QColor(0, 255, 0)},
      {"Yellow", QColor(255, 255, 0)},
      {"Blue", QColor(0, 0, 255)},
      {"Magenta", QColor(255, 0, 255)},
      {"Cyan", QColor(0, 255, 255)},
      {"Dark red", QColor(128, 0, 0)},
      {"Dark green", QColor(0, 128, 0)},
      {"Brown", QColor(128, 128, 0)},
      {"Dark blue", QColor(0, 0, 128)},
      {"Dark magenta", QColor(128, 0, 128)},
      {"Dark cyan", QColor(0, 128, 128)},
      {"Grey", QColor(128, 128, 128)},
      {"Light grey", QColor(192, 192, 192)},
  }};
  return table;
}

}  // namespace

const NamedColour& colourEntry(int index) {
  const int valid = index >= 0 && index < colourCount ? index : 0;
  return colourTable()[static_cast<std::size_t>(valid)];
}

int ColourIndexByName(const QString& name) {
  for (int i = 0; i < colourCount; ++i) {
    if (name == QLatin1String(colourTable()[static_cast<std::size_t>(i)].name)) return i;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return 0;
}

QColor ColourOfIndex(int index) {
  if (index < 0 || index >= colourCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return colourEntry(0).colour;
  }
  return colourEntry(index).colour;
}

void FillColourCombo(QWidget* dialog, int comboId) {
  auto* combo = NOCTAVO_CONTROL(QComboBox, dialog, comboId, moduleName);
  if (!combo) return;
  for (const NamedColour& entry : colourTable()) combo->addItem(QString::fromLatin1(entry.name));
}

}  // namespace noctavo
