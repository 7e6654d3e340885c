#pragma once

#include <QDialog>

namespace noctavo {

// "Dlg_About", modal: what the program is, its version, language and
// release date, and the terms it comes under. OK or Cancel closes it.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  // Control ids of the texts.
  static constexpr int descriptionId = 400;
  static constexpr int versionId = 135;
  static constexpr int languageId = 278;
  static constexpr int releaseDateId = 101;

  explicit AboutDialog(QWidget* owner);
};

}  // namespace noctavo
