#pragma once

#include <QMainWindow>

class QMdiArea;

namespace noctavo {

// The program's main frame: menu, toolbar and status line around the area
// that holds the document windows.
class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainFrame(QWidget* parent = nullptr);

  QMdiArea* documentArea() const { return documentArea_; }

 private:
  QMdiArea* documentArea_;
};

}  // namespace noctavo
