#include "ui/WaitDialog.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>

#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr int textControlId = 135;
constexpr int completeLabelId = 204;
constexpr int percentControlId = 205;
constexpr int longestText = 63;

struct WaitState {
  QString caption;
  QString text;
  QPointer<QDialog> dialog;
  bool cursorChanged = false;
};

WaitState& waitState() {
  static WaitState state;
  return state;
}

QLabel* percentLabel() {
  QDialog* dialog = waitState().dialog;
  if (!dialog) return nullptr;
  return qobject_cast<QLabel*>(findControlOrNull(dialog, percentControlId));
}

QString percentText(int percent) { return QString::asprintf("%3d%%", percent); }

QDialog* createWaitDialog(const WaitState& state) {
  auto* dialog = new QDialog(QApplication::activeWindow());
  dialog->setObjectName(QStringLiteral("Dlg_Wait"));
  dialog->setFont(SymbolFont());
  dialog->setWindowTitle(state.caption);
  // The dialog stays until the calculation says it is done.
  dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowCloseButtonHint & ~Qt::WindowContextHelpButtonHint);

  auto* text = new QLabel(state.text, dialog);
  setControlId(text, textControlId);
  text->setGeometry(12, 12, 276, 20);

  auto* complete = new QLabel(QStringLiteral("Complete:"), dialog);
  setControlId(complete, completeLabelId);
  complete->setGeometry(12, 40, 80, 20);

  auto* percent = new QLabel(percentText(0), dialog);
  setControlId(percent, percentControlId);
  percent->setGeometry(96, 40, 60, 20);

  dialog->setFixedSize(300, 72);
  return dialog;
}

}  // namespace

void WaitBegin(const QString& caption, const QString& text) {
  WaitEnd();
  WaitState& state = waitState();
  state.caption = caption;
  state.text = text.left(longestText);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  state.cursorChanged = true;
  state.dialog = createWaitDialog(state);
  state.dialog->show();
  // The calculation keeps the event loop busy: paint now.
  state.dialog->repaint();
}

void WaitProgress(int percent) {
  QLabel* label = percentLabel();
  if (!label) return;
  label->setText(percentText(percent));
  label->repaint();
}

void WaitEnd() {
  WaitState& state = waitState();
  if (state.dialog) {
    QDialog* dialog = state.dialog;
    state.dialog = nullptr;
    dialog->hide();
    dialog->deleteLater();
  }
  if (state.cursorChanged) {
    QApplication::restoreOverrideCursor();
    state.cursorChanged = false;
  }
}

QWidget* WaitWindow() { return waitState().dialog; }

}  // namespace noctavo
