#include "tools/PictureControlPanel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <tuple>

#include "bodies/AstBody.h"
#include "catalogues/NgcCatalogue.h"
#include "shell/HelpViewer.h"
#include "shell/WindowMessages.h"
#include "time/InternalError.h"
#include "tools/PictureCollection.h"
#include "tools/PictureWindow.h"
#include "ui/AppMessageBox.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_PIC";
constexpr const char* helpTopic = "picture window.htm";

enum Column { typeColumn = 0, nameColumn = 1, descriptionColumn = 2, listColumnCount = 3 };

// The size the panel opens with, pixels.
constexpr int panelWidth = 520;
constexpr int panelHeight = 320;
constexpr int typeColumnWidth = 90;
constexpr int nameColumnWidth = 80;

// A row of the list: its entry, and the comparison of column texts the
// sorting uses (letter case aside).
class PictureItem : public QTreeWidgetItem {
 public:
  PictureItem(const PictureEntry& entry, int index) : index_(index) {
    setText(typeColumn, entry.typeColumn());
    setText(nameColumn, entry.nameColumn());
    setText(descriptionColumn, entry.descriptionColumn());
  }
  int entry() const { return index_; }
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    if (column < 0 || column >= listColumnCount) {
      NOCTAVO_INTERNAL_ERROR(moduleName);
      return false;
    }
    const int order = text(column).compare(other.text(column), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : index_ < static_cast<const PictureItem&>(other).index_;
  }

 private:
  int index_;
};

int entryOf(const QTreeWidgetItem* item) { return item ? static_cast<const PictureItem*>(item)->entry() : -1; }

QString noPictureText(const AstBody& object) {
  return QStringLiteral("There is no picture available for %1").arg(symbolText(object.getName()));
}

}  // namespace

// ------------------------------------------------------------- up-down

VerticalSpin::VerticalSpin(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  setFocusPolicy(Qt::StrongFocus);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  for (auto [button, arrow, delta] : {std::tuple{up_, Qt::UpArrow, -1}, std::tuple{down_, Qt::DownArrow, 1}}) {
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(18, 13);
    column->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, delta = delta] { emit deltaPos(delta); });
  }
}

void VerticalSpin::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      emit deltaPos(-1);
      break;
    case Qt::Key_Down:
      emit deltaPos(1);
      break;
    default:
      QWidget::keyPressEvent(event);
      break;
  }
}

// ------------------------------------------------------------- the panel

PictureControlPanel::PictureControlPanel(PictureWindow& window, QWidget* owner)
    : QDialog(owner, Qt::Tool), window_(window) {
  setObjectName(QStringLiteral("Dlg_PictCtrl"));
  setWindowTitle(QStringLiteral("Pictures"));
  setFont(SymbolFont());
  setModal(false);
  build();
  fill();
  resize(panelWidth, panelHeight);
}

void PictureControlPanel::build() {
  list_ = withId(new QTreeWidget(this), picture_control::list);
  list_->setColumnCount(listColumnCount);
  list_->setHeaderLabels({QStringLiteral("Type"), QStringLiteral("Name"), QStringLiteral("Description")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->header()->setSectionsClickable(true);
  list_->header()->setStretchLastSection(true);
  list_->setColumnWidth(typeColumn, typeColumnWidth);
  list_->setColumnWidth(nameColumn, nameColumnWidth);
  connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    // A second click on the same heading turns the order round.
    const bool again = list_->header()->isSortIndicatorShown() && list_->sortColumn() == column;
    const Qt::SortOrder order = again && list_->header()->sortIndicatorOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    list_->header()->setSortIndicatorShown(true);
    list_->header()->setSortIndicator(column, order);
    list_->sortItems(column, order);
    if (QTreeWidgetItem* selected = list_->currentItem()) list_->scrollToItem(selected);
  });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { displayEntry(entryOf(item)); });

  display_ = withId(new QPushButton(QStringLiteral("Display"), this), picture_control::display);
  connect(display_, &QPushButton::clicked, this, [this] { displaySelected(); });
  upDown_ = withId(new VerticalSpin(this), picture_control::upDown);
  connect(upDown_, &VerticalSpin::deltaPos, this, [this](int delta) { step(delta); });
  note_ = withId(new QLabel(QStringLiteral("Add your own pictures: put bitmap or JPEG files into the folder PICTURES "
                                           "beside Noctavo and describe them in Noctavo.pic."),
                            this),
                 picture_control::note);
  note_->setWordWrap(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(note_, 1);
  buttons->addWidget(upDown_);
  buttons->addWidget(display_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
}

void PictureControlPanel::fill() {
  const std::vector<PictureEntry>& entries = pictureCollection().entries();
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    list_->addTopLevelItem(new PictureItem(entries[static_cast<std::size_t>(i)], i));
  }
  const bool any = !entries.empty();
  list_->setEnabled(any);
  display_->setEnabled(any);
  upDown_->setEnabled(any);
  const NgcObject* marker = findNgcByName(largerCollectionMarker);
  note_->setVisible(!(marker && PictureFindForObject(*marker)));
}

QWidget* PictureControlPanel::control(int controlId) const {
  return findControlChecked(this, controlId, moduleName, __LINE__);
}

QTreeWidgetItem* PictureControlPanel::itemOfEntry(int entry) const {
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    if (entryOf(list_->topLevelItem(row)) == entry) return list_->topLevelItem(row);
  }
  return nullptr;
}

int PictureControlPanel::selectedEntry() const {
  QTreeWidgetItem* item = list_->currentItem();
  return item && item->isSelected() ? entryOf(item) : -1;
}

void PictureControlPanel::selectEntry(int entry) {
  QTreeWidgetItem* item = itemOfEntry(entry);
  if (!item) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  list_->setCurrentItem(item);
  item->setSelected(true);
  list_->scrollToItem(item);
}

void PictureControlPanel::displayEntry(int entry) {
  if (entry < 0) return;
  window_.showEntry(entry);
  selectEntry(entry);
}

void PictureControlPanel::displaySelected() { displayEntry(selectedEntry()); }

void PictureControlPanel::step(int delta) {
  if (delta == 0) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  if (row < 0 || selectedEntry() < 0) return;
  const int next = delta < 0 ? row - 1 : row + 1;
  if (next < 0 || next >= list_->topLevelItemCount()) return;
  displayEntry(entryOf(list_->topLevelItem(next)));
}

void PictureControlPanel::displayObject(const AstBody& object, bool activate) {
  int entry = -1;
  if (!PictureFindForObject(object, entry)) {
    AppMessageBox(noPictureText(object), this, MsgSeverity::Information, MsgButtons::Ok);
    return;
  }
  displayEntry(entry);
  if (activate) window_.bringToFront();
}

bool PictureControlPanel::event(QEvent* event) {
  if (const auto* message = dynamic_cast<const WindowMessage*>(event)) {
    switch (message->message()) {
      case UM_PICTURE_SELECT:
        selectEntry(static_cast<int>(message->wParam()));
        return true;
      case UM_PICTURE_DISPLAY_SELECTED:
        displaySelected();
        return true;
      case UM_PICTURE_DISPLAY:
        displayEntry(static_cast<int>(message->wParam()));
        return true;
      case UM_DISPLAY_OBJECT:
        if (const auto* object = message->pointer<const AstBody>()) displayObject(*object, message->wParam() != 0);
        return true;
      default:
        break;
    }
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    showHelpTopic(QString::fromLatin1(helpTopic));
    return true;
  }
  return QDialog::event(event);
}

void PictureControlPanel::closeEvent(QCloseEvent* event) {
  // Closing the panel is what the double click and the menu item do: the
  // check mark follows.
  event->ignore();
  if (window_.controlPanelVisible()) window_.toggleControlPanel();
}

void PictureControlPanel::reject() {
  if (window_.controlPanelVisible()) window_.toggleControlPanel();
}

}  // namespace noctavo
