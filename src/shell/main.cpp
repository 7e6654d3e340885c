#include <QApplication>

#include "shell/MainFrame.h"
#include "ui/InternalErrorDialog.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Noctavo"));
  QApplication::setApplicationVersion(QStringLiteral("1.00"));
  noctavo::installInternalErrorDialog();

  noctavo::MainFrame frame;
  frame.show();
  return app.exec();
}
