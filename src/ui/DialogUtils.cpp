#include "ui/DialogUtils.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QWidget>

#include "catalogues/CoreServices.h"
#include "frame/WindowMessages.h"
#include "time/InternalError.h"
#include "ui/DialogControls.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GEN";

// The list box's own prefix search: the first item after `after` whose text
// begins with `prefix` in any letter case, wrapping round to the start; -1
// when no item begins so.
int findPrefixAfter(const QListWidget* list, int after, const QString& prefix) {
  const int count = list->count();
  for (int step = 1; step <= count; ++step) {
    const int index = (after + step) % count;
    if (list->item(index)->text().startsWith(prefix, Qt::CaseInsensitive)) return index;
  }
  return -1;
}

// The rectangle of a widget in global coordinates, frame included for a
// window.
QRect globalRect(const QWidget* widget) {
  if (widget->isWindow()) return widget->frameGeometry();
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

}  // namespace

QString findProgramFolder(const QString& programFolder, const QStringList& installedFolders) {
  // The star file is the first thing the program reads; a folder without
  // it holds no data of this program.
  const QString marker = QStringLiteral("%1.sta").arg(QString::fromLatin1(productName));
  QStringList candidates{programFolder};
  candidates += installedFolders;
  for (const QString& folder : candidates) {
    if (!folder.isEmpty() && QFileInfo::exists(QDir(folder).filePath(marker))) {
      return QDir::cleanPath(folder) + QLatin1Char('/');
    }
  }
  return QDir::cleanPath(programFolder) + QLatin1Char('/');
}

QString ProgramFolder() {
  static const QString folder = [] {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return findProgramFolder(programFolder, {QDir(programFolder).filePath(QStringLiteral(NOCTAVO_DATA_FROM_BIN)),
                                             QStringLiteral(NOCTAVO_INSTALLED_DATA_DIR)});
  }();
  return folder;
}

bool ProgramFolderIsInstalled() {
  return ProgramFolder() != QDir::cleanPath(QCoreApplication::applicationDirPath()) + QLatin1Char('/');
}

int CheckedRadio(const QWidget* dialog, int firstId, int lastId) {
  if (firstId > lastId) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return 0;
  }
  for (int id = firstId; id <= lastId; ++id) {
    const auto* button = qobject_cast<const QAbstractButton*>(findControlOrNull(dialog, id));
    if (button && button->isChecked()) return id;
  }
  NOCTAVO_INTERNAL_ERROR(moduleName);
  return 0;
}

bool ListBoxFindExact(const QWidget* dialog, int listId, const QString& text, int& index) {
  index = -1;
  const QListWidget* list = NOCTAVO_CONTROL(QListWidget, dialog, listId, moduleName);
  if (!list) return false;
  int previous = -1;
  for (;;) {
    const int hit = findPrefixAfter(list, previous, text);
    // A failed search, or one that came round to the start again, ends it.
    if (hit < 0 || hit <= previous) return false;
    if (list->item(hit)->text() == text) {
      index = hit;
      return true;
    }
    previous = hit;
  }
}

QRect ChildRect(const QWidget* parent, const QWidget* child) {
  return QRect(child->mapTo(parent, QPoint(0, 0)), child->size());
}

void MoveChildren(QWidget* parent, int dx, int dy, bool repaint) {
  // Only the direct children: a grandchild moves with its parent already.
  const QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) {
    if (child->isWindow()) continue;
    child->move(child->pos() + QPoint(dx, dy));
  }
  if (repaint) parent->update();
}

void SendToChildren(QWidget* parent, int message, qintptr wParam, qintptr lParam) {
  const QList<QWidget*> children = parent->findChildren<QWidget*>();
  for (QWidget* child : children) sendMessage(child, message, wParam, lParam);
}

void CentreOver(QWidget* window, const QWidget* other) {
  const QRect moving = globalRect(window);
  const QRect target = globalRect(other);
  const QPoint topLeft(target.left() + (target.width() - moving.width()) / 2,
                       target.top() + (target.height() - moving.height()) / 2);
  if (window->isWindow()) {
    window->move(topLeft);
  } else {
    window->move(window->parentWidget()->mapFromGlobal(topLeft));
  }
}

double Interpolate(double a, double b, int i, int n) {
  if (n < 2) return a;
  return a + (b - a) * i / (n - 1);
}

void TrimTrailingBlanks(QString& text) {
  qsizetype length = text.size();
  while (length > 0 && text.at(length - 1) == QLatin1Char(' ')) --length;
  text.truncate(length);
}

void TrimTrailingBlanks(std::string& text) {
  const std::size_t last = text.find_last_not_of(' ');
  text.erase(last == std::string::npos ? 0 : last + 1);
}

}  // namespace noctavo
