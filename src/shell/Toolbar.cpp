#include "shell/Toolbar.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>

#include "catalogues/CoreServices.h"
#include "shell/StringTable.h"
#include "time/InternalError.h"
#include "ui/DialogControls.h"

namespace noctavo {

namespace {

constexpr const char* moduleName = "asttoolb";
constexpr int imageSize = 16;  // pixels, square

constexpr ToolbarButton buttons[] = {
    {0, 0, nullptr, false},
    {158, 40015, "New", false},
    {159, 100, "Open", false},
    {160, 101, "Save", false},
    {0, 0, nullptr, false},
    {138, 206, "Sky", false},
    {139, 202, "Solar System", false},
    {141, 205, "Graph", false},
    {140, 204, "Picture", false},
    {0, 0, nullptr, false},
    {142, 40005, "Object Information", true},
    {145, 181, "Astronomical Calculator", false},
    {0, 0, nullptr, false},
    {143, 200, "Date and Time", false},
    {162, 40016, "Location", false},
    {144, 201, "Appearance", false},
    {0, 0, nullptr, false},
    {137, 223, "About %s", false},
};

QString imagePath(int imageId) { return QStringLiteral(":/shell/toolbar/%1.png").arg(imageId); }

}  // namespace

std::span<const ToolbarButton> toolbarButtons() { return buttons; }

Toolbar::Toolbar(QWidget* parent) : QToolBar(parent) {
  initShellResources();
  setObjectName(QStringLiteral("MainToolbar"));
  setControlId(this, controlId);
  setWindowTitle(QStringLiteral("Toolbar"));
  setIconSize(QSize(imageSize, imageSize));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  // It stays where the frame puts it, like the rest of the frame.
  setMovable(false);
  setFloatable(false);
  setContextMenuPolicy(Qt::PreventContextMenu);

  for (const ToolbarButton& entry : buttons) {
    if (entry.imageId == 0) {
      addSeparator();
      continue;
    }
    const QPixmap image(imagePath(entry.imageId));
    if (image.isNull() || image.size() != QSize(imageSize, imageSize)) {
      NOCTAVO_INTERNAL_ERROR(moduleName);
      continue;
    }
    const QString tooltip = QString::fromLatin1(entry.tooltip).replace(QStringLiteral("%s"),
                                                                       QString::fromLatin1(productName));
    QAction* action = addAction(QIcon(image), tooltip);
    action->setData(entry.commandId);
    action->setToolTip(tooltip);
    // The frame sets the state of the buttons of 40005 and 181 after each
    // command from their menu items; to show a state a button must be able
    // to hold one.
    action->setCheckable(entry.check || entry.commandId == 181);
    const int commandId = entry.commandId;
    connect(action, &QAction::triggered, this, [this, commandId] { emit commandTriggered(commandId); });
  }
}

QAction* Toolbar::button(int commandId) const {
  for (QAction* action : actions()) {
    if (!action->isSeparator() && action->data().toInt() == commandId) return action;
  }
  return nullptr;
}

void Toolbar::setButtonChecked(int commandId, bool checked) {
  if (QAction* action = button(commandId)) action->setChecked(checked);
}

void Toolbar::setButtonEnabled(int commandId, bool enabled) {
  if (QAction* action = button(commandId)) action->setEnabled(enabled);
}

}  // namespace noctavo
