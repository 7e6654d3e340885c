#include "graph/GraphDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <array>
#include <cstring>

#include "bodies/BodyRegistry.h"
#include "graph/GraphCalculation.h"
#include "time/InternalError.h"
#include "time/TimeSystems.h"
#include "ui/AppMessageBox.h"
#include "ui/ColourTable.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/HelpViewer.h"
#include "ui/InputErrors.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

namespace id = graph_dialog;

constexpr const char* moduleName = "AST_GPH";
constexpr const char* editGraphTopic = "dialog edit graph.htm";
constexpr const char* newLineTopic = "dialog new line.htm";
constexpr const char* editLineTopic = "dialog edit line.htm";
constexpr const char* optionsTopic = "dialog graph options.htm";

constexpr const char* unnamedLine = "Unnamed";
constexpr const char* nameTakenText = "A line with that name already exists.";
constexpr const char* deleteQuestion = "Do you want to delete the line?";
constexpr const char* illegalStepText = "You entered an illegel step value";

// Ruler marks and labels come every 1 to 100 units.
constexpr int fewestRulerUnits = 1;
constexpr int mostRulerUnits = 100;

constexpr std::array<const char*, 5> unitNames = {"Minutes", "Hours", "Days", "Months", "Years"};
constexpr std::array<TimeKind, 4> lineKinds = {TimeKind::Gmt, TimeKind::Gst, TimeKind::Lct, TimeKind::Lst};
constexpr std::array<CoordSystem, 4> lineSystems = {CoordSystem::Equatorial, CoordSystem::Ecliptical,
                                                    CoordSystem::Horizontal, CoordSystem::Galactic};
// The x axis of a graph is in Gmt or in local civil time.
constexpr std::array<TimeKind, 2> axisKinds = {TimeKind::Gmt, TimeKind::Lct};

constexpr int objectTypeCount = 7;  // Sun .. NGC object

QString latin1(const char* text) { return QString::fromLatin1(text); }

QString lineNameText(const GraphLine& line) {
  return symbolText(std::string_view(line.name, strnlen(line.name, sizeof line.name)));
}

template <class T>
T* control(const QWidget* dialog, int controlId) {
  return findControl<T>(dialog, controlId, moduleName, __LINE__);
}

QLabel* buddyLabel(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(latin1(text), parent);
  label->setBuddy(buddy);
  return label;
}

void addHelpKey(QDialog* dialog, const char* topic) {
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
  QObject::connect(f1, &QShortcut::activated, dialog,
                   [dialog, topic] { showHelpTopic(QString::fromLatin1(topic), dialog); });
}

}  // namespace

// ------------------------------------------------------------ Edit Graph

EditGraphDialog::EditGraphDialog(QWidget* owner, GraphDocument& document, GraphChanged changed)
    : QDialog(owner), document_(document), changed_(std::move(changed)) {
  setObjectName(QStringLiteral("Dlg_GraphEdit"));
  setWindowTitle(QStringLiteral("Edit Graph"));
  setFont(SymbolFont());

  auto* name = withId(new QLineEdit(this), id::graphName);
  name->setMaxLength(graphNameLength);
  name->setText(symbolText(std::string_view(document.header.name, strnlen(document.header.name, graphNameLength))));
  list_ = withId(new QListWidget(this), id::lines);
  auto* add = withId(new QPushButton(QStringLiteral("&New..."), this), id::newLine);
  auto* edit = withId(new QPushButton(QStringLiteral("&Edit..."), this), id::editLine);
  auto* remove = withId(new QPushButton(QStringLiteral("&Delete"), this), id::deleteLine);
  auto* ok = withId(new QPushButton(QStringLiteral("Ok"), this), id::ok);
  for (QPushButton* button : {add, edit, remove}) button->setAutoDefault(false);
  ok->setDefault(true);
  connect(add, &QPushButton::clicked, this, [this] { newLine(); });
  connect(edit, &QPushButton::clicked, this, [this] { editLine(); });
  connect(remove, &QPushButton::clicked, this, [this] { deleteLine(); });
  connect(ok, &QPushButton::clicked, this, [this] { takeName(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { editLine(); });
  addHelpKey(this, editGraphTopic);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
  layout->addWidget(name, 0, 1, 1, 2);
  layout->addWidget(buddyLabel("&Lines", list_, this), 1, 0, 1, 2);
  layout->addWidget(list_, 2, 0, 5, 2);
  layout->addWidget(add, 2, 2);
  layout->addWidget(edit, 3, 2);
  layout->addWidget(remove, 4, 2);
  layout->addWidget(ok, 6, 2);
  name->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QLatin1Char('M')) * 16);

  fillList(QString());
  enableButtons();
}

void EditGraphDialog::fillList(const QString& select) {
  list_->clear();
  for (const GraphLine& line : document_.lines) {
    if (!line.free) list_->addItem(lineNameText(line));
  }
  const QList<QListWidgetItem*> found = select.isEmpty() ? QList<QListWidgetItem*>()
                                                         : list_->findItems(select, Qt::MatchExactly);
  if (!found.isEmpty()) {
    list_->setCurrentItem(found.constFirst());
  } else if (list_->count() > 0) {
    list_->setCurrentRow(0);
  }
}

void EditGraphDialog::enableButtons() {
  const bool any = document_.header.lineCount > 0;
  list_->setEnabled(any);
  control<QPushButton>(this, id::editLine)->setEnabled(any);
  control<QPushButton>(this, id::deleteLine)->setEnabled(any);
  control<QPushButton>(this, id::newLine)->setEnabled(document_.header.lineCount < graphSlotCount);
}

void EditGraphDialog::newLine() {
  if (document_.header.lineCount >= graphSlotCount) return;
  NewLineDialog dialog(this, document_);
  if (dialog.exec() != QDialog::Accepted || dialog.addedSlot() < 0) return;
  const GraphLine& added = document_.lines[static_cast<std::size_t>(dialog.addedSlot())];
  list_->addItem(lineNameText(added));
  list_->setCurrentRow(list_->count() - 1);
  enableButtons();
  if (changed_) changed_();
}

void EditGraphDialog::editLine() {
  QListWidgetItem* selected = list_->currentItem();
  if (!selected) return;
  const int row = list_->row(selected);
  const int slot = findLine(document_, symbolBytes(selected->text()));
  if (slot < 0) return;
  EditLineDialog dialog(this, document_, slot);
  if (dialog.exec() != QDialog::Accepted) return;
  delete list_->takeItem(row);
  list_->addItem(lineNameText(document_.lines[static_cast<std::size_t>(slot)]));
  list_->setCurrentRow(list_->count() - 1);
  if (changed_) changed_();
}

void EditGraphDialog::deleteLine() {
  QListWidgetItem* selected = list_->currentItem();
  if (!selected) return;
  if (AppMessageBox(latin1(deleteQuestion), this, MsgSeverity::Warning, MsgButtons::YesNo) != MsgResult::Yes) return;
  const int slot = findLine(document_, symbolBytes(selected->text()));
  if (slot < 0) return;
  delete list_->takeItem(list_->row(selected));
  noctavo::deleteLine(document_, slot);
  if (list_->count() > 0) list_->setCurrentRow(0);
  enableButtons();
  if (changed_) changed_();
}

void EditGraphDialog::takeName() {
  // A new name is a change like any other: left unsaved, it would be lost
  // at exit without the question.
  const std::string before(document_.header.name, strnlen(document_.header.name, graphNameLength));
  document_.header.setName(symbolBytes(control<QLineEdit>(this, id::graphName)->text()));
  if (before != std::string_view(document_.header.name, strnlen(document_.header.name, graphNameLength))) {
    document_.header.modified = true;
  }
  accept();
}

// ------------------------------------------------------------- New Line

NewLineDialog::NewLineDialog(QWidget* owner, GraphDocument& document) : QDialog(owner), document_(document) {
  setObjectName(QStringLiteral("Dlg_LineNew"));
  setWindowTitle(QStringLiteral("New Line"));
  setFont(SymbolFont());

  auto* name = withId(new QLineEdit(latin1(unnamedLine), this), id::lineName);
  name->setMaxLength(lineNameLength);
  auto* type = withId(new QComboBox(this), id::objectType);
  auto* body = withId(new QComboBox(this), id::objectName);
  auto* function = withId(new QComboBox(this), id::function);
  body->setMinimumContentsLength(20);
  function->setMinimumContentsLength(24);
  for (int t = 0; t < objectTypeCount; ++t) type->addItem(latin1(objectTypeName(static_cast<ObjectType>(t))));

  auto* form = new QGridLayout;
  form->addWidget(buddyLabel("&Name:", name, this), 0, 0);
  form->addWidget(name, 0, 1);
  form->addWidget(buddyLabel("Object &type:", type, this), 1, 0);
  form->addWidget(type, 1, 1);
  form->addWidget(buddyLabel("Object &name:", body, this), 2, 0);
  form->addWidget(body, 2, 1);
  form->addWidget(buddyLabel("&Function:", function, this), 3, 0);
  form->addWidget(function, 3, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(okCancelHelpRow(this, newLineTopic, [this] { acceptIfNew(); }));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  type->setCurrentIndex(0);
  typeChosen();
  connect(type, &QComboBox::currentIndexChanged, this, [this] { typeChosen(); });
  connect(body, &QComboBox::currentIndexChanged, this, [this] { bodyChosen(); });
}

void NewLineDialog::typeChosen() {
  const auto type = static_cast<ObjectType>(control<QComboBox>(this, id::objectType)->currentIndex());
  auto* names = control<QComboBox>(this, id::objectName);
  const QSignalBlocker quiet(names);
  names->clear();
  int count = 0;
  int cursor = 0;
  while (const AstBody* body = nextBody(type, cursor)) {
    ++count;
    // Stars without a proper name have nothing to be chosen by.
    if (*body->getName() != '\0') names->addItem(symbolText(body->getName()), body->getIndex());
    if (cursor < 0) break;
  }
  if (count == 1) names->clear();
  names->setEnabled(count > 1);
  if (names->count() > 0) names->setCurrentIndex(0);
  bodyChosen();
}

const AstBody* NewLineDialog::chosenBody() const {
  const auto type = static_cast<ObjectType>(control<QComboBox>(this, id::objectType)->currentIndex());
  auto* names = control<QComboBox>(this, id::objectName);
  if (!names->isEnabled()) {
    int cursor = 0;
    return nextBody(type, cursor);
  }
  if (names->currentIndex() < 0) return nullptr;
  return bodyByIndex(type, names->currentData().toInt());
}

void NewLineDialog::bodyChosen() {
  auto* functions = control<QComboBox>(this, id::function);
  functions->clear();
  const AstBody* body = chosenBody();
  if (!body) return;
  for (const Quantity* quantity = body->firstQuantity(); quantity; quantity = body->nextQuantity()) {
    functions->addItem(symbolText(quantity->name()), QVariant::fromValue(quantity->flag()));
  }
  if (functions->count() > 0) functions->setCurrentIndex(0);
}

void NewLineDialog::acceptIfNew() {
  const std::string name = symbolBytes(control<QLineEdit>(this, id::lineName)->text());
  if (lineNameTaken(document_, name)) {
    AppMessageBox(latin1(nameTakenText), this, MsgSeverity::Error, MsgButtons::Ok);
    return;
  }
  const AstBody* body = chosenBody();
  auto* functions = control<QComboBox>(this, id::function);
  const Quantity* quantity =
      body && functions->currentIndex() >= 0 ? body->findQuantity(functions->currentData().toUInt()) : nullptr;
  if (!quantity || document_.header.lineCount >= graphSlotCount) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return;
  }
  added_ = addLine(document_, name, *body, *quantity);
  accept();
}

// ------------------------------------------------------------ Edit Line

EditLineDialog::EditLineDialog(QWidget* owner, GraphDocument& document, int slot)
    : QDialog(owner), document_(document), slot_(slot) {
  setObjectName(QStringLiteral("Dlg_LineEdit"));
  setWindowTitle(QStringLiteral("Edit Line"));
  setFont(SymbolFont());
  const GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
  const AstBody* body = lineBody(line);
  const Quantity* quantity = lineQuantity(line);

  auto* name = withId(new QLineEdit(lineNameText(line), this), id::lineName);
  name->setMaxLength(lineNameLength);
  auto* object = withId(new QLabel(body ? symbolText(body->getName()) : QString(), this), id::objectText);
  auto* function = withId(new QLabel(quantity ? symbolText(quantity->name()) : QString(), this), id::functionText);
  auto* colour = withId(new QComboBox(this), id::colour);
  auto* hide = withId(new QCheckBox(QStringLiteral("Hide:"), this), id::hide);
  hide->setLayoutDirection(Qt::RightToLeft);  // the box after its text
  auto* system = withId(new QComboBox(this), id::system);
  FillColourCombo(this, id::colour);
  colour->setCurrentIndex(std::clamp(line.colour, 0, colourCount - 1));
  hide->setChecked(line.hidden);

  const QuantityKind kind = quantity ? quantity->kindOf() : QuantityKind::Plain;
  if (kind == QuantityKind::Angle) {
    for (CoordSystem s : lineSystems) system->addItem(latin1(coordSystemLongName(s)));
    system->setCurrentIndex(std::clamp(static_cast<int>(line.coordSystem), 0, 3));
  } else if (kind == QuantityKind::TimeOfDay) {
    for (TimeKind k : lineKinds) system->addItem(latin1(timeKindShortName(k)));
    system->setCurrentIndex(std::clamp(static_cast<int>(line.timeKind), 0, 3));
  } else {
    system->setEnabled(false);
  }

  auto* form = new QGridLayout;
  form->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
  form->addWidget(name, 0, 1);
  form->addWidget(new QLabel(QStringLiteral("Object:"), this), 1, 0);
  form->addWidget(object, 1, 1);
  form->addWidget(new QLabel(QStringLiteral("Function:"), this), 2, 0);
  form->addWidget(function, 2, 1);
  form->addWidget(new QLabel(QStringLiteral("Colour:"), this), 3, 0);
  form->addWidget(colour, 3, 1);
  form->addWidget(hide, 4, 0, Qt::AlignLeft);
  form->addWidget(new QLabel(QStringLiteral("System:"), this), 5, 0);
  form->addWidget(system, 5, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(okCancelHelpRow(this, editLineTopic, [this] { acceptIfValid(); }));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EditLineDialog::acceptIfValid() {
  const std::string name = symbolBytes(control<QLineEdit>(this, id::lineName)->text());
  // Lines are found by name: two of one name would make the second
  // unreachable from this dialog and the list.
  if (lineNameTaken(document_, name, slot_)) {
    AppMessageBox(latin1(nameTakenText), this, MsgSeverity::Error, MsgButtons::Ok);
    return;
  }
  GraphLine& line = document_.lines[static_cast<std::size_t>(slot_)];
  const Quantity* quantity = lineQuantity(line);
  const QuantityKind kind = quantity ? quantity->kindOf() : QuantityKind::Plain;
  const int chosen = control<QComboBox>(this, id::system)->currentIndex();
  line.setName(name);
  line.hidden = control<QCheckBox>(this, id::hide)->isChecked();
  line.colour = std::max(0, control<QComboBox>(this, id::colour)->currentIndex());
  line.timeKind = TimeKind::None;
  line.coordSystem = CoordSystem::None;
  if (kind == QuantityKind::Angle) {
    line.coordSystem = lineSystems[static_cast<std::size_t>(std::clamp(chosen, 0, 3))];
  } else if (kind == QuantityKind::TimeOfDay) {
    line.timeKind = lineKinds[static_cast<std::size_t>(std::clamp(chosen, 0, 3))];
  }
  document_.header.modified = true;
  accept();
}

// --------------------------------------------------------- Graph Options

GraphOptionsDialog::GraphOptionsDialog(QWidget* owner, GraphDocument& document)
    : QDialog(owner), document_(document) {
  setObjectName(QStringLiteral("Dlg_GraphOptions"));
  setWindowTitle(QStringLiteral("Graph Options"));
  setFont(SymbolFont());
  const GraphHeader& h = document.header;

  auto* horizontal = withId(new QRadioButton(QStringLiteral("Horizontal"), this), id::horizontal);
  auto* vertical = withId(new QRadioButton(QStringLiteral("Vertical"), this), id::vertical);
  (h.xAxisHorizontal ? horizontal : vertical)->setChecked(true);
  // The plot knows only a horizontal time axis.
  horizontal->setEnabled(false);
  vertical->setEnabled(false);
  auto* rightToLeft = withId(new QCheckBox(QStringLiteral("Draw x-axis from right to left"), this), id::rightToLeft);
  auto* topToBottom = withId(new QCheckBox(QStringLiteral("Draw y-axis from top to bottom"), this), id::topToBottom);
  rightToLeft->setChecked(h.xAxisRightToLeft);
  topToBottom->setChecked(h.yAxisTopToBottom);
  auto* markCount = withId(new QLineEdit(QString::number(h.markCount), this), id::markCount);
  auto* labelCount = withId(new QLineEdit(QString::number(h.labelCount), this), id::labelCount);
  auto* markUnit = withId(new QComboBox(this), id::markUnit);
  auto* labelUnit = withId(new QComboBox(this), id::labelUnit);
  for (QComboBox* unit : {markUnit, labelUnit}) {
    for (const char* name : unitNames) unit->addItem(latin1(name));
  }
  markUnit->setCurrentIndex(static_cast<int>(h.markUnit));
  labelUnit->setCurrentIndex(static_cast<int>(h.labelUnit));
  auto* kind = withId(new QComboBox(this), id::timeSystem);
  for (TimeKind k : axisKinds) kind->addItem(latin1(timeKindShortName(k)));
  kind->setCurrentIndex(h.timeKind == TimeKind::Gmt ? 0 : 1);

  auto* axis = controlGroup(this, QStringLiteral("x-axis"), {horizontal, vertical});
  auto* mirror = controlGroup(this, QStringLiteral("&Mirror"), {rightToLeft, topToBottom});
  auto* ruler = new QGroupBox(QStringLiteral("&Ruler"), this);
  auto* rulerGrid = new QGridLayout(ruler);
  rulerGrid->addWidget(new QLabel(QStringLiteral("Mark every"), this), 0, 0);
  rulerGrid->addWidget(markCount, 0, 1);
  rulerGrid->addWidget(markUnit, 0, 2);
  rulerGrid->addWidget(new QLabel(QStringLiteral("Label every"), this), 1, 0);
  rulerGrid->addWidget(labelCount, 1, 1);
  rulerGrid->addWidget(labelUnit, 1, 2);
  auto* kindRow = new QHBoxLayout;
  kindRow->addWidget(new QLabel(QStringLiteral("Time system"), this));
  kindRow->addWidget(kind);
  kindRow->addStretch();

  auto* boxes = new QHBoxLayout;
  boxes->addWidget(axis);
  boxes->addWidget(mirror, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(boxes);
  layout->addWidget(ruler);
  layout->addLayout(kindRow);
  layout->addLayout(okCancelHelpRow(this, optionsTopic, [this] { acceptIfValid(); }));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void GraphOptionsDialog::acceptIfValid() {
  const auto count = [this](int controlId) {
    return stepTextValue(symbolBytes(control<QLineEdit>(this, controlId)->text()));
  };
  const int marks = count(id::markCount);
  const int labels = count(id::labelCount);
  for (const auto& [value, field] : {std::pair{marks, id::markCount}, std::pair{labels, id::labelCount}}) {
    if (value < fewestRulerUnits || value > mostRulerUnits) {
      ReportInvalidInput(latin1(illegalStepText), this, field);
      return;
    }
  }
  GraphHeader& h = document_.header;
  h.labelCount = labels;
  h.markCount = marks;
  h.markUnit = static_cast<StepUnit>(control<QComboBox>(this, id::markUnit)->currentIndex());
  h.labelUnit = static_cast<StepUnit>(control<QComboBox>(this, id::labelUnit)->currentIndex());
  h.xAxisHorizontal = control<QRadioButton>(this, id::horizontal)->isChecked();
  h.xAxisRightToLeft = control<QCheckBox>(this, id::rightToLeft)->isChecked();
  h.yAxisTopToBottom = control<QCheckBox>(this, id::topToBottom)->isChecked();
  h.timeKind = axisKinds[static_cast<std::size_t>(std::max(0, control<QComboBox>(this, id::timeSystem)->currentIndex()))];
  h.modified = true;
  accept();
}

}  // namespace noctavo
