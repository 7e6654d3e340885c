#include "shell/MainFrame.h"

#include <QMdiArea>

namespace noctavo {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent), documentArea_(new QMdiArea(this)) {
  setWindowTitle(QStringLiteral("Noctavo"));
  setCentralWidget(documentArea_);
  resize(1024, 768);
}

}  // namespace noctavo
