#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace noctavo {

// The sixteen colours the windows' options can name; the options store a
// colour by its name.
struct NamedColour {
  const char* name;  // up to 19 characters
  QColor colour;
};

constexpr int colourCount = 16;

// The table in its fixed order, "Black" first.
const NamedColour& colourEntry(int index);

// Index of the entry with exactly this name. An unknown name is an internal
// error (module "AST_WIN") and gives 0, "Black".
int ColourIndexByName(const QString& name);

// The colour of an index; outside 0..15 an internal error and black.
QColor ColourOfIndex(int index);

// Adds the sixteen names, in table order, to the dialog's combo box.
void FillColourCombo(QWidget* dialog, int comboId);

}  // namespace noctavo
