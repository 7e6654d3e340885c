#include "tools/ObjectInfoWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTextOption>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "bodies/AstBody.h"
#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "catalogues/Constellation.h"
#include "catalogues/Star.h"
#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"
#include "ui/AppMessageBox.h"
#include "ui/DialogControls.h"
#include "ui/HelpViewer.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"
#include "ui/SymbolFont.h"
#include "ui/TimeBar.h"
#include "ui/TypedName.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_OBI";
constexpr const char* helpTopic = "utilitiesobjectinfo.htm";

constexpr const char* settingsSubkey = "Object Info";
constexpr const char* visibleName = "Visible";
constexpr const char* xName = "X";
constexpr const char* yName = "Y";

constexpr const char* notAvailableText = "n.a.";
constexpr int objectTypeCount = 7;  // Sun .. NGC object
constexpr int currentRowsInFirstColumn = 9;

QString text(const std::string& bytes) { return symbolText(bytes); }
QString text(const char* bytes) { return symbolText(bytes ? bytes : ""); }

QVariant bodyData(const AstBody* body) { return QVariant::fromValue(reinterpret_cast<quintptr>(body)); }
const AstBody* bodyOf(const QVariant& data) { return reinterpret_cast<const AstBody*>(data.value<quintptr>()); }

// The list's lines carry tab characters. The tab stops are in dialog units
// of the list's font (a quarter of its average character width), moved
// right where a column's widest text would run into the next one.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  explicit TabStopDelegate(std::vector<QString> lines) : lines_(std::move(lines)) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    const QString line = background.text;
    background.text.clear();
    const QWidget* widget = option.widget;
    if (QStyle* style = widget ? widget->style() : nullptr) {
      style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    }
    QTextOption layout;
    layout.setTabs(tabsFor(option.font));
    layout.setWrapMode(QTextOption::NoWrap);
    painter->save();
    painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                : QPalette::Text));
    painter->drawText(QRectF(option.rect).adjusted(2, 0, 0, 0), line, layout);
    painter->restore();
  }

 private:
  const QList<QTextOption::Tab>& tabsFor(const QFont& font) const {
    if (!tabs_.isEmpty() && font == tabsFont_) return tabs_;
    tabs_.clear();
    tabsFont_ = font;
    const QFontMetricsF metrics(font);
    const double dialogUnit = metrics.averageCharWidth() / 4.0;
    constexpr double columnGap = 6.0;  // pixels
    double columnStart = 0.0;
    int column = 0;
    for (int stop : constellationListTabStops) {
      double widest = 0.0;
      for (const QString& line : lines_) {
        widest = std::max(widest, metrics.horizontalAdvance(line.section(QLatin1Char('\t'), column, column)));
      }
      columnStart = std::max(stop * dialogUnit, columnStart + widest + columnGap);
      tabs_.append(QTextOption::Tab(columnStart, QTextOption::LeftTab));
      ++column;
    }
    return tabs_;
  }

  std::vector<QString> lines_;
  mutable QFont tabsFont_;
  mutable QList<QTextOption::Tab> tabs_;
};

QLabel* valueLabel(int controlId, QWidget* parent) {
  auto* value = withId(new QLabel(parent), controlId);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  value->setMinimumWidth(90);
  return value;
}

}  // namespace

ObjectInfoSettings readObjectInfoSettings() {
  ObjectInfoSettings s;
  const std::string key = settingsKey(settingsSubkey);
  s.visible = SettingsReadBool(key, visibleName, s.visible);
  s.x = SettingsReadInt(key, xName, s.x);
  s.y = SettingsReadInt(key, yName, s.y);
  return s;
}

void writeObjectInfoSettings(const ObjectInfoSettings& s) {
  const std::string key = settingsKey(settingsSubkey);
  SettingsWriteInt(key, visibleName, s.visible ? 1 : 0);
  SettingsWriteInt(key, xName, s.x);
  SettingsWriteInt(key, yName, s.y);
}

ObjectInfoWindow::ObjectInfoWindow(Frame* frame)
    : QDialog(frame ? frame->frameWindow() : nullptr, Qt::Tool), frame_(frame) {
  setObjectName(QStringLiteral("Dlg_ObjectInfoCtrl"));
  setWindowTitle(QStringLiteral("Object Information"));
  setFont(SymbolFont());
  setModal(false);
  observer_ = observer();

  // The object.
  typeBox_ = withId(new QComboBox(this), object_info::objectType);
  for (int type = 0; type < objectTypeCount; ++type) {
    typeBox_->addItem(QString::fromLatin1(objectTypeName(static_cast<ObjectType>(type))));
  }
  nameBox_ = withId(new QComboBox(this), object_info::objectName);
  nameBox_->setMinimumWidth(200);
  nameBox_->setMaxVisibleItems(20);
  connect(typeBox_, &QComboBox::activated, this, &ObjectInfoWindow::typeChosen);
  connect(nameBox_, &QComboBox::activated, this, &ObjectInfoWindow::nameChosen);
  // A name may also be typed, the way people name objects ("M31",
  // "alpha Ori"); Enter shows it, of whatever type.
  acceptTypedNames(nameBox_);
  // One Enter reaches the line edit twice in this window (seen in the
  // tests); the name is looked up once, after both.
  connect(nameBox_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (nameTypedPending_) return;
    nameTypedPending_ = true;
    QTimer::singleShot(0, this, [this] {
      nameTypedPending_ = false;
      nameTyped();
    });
  });
  auto* typeLabel = new QLabel(QStringLiteral("Object &type:"), this);
  typeLabel->setBuddy(typeBox_);
  auto* nameLabel = new QLabel(QStringLiteral("Object &name:"), this);
  nameLabel->setBuddy(nameBox_);
  auto* objectRow = new QHBoxLayout;
  objectRow->addWidget(typeLabel);
  objectRow->addWidget(typeBox_);
  objectRow->addSpacing(12);
  objectRow->addWidget(nameLabel);
  objectRow->addWidget(nameBox_, 1);

  // The tabs and the page under them.
  tabs_ = withId(new QTabBar(this), object_info::tabs);
  for (int tab = 0; tab < infoTabCount; ++tab) tabs_->addTab(QString::fromLatin1(infoTabTitle(InfoTab(tab))));
  tabs_->setDrawBase(false);
  connect(tabs_, &QTabBar::currentChanged, this, [this] { openPage(); });
  auto* pageFrame = new QFrame(this);
  pageFrame->setFrameShape(QFrame::StyledPanel);
  pageHolder_ = pageFrame;
  pageLayout_ = new QVBoxLayout(pageHolder_);

  // Browsing the window's own moment.
  auto* browseBox = new QGroupBox(QStringLiteral("Browse"), this);
  timeBar_ = new TimeBar(browseBox);
  timeBar_->addToMomentRow(withId(new QLabel(QStringLiteral("LCT")), object_info::timeKindLabel));
  timeBar_->setResetSource(&observer().dateTime);
  timeBar_->setMoment(observer_.dateTime);
  connect(timeBar_, &TimeBar::momentChanged, this, [this](const AstDateTime& moment) {
    observer_.dateTime = moment;
    momentChanged();
  });
  auto* browse = new QVBoxLayout(browseBox);
  browse->addWidget(timeBar_);

  // Sending the object on.
  auto* displayBox = new QGroupBox(QStringLiteral("Display in window"), this);
  skyButton_ = withId(new QPushButton(QStringLiteral("&Sky"), displayBox), object_info::displaySky);
  solarButton_ =
      withId(new QPushButton(QStringLiteral("Solar s&ystem"), displayBox), object_info::displaySolarSystem);
  pictureButton_ = withId(new QPushButton(QStringLiteral("&Picture"), displayBox), object_info::displayPicture);
  connect(skyButton_, &QPushButton::clicked, this, [this] { displayIn(FrameWindow::Sky); });
  connect(solarButton_, &QPushButton::clicked, this, [this] { displayIn(FrameWindow::SolarSystem); });
  connect(pictureButton_, &QPushButton::clicked, this, [this] { displayIn(FrameWindow::Picture); });
  auto* display = new QVBoxLayout(displayBox);
  display->addWidget(skyButton_);
  display->addWidget(solarButton_);
  display->addWidget(pictureButton_);
  display->addStretch(1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(browseBox, 1);
  bottom->addWidget(displayBox);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(objectRow);
  layout->addSpacing(4);
  layout->addWidget(tabs_);
  layout->addWidget(pageHolder_, 1);
  layout->addLayout(bottom);
  layout->setSpacing(2);

  // The page area fits the largest pages (the current page and a planet's
  // orbital data), so that the window keeps its size from page to page.
  QSize largest;
  for (QWidget* sample : {makeCurrentPage(), makeValuePage("sample", orbitalInfoRows(*planetByIndex(0)))}) {
    sample->setParent(pageHolder_);  // measured in the window's own font
    sample->hide();
    sample->ensurePolished();
    largest = largest.expandedTo(sample->sizeHint());
    delete sample;
  }
  const QMargins margins = pageLayout_->contentsMargins();
  pageHolder_->setMinimumSize(largest.grownBy(margins) + QSize(4, 4));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  typeBox_->setCurrentIndex(static_cast<int>(ObjectType::Sun));
  typeChosen(typeBox_->currentIndex());

  const ObjectInfoSettings s = readObjectInfoSettings();
  move(s.x, s.y);
}

QWidget* ObjectInfoWindow::control(int controlId) const {
  return findControlChecked(this, controlId, moduleName, __LINE__);
}

QWidget* ObjectInfoWindow::pageControl(int controlId) const {
  return findControlChecked(page_, controlId, moduleName, __LINE__);
}

// ------------------------------------------------------------ the object

void ObjectInfoWindow::typeChosen(int index) {
  if (index < 0 || index >= objectTypeCount) {
    internalError(moduleName, 1625);
    return;
  }
  const auto type = static_cast<ObjectType>(index);
  fillNames(type);
  switch (type) {
    case ObjectType::Sun:
    case ObjectType::Moon:
    case ObjectType::Earth:
      setObject(bodyByIndex(type, 0));
      break;
    default:
      // The first of the type until the user picks another.
      nameChosen(nameBox_->count() > 0 ? 0 : -1);
      break;
  }
}

void ObjectInfoWindow::fillNames(ObjectType type) {
  nameBox_->clear();
  const bool several = type == ObjectType::Planet || type == ObjectType::Star ||
                       type == ObjectType::Constellation || type == ObjectType::NgcObject;
  nameBox_->setEnabled(several);
  if (!several) return;
  if (type == ObjectType::Star) {
    // Only the named stars can be chosen by name; the catalogue keeps them
    // in its own order, the box lists them alphabetically.
    std::vector<std::pair<QString, const Star*>> stars;
    int cursor = 0;
    for (const Star* star = firstStar(cursor, true); star; star = nextStar(cursor, true)) {
      stars.emplace_back(text(star->getName()), star);
    }
    std::stable_sort(stars.begin(), stars.end(), [](const auto& a, const auto& b) {
      return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [name, star] : stars) nameBox_->addItem(name, bodyData(star));
    return;
  }
  int cursor = 0;
  while (cursor >= 0) {
    const AstBody* body = nextBody(type, cursor);
    if (!body) break;
    nameBox_->addItem(text(body->getName()), bodyData(body));
  }
}

void ObjectInfoWindow::nameChosen(int index) {
  if (index < 0) {
    // A catalogue that is not loaded lists nothing.
    setObject(nullptr);
    return;
  }
  nameBox_->setCurrentIndex(index);
  setObject(bodyOf(nameBox_->itemData(index)));
}

void ObjectInfoWindow::nameTyped() {
  const QString typed = nameBox_->currentText();
  // A listed name has been taken by the box itself.
  if (nameBox_->currentIndex() >= 0 && nameBox_->itemText(nameBox_->currentIndex()) == typed) return;
  if (const int entry = nameBox_->findText(typed, Qt::MatchExactly); entry >= 0) {
    nameChosen(entry);
  } else if (const AstBody* found = objectOfTypedName(typed)) {
    showObject(*found);
  } else if (!typed.trimmed().isEmpty()) {
    AppMessageBox(noObjectCalledText(typed), this, MsgSeverity::Information, MsgButtons::Ok);
    nameBox_->lineEdit()->selectAll();
  }
}

void ObjectInfoWindow::showObject(const AstBody& object) {
  const ObjectType type = object.getObjectType();
  if (type < ObjectType::Sun || type > ObjectType::NgcObject) {
    internalError(moduleName, __LINE__);
    return;
  }
  if (typeBox_->currentIndex() != static_cast<int>(type) || nameBox_->count() == 0) {
    typeBox_->setCurrentIndex(static_cast<int>(type));
    fillNames(type);
  }
  if (nameBox_->isEnabled()) {
    int index = nameBox_->findData(bodyData(&object));
    if (index < 0 && type == ObjectType::Star) {
      // A star without a name is listed by its letter and constellation
      // while it is shown.
      std::string label = starLetterText(static_cast<const Star&>(object));
      if (const Constellation* constellation = static_cast<const Star&>(object).constellation()) {
        label += std::string(label.empty() ? "" : " ") + constellation->abbreviation();
      }
      nameBox_->insertItem(0, text(label), bodyData(&object));
      index = 0;
    }
    if (index >= 0) nameBox_->setCurrentIndex(index);
  }
  setObject(&object);
}

void ObjectInfoWindow::setObject(const AstBody* object) {
  object_ = object;
  updateDisplayButtons();
  openPage();
}

void ObjectInfoWindow::updateDisplayButtons() {
  const DisplayTargets targets = object_ ? displayTargetsFor(object_->getObjectType()) : DisplayTargets{};
  // A window that does not exist (yet) is not offered.
  auto exists = [this](FrameWindow which) { return frame_ && frame_->window(which) != nullptr; };
  skyButton_->setEnabled(targets.sky && exists(FrameWindow::Sky));
  solarButton_->setEnabled(targets.solarSystem && exists(FrameWindow::SolarSystem));
  pictureButton_->setEnabled(targets.picture && exists(FrameWindow::Picture));
}

void ObjectInfoWindow::displayIn(FrameWindow target) {
  if (!object_ || !frame_) return;
  sendDisplayObject(frame_->window(target), *object_, true);
}

// ------------------------------------------------------------- the pages

void ObjectInfoWindow::openPage() {
  if (page_) {
    pageLayout_->removeWidget(page_);
    delete page_;
    page_ = nullptr;
  }
  if (!object_) return;
  const auto tab = static_cast<InfoTab>(tabs_->currentIndex());
  const char* name = infoPageName(object_->getObjectType(), tab);
  if (!name) return;
  const std::string pageName = name;
  if (tab == InfoTab::Current) {
    page_ = makeCurrentPage();
  } else if (pageName == "DLG_INFODUMMY") {
    page_ = makeNoDataPage();
  } else if (pageName == "DLG_INFOPHYSCONSTELL") {
    page_ = makeConstellationPage(*object_);
  } else {
    page_ = makeValuePage(name, tab == InfoTab::Physical ? physicalInfoRows(*object_) : orbitalInfoRows(*object_));
  }
  page_->setParent(pageHolder_);
  pageLayout_->addWidget(page_);
  page_->show();
  if (tab == InfoTab::Current) fillCurrentPage();
}

QWidget* ObjectInfoWindow::makeCurrentPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("DLG_INFOCURR"));

  auto* systemBox = withId(new QComboBox(page), object_info::coordSystemBox);
  for (int system = 0; system < 4; ++system) {
    systemBox->addItem(QString::fromLatin1(coordSystemLongName(static_cast<CoordSystem>(system))));
  }
  systemBox->setCurrentIndex(static_cast<int>(system_));
  auto* kindBox = withId(new QComboBox(page), object_info::timeKindBox);
  for (int kind = 0; kind < 4; ++kind) {
    kindBox->addItem(QString::fromLatin1(timeKindShortName(static_cast<TimeKind>(kind))));
  }
  kindBox->setCurrentIndex(static_cast<int>(timeKind_));
  connect(systemBox, &QComboBox::activated, this, [this](int index) {
    system_ = static_cast<CoordSystem>(index);
    fillCurrentPage();
  });
  connect(kindBox, &QComboBox::activated, this, [this](int index) {
    timeKind_ = static_cast<TimeKind>(index);
    fillCurrentPage();
  });
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(new QLabel(QStringLiteral("Coordinate system:"), page));
  boxes->addWidget(systemBox);
  boxes->addSpacing(16);
  boxes->addWidget(new QLabel(QStringLiteral("Times in:"), page));
  boxes->addWidget(kindBox);
  boxes->addStretch(1);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(3);
  int i = 0;
  for (const CurrentInfoRow& row : currentInfoRows) {
    const int gridRow = i % currentRowsInFirstColumn;
    const int column = 3 * (i / currentRowsInFirstColumn);
    grid->addWidget(withId(new QLabel(QString::fromLatin1(row.label), page), row.labelId), gridRow, column);
    grid->addWidget(valueLabel(row.valueId, page), gridRow, column + 1);
    ++i;
  }
  grid->setColumnMinimumWidth(2, 16);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(4, 1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(boxes);
  layout->addSpacing(6);
  layout->addLayout(grid);
  layout->addStretch(1);
  return page;
}

QWidget* ObjectInfoWindow::makeValuePage(const char* name, const std::vector<InfoValueRow>& rows) {
  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(name));
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(3);
  // Numbers line up on the right; the texts of a star or an NGC object read
  // from the left.
  const std::string pageName = name;
  const Qt::Alignment valueAlignment =
      (pageName == "DLG_INFOPHYSSTAR" || pageName == "DLG_INFOPHYSNGC" ? Qt::AlignLeft : Qt::AlignRight) |
      Qt::AlignVCenter;
  int gridRow = 0;
  for (const InfoValueRow& row : rows) {
    grid->addWidget(new QLabel(QString::fromUtf8(row.label), page), gridRow, 0);
    QLabel* value = valueLabel(row.controlId, page);
    value->setText(text(row.value));
    value->setAlignment(valueAlignment);
    grid->addWidget(value, gridRow, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(row.unit), page), gridRow, 2);
    ++gridRow;
  }
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(gridRow, 1);
  return page;
}

QWidget* ObjectInfoWindow::makeConstellationPage(const AstBody& object) {
  const auto& constellation = static_cast<const Constellation&>(object);
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("DLG_INFOPHYSCONSTELL"));
  auto* count = withId(new QLabel(QString::number(constellation.starCount()), page),
                       object_info::constellationStarCount);
  auto* list = withId(new QListWidget(page), object_info::constellationStars);
  std::vector<QString> lines;
  for (const std::string& line : constellationStarLines(constellation)) lines.push_back(text(line));
  for (const QString& line : lines) list->addItem(line);
  auto* delegate = new TabStopDelegate(lines);
  delegate->setParent(list);
  list->setItemDelegate(delegate);
  if (list->count() > 0) list->setCurrentRow(0);

  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel(QStringLiteral("Number of stars:"), page));
  countRow->addWidget(count);
  countRow->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(countRow);
  layout->addWidget(new QLabel(QStringLiteral("Stars:"), page));
  layout->addWidget(list, 1);
  return page;
}

QWidget* ObjectInfoWindow::makeNoDataPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("DLG_INFODUMMY"));
  auto* message = withId(new QLabel(QString::fromLatin1(noSuchDataText), page), object_info::noDataText);
  message->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(message);
  return page;
}

void ObjectInfoWindow::fillCurrentPage() {
  if (!page_ || !object_ || tabs_->currentIndex() != static_cast<int>(InfoTab::Current)) return;
  // The position rows are named by the system shown.
  auto* first = NOCTAVO_CONTROL(QLabel, page_, 124, moduleName);
  auto* second = NOCTAVO_CONTROL(QLabel, page_, 125, moduleName);
  if (!first || !second) return;
  first->setText(QString::fromLatin1(coordSystemFirstAngleName(system_)) + QLatin1Char(':'));
  second->setText(QString::fromLatin1(coordSystemSecondAngleName(system_)) + QLatin1Char(':'));

  for (const CurrentInfoRow& row : currentInfoRows) {
    QWidget* label = pageControl(row.labelId);
    auto* value = NOCTAVO_CONTROL(QLabel, page_, row.valueId, moduleName);
    if (!label || !value) return;
    value->setText(QString::fromLatin1(notAvailableText));
    value->setEnabled(false);
    label->setEnabled(false);
  }
  // One computation per row, in the order of the object's quantities, so
  // that every value is that of its own quantity in the chosen system and
  // time kind.
  for (const Quantity* quantity : object_->quantities()) {
    if (quantity->valueId() < 0) continue;  // computed for the graphs only
    const std::uint32_t flag = quantity->flag();
    if (flag == quantity_bit::longitude) static_cast<const LongitudeQuantity*>(quantity)->setCoordSystem(system_);
    QWidget* label = pageControl(quantity->labelId());
    auto* value = NOCTAVO_CONTROL(QLabel, page_, quantity->valueId(), moduleName);
    if (!label || !value) return;
    BodyState state;
    object_->compute(flag, observer_, state, timeKind_, system_);
    value->setText(text(quantity->format(state.valueOf(flag))));
    value->setEnabled(true);
    label->setEnabled(true);
  }
}

void ObjectInfoWindow::momentChanged() {
  timeBar_->setMoment(observer_.dateTime);
  fillCurrentPage();
}

// --------------------------------------------------------- showing, saving

void ObjectInfoWindow::ObjectInfoShow(bool visible) {
  if (released_) return;
  setVisible(visible);
  if (visible) raise();
}

void ObjectInfoWindow::giveCommandBack() {
  // The frame unchecks the menu item and the toolbar button and sends
  // UM_HIDE back.
  if (frame_ && frame_->isCommandChecked(command::objectInfo)) {
    frame_->executeCommand(command::objectInfo);
  } else {
    ObjectInfoShow(false);
  }
}

void ObjectInfoWindow::saveAndRelease() {
  if (released_) return;
  const Options& current = options();
  if (current.saveOptions && current.saveWindowState) {
    writeObjectInfoSettings({isVisible(), pos().x(), pos().y()});
  }
  released_ = true;
  hide();
}

bool ObjectInfoWindow::windowMessage(int message, const WindowMessage& data) {
  switch (message) {
    case UM_SHOW:
    case UM_HIDE:
      ObjectInfoShow(message == UM_SHOW);
      return true;
    case UM_TIME_STEP:
    case UM_DST_SET:
    case UM_OBSERVER_SET:
      followObserver(data, observer_);
      // The observer is set once every window exists: the display buttons
      // see them now.
      if (message == UM_OBSERVER_SET) updateDisplayButtons();
      momentChanged();
      return true;
    case UM_OPTIONS_CHANGED:
      // The angle display modes may have changed.
      openPage();
      return true;
    case UM_DISPLAY_OBJECT: {
      const DisplayObjectMessage display = readDisplayObject(data);
      if (!display.object) return true;
      showObject(*display.object);
      if (display.activate) {
        if (frame_ && !frame_->isCommandChecked(command::objectInfo)) {
          frame_->executeCommand(command::objectInfo);
        } else {
          ObjectInfoShow(true);
        }
        activateWindow();
      }
      return true;
    }
    default:
      return false;
  }
}

bool ObjectInfoWindow::event(QEvent* event) {
  if (const WindowMessage* message = asWindowMessage(event)) {
    if (windowMessage(message->message(), *message)) return true;
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    showHelpTopic(QString::fromLatin1(helpTopic));
    return true;
  }
  return QDialog::event(event);
}

void ObjectInfoWindow::showEvent(QShowEvent* event) {
  updateDisplayButtons();
  QDialog::showEvent(event);
}

void ObjectInfoWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  giveCommandBack();
}

void ObjectInfoWindow::reject() { giveCommandBack(); }

ObjectInfoWindow* createObjectInfoWindow(Frame& frame) {
  auto* window = new ObjectInfoWindow(&frame);
  frame.registerWindow(FrameWindow::ObjectInformation, window);
  frame.registerDocument(FrameWindow::ObjectInformation, window);
  if (readObjectInfoSettings().visible) frame.executeCommand(command::objectInfo);
  return window;
}

}  // namespace noctavo
