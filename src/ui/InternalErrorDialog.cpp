#include "ui/InternalErrorDialog.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>

#include "time/InternalError.h"

namespace noctavo {

void installInternalErrorDialog() {
  setInternalErrorHandler([](const char* module, int line) {
    const QString text = QString::fromLatin1(internalErrorText(module, line).c_str());
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Noctavo error"), text);
    // Nothing is saved: the state that led here cannot be trusted.
    std::_Exit(0);
  });
}

}  // namespace noctavo
