// The Graph window as a user meets it: the plot's pixels (wrap, gaps,
// mirrors, the guide line), clicks and arrows, the ruler, the four dialogs
// with their limits and refusals, and the CSV export.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "bodies/BodyRegistry.h"
#include "bodies/QuantityBits.h"
#include "frame/CommandIds.h"
#include "frame/WindowMessages.h"
#include "graph/DefaultGraph.h"
#include "graph/GraphCalculation.h"
#include "graph/GraphDialogs.h"
#include "graph/GraphExport.h"
#include "graph/GraphPainter.h"
#include "graph/GraphWindow.h"
#include "shell/MainFrame.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "ui/ColourTable.h"
#include "ui/DialogControls.h"
#include "ui/SettingsStore.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

using testing::ModalWatch;

constexpr int yesButton = 253;  // of the message box

// A document with one line of Mars in slot `slot`, calculated, every value
// invalid until the test sets some.
GraphLine& marsLine(GraphDocument& document, std::uint32_t flag, int slot = 0) {
  resetDocument(document);
  document.header.calculated = true;
  GraphLine& line = document.lines[static_cast<std::size_t>(slot)];
  line = GraphLine{};
  line.setName("Mars");
  line.free = false;
  line.calculated = true;
  line.objectType = ObjectType::Planet;
  line.objectIndex = static_cast<std::uint16_t>(bodyByName(ObjectType::Planet, "Mars")->getIndex());
  line.quantityFlag = flag;
  line.colour = 12;  // a colour far from the background
  line.values.fill(-1000.0);
  document.header.lineCount = 1;
  return line;
}

bool columnHasLine(const QImage& image, int x, int fromY, int toY) {
  const QRgb line = ColourOfIndex(12).rgb();
  for (int y = fromY; y <= toY; ++y) {
    if (x >= 0 && x < image.width() && image.pixel(x, y) == line) return true;
  }
  return false;
}

QImage plotPicture(const GraphDocument& document, int width, int height) {
  const PlotScale scale = makePlotScale(width, height, document.header);
  const std::vector<LinePlot> plots = plotGraph(document, scale);
  GraphPlotPicture picture;
  picture.plots = &plots;
  picture.emptyGraph = false;
  return renderGraphPlot(QSize(width, height), picture);
}

TEST(GraphPlot, WrapsThroughTheEdgesLeavesGapsAndMirrors) {
  auto document = std::make_unique<GraphDocument>();
  struct Case {
    const char* name;
    bool rightToLeft;
    bool topToBottom;
  };
  for (const Case& c : {Case{"plain", false, false}, Case{"x mirrored", true, false}, Case{"y mirrored", false, true}}) {
    SCOPED_TRACE(c.name);
    GraphLine& line = marsLine(*document, quantity_bit::longitude);
    // 350, 355, 3, 8 degrees; then 100 degrees at 10 and 12 with 11 invalid.
    const double values[] = {350.0, 355.0, 3.0, 8.0};
    for (int i = 0; i < 4; ++i) line.values[static_cast<std::size_t>(i)] = values[i];
    line.values[10] = 100.0;
    line.values[12] = 100.0;
    document->header.xAxisRightToLeft = c.rightToLeft;
    document->header.yAxisTopToBottom = c.topToBottom;
    const QImage image = plotPicture(*document, 366, 360);
    const auto column = [&](int moment) { return c.rightToLeft ? 365 - moment : moment; };

    // Between 355 and 3 degrees the line runs out at one edge and comes in
    // at the other; nothing crosses the middle.
    for (int moment = 0; moment <= 3; ++moment) EXPECT_FALSE(columnHasLine(image, column(moment), 60, 300));
    EXPECT_TRUE(columnHasLine(image, column(1), 0, 10) || columnHasLine(image, column(2), 0, 10));
    EXPECT_TRUE(columnHasLine(image, column(1), 349, 359) || columnHasLine(image, column(2), 349, 359));
    // 355 degrees sits at the top, unless the y axis runs downwards.
    EXPECT_TRUE(columnHasLine(image, column(1), c.topToBottom ? 350 : 0, c.topToBottom ? 359 : 9));
    // The invalid moment 11 leaves a gap between the dots of 10 and 12.
    EXPECT_TRUE(columnHasLine(image, column(10), 0, 359));
    EXPECT_FALSE(columnHasLine(image, column(11), 0, 359));
    EXPECT_TRUE(columnHasLine(image, column(12), 0, 359));
  }
}

// A rise stored in Gmt as 23.5h, 23.9h, 0.3h wraps; shown in local time one
// hour east it is 0.5h, 0.9h, 1.3h and must not jump through the edges.
TEST(GraphPlot, TimesOfDayWrapAsTheyAreShown) {
  auto document = std::make_unique<GraphDocument>();
  GraphLine& line = marsLine(*document, quantity_bit::rise);
  document->header.begin = AstDateTime(1, 1, 2001, 0.0, TimeKind::Gmt);
  document->header.end = AstDateTime(1, 1, 2002, 0.0, TimeKind::Gmt);
  document->header.observer.location.timeZone = 1.0f;
  line.timeKind = TimeKind::Lct;
  line.values.fill(-1.0);
  line.values[0] = 23.5;
  line.values[1] = 23.9;
  line.values[2] = 0.3;
  const std::vector<LinePlot> plots = plotGraph(*document, makePlotScale(366, 240, document->header));
  ASSERT_EQ(plots.size(), 1u);
  EXPECT_EQ(plots[0].strokes.size(), 2u);
  for (const PlotStroke& s : plots[0].strokes) EXPECT_TRUE(s.y1 >= 0 && s.y2 >= 0 && s.y1 < 240 && s.y2 < 240);
}

TEST(GraphPlot, GuideLineDrawnTwiceGivesThePictureBack) {
  auto document = std::make_unique<GraphDocument>();
  makeDefaultGraph(*document);
  QImage image = plotPicture(*document, 400, 300);
  const QImage before = image.copy();
  toggleGuideLine(image, 183);
  EXPECT_NE(image, before);
  toggleGuideLine(image, 183);
  EXPECT_EQ(image, before);
}

TEST(GraphPlot, ClicksMapToTheMomentUnderThem) {
  GraphHeader header;
  struct Case {
    int width;
    bool rightToLeft;
    int x;
    int moment;
  };
  for (const Case& c : {Case{366, false, 0, 0}, Case{366, false, 365, 365}, Case{366, false, 100, 100},
                        Case{183, false, 50, 100}, Case{183, false, 182, 364}, Case{183, false, 91, 182},
                        Case{366, true, 365, 0}, Case{366, true, 0, 365},
                        // Wider than 366 pixels: the right edge is the last moment, not one past it.
                        Case{1000, false, 999, 365}}) {
    SCOPED_TRACE(::testing::Message() << c.width << (c.rightToLeft ? " mirrored" : "") << " x " << c.x);
    header.xAxisRightToLeft = c.rightToLeft;
    const PlotScale scale = makePlotScale(c.width, 300, header);
    EXPECT_EQ(xToMoment(scale, c.x), c.moment);
    if (c.width == 366) {
      EXPECT_EQ(momentToX(scale, c.moment), c.x);
    }
  }
}

TEST(GraphRuler, LabelsMonthsOfAYearAndNothingForSiderealDays) {
  auto document = std::make_unique<GraphDocument>();
  makeDefaultGraph(*document);
  GraphHeader& h = document->header;
  std::vector<std::string> labels;
  for (const RulerMark& mark : rulerMarks(h, 732, 40)) {
    if (!mark.label.empty()) labels.push_back(mark.label);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct",
                                              "Nov", "Dec"}));
  h.timeKind = TimeKind::Lst;
  h.markUnit = StepUnit::Days;
  EXPECT_TRUE(rulerMarks(h, 732, 40).empty());
  h.calculated = false;
  h.timeKind = TimeKind::Lct;
  EXPECT_TRUE(rulerMarks(h, 732, 40).empty());
}

TEST(GraphRuler, ANarrowPlotLeavesOutTheMonthsThatWouldRunIntoTheLastOneDrawn) {
  auto document = std::make_unique<GraphDocument>();
  makeDefaultGraph(*document);
  // Ten pixels a letter: a month's name is 30 wide and wants 10 more to the next.
  const auto tenPerLetter = [](const std::string& label) { return 10 * static_cast<int>(label.size()); };
  for (const bool rightToLeft : {false, true}) {
    SCOPED_TRACE(rightToLeft ? "mirrored" : "");
    document->header.xAxisRightToLeft = rightToLeft;
    const std::vector<RulerMark> marks = rulerMarks(document->header, 200, 40);
    const std::vector<bool> fits = rulerLabelsThatFit(marks, tenPerLetter);
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < marks.size(); ++i) {
      if (fits[i]) shown.push_back(marks[i].label);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"Jan", "Apr", "Jul", "Oct"}));
  }
}

class GraphWindowTest : public ::testing::Test {
 protected:
  GraphWindowTest() {
    area.resize(1200, 800);
    area.show();
    window = std::make_unique<GraphWindow>(&area, nullptr, qEnvironmentVariable("NOCTAVO_DATA_DIR"));
    window->showNormal();
    window->resize(1000, 700);
    window->layoutWindow();
  }

  template <class T>
  T* control(const QWidget* dialog, int id) {
    return qobject_cast<T*>(findControlOrNull(dialog, id));
  }

  testing::TemporarySettings settings;
  QMdiArea area;
  std::unique_ptr<GraphWindow> window;
};

TEST_F(GraphWindowTest, ClicksAndArrowsMoveTheGuideLineAndStopAtTheEnds) {
  ASSERT_GT(window->document().header.lineCount, 0);
  GraphPlotView* plot = window->plot();
  const QPoint at(momentToX(plot->scale(), 40), plot->height() / 2);
  QTest::mouseClick(plot, Qt::LeftButton, {}, at);
  EXPECT_EQ(window->currentMoment(), 40);
  EXPECT_EQ(window->controlPanel()->controlText(graph_control::date),
            QString::fromStdString(momentAt(window->document().header, 40, TimeKind::Lct).formatDate()));

  auto* left = control<QPushButton>(window->controlPanel(), graph_control::arrowLeft);
  auto* right = control<QPushButton>(window->controlPanel(), graph_control::arrowRight);
  window->setCurrentMoment(1);
  left->click();
  EXPECT_EQ(window->currentMoment(), 0);
  EXPECT_FALSE(left->isEnabled());
  window->setCurrentMoment(364);
  right->click();
  EXPECT_EQ(window->currentMoment(), 365);
  EXPECT_FALSE(right->isEnabled());
  right->click();
  EXPECT_EQ(window->currentMoment(), 365);
}

// Edit Graph with a full graph: New is disabled until a line is deleted,
// and the new line takes the freed slot; names stop at their limits; a
// taken name is refused by New Line and by Edit Line.
TEST_F(GraphWindowTest, EditGraphKeepsTheLimitsAndRefusesTakenNames) {
  GraphDocument& document = window->document();
  const AstBody& mars = *bodyByName(ObjectType::Planet, "Mars");
  resetDocument(document);
  while (document.header.lineCount < graphSlotCount) {
    const std::string name = "L" + std::to_string(document.header.lineCount);
    addLine(document, name, mars, *mars.findQuantity(quantity_bit::phase));
  }
  int changes = 0;
  EditGraphDialog edit(nullptr, document, [&changes] { ++changes; });
  auto* add = control<QPushButton>(&edit, graph_dialog::newLine);
  EXPECT_FALSE(add->isEnabled());
  auto* name = control<QLineEdit>(&edit, graph_dialog::graphName);
  name->clear();
  QTest::keyClicks(name, QString(31, QLatin1Char('g')));
  EXPECT_EQ(name->text().size(), 30);

  auto* list = control<QListWidget>(&edit, graph_dialog::lines);
  list->setCurrentRow(3);
  const int freed = findLine(document, symbolBytes(list->currentItem()->text()));
  {
    ModalWatch yes([](QWidget* box) { qobject_cast<QPushButton*>(findControlOrNull(box, yesButton))->click(); });
    edit.deleteLine();
  }
  EXPECT_TRUE(add->isEnabled());
  EXPECT_EQ(document.header.lineCount, 19);

  QStringList messages;
  const auto answerYes = [&messages](QWidget* box) {
    messages << qobject_cast<QLabel*>(findControlOrNull(box, 135))->text();
    qobject_cast<QPushButton*>(findControlOrNull(box, yesButton))->click();
  };
  {
    ModalWatch newLine([&](QWidget* dialog) {
    auto* lineName = control<QLineEdit>(dialog, graph_dialog::lineName);
    lineName->clear();
    QTest::keyClicks(lineName, QStringLiteral("L5"));  // taken: refused, the dialog stays
    {
      ModalWatch refused(answerYes);
      control<QPushButton>(dialog, 1)->click();
    }
    lineName->clear();
    QTest::keyClicks(lineName, QStringLiteral("Mars distance 12"));  // a 16th character is not taken
    EXPECT_EQ(lineName->text(), QStringLiteral("Mars distance 1"));
    control<QPushButton>(dialog, 1)->click();
    });
    edit.newLine();
  }
  EXPECT_EQ(messages, QStringList{QStringLiteral("A line with that name already exists.")});
  EXPECT_STREQ(document.lines[static_cast<std::size_t>(freed)].name, "Mars distance 1");
  EXPECT_FALSE(add->isEnabled());

  // Edit Line refuses another line's name, as New Line does.
  messages.clear();
  EXPECT_EQ(changes, 2);
  EditLineDialog rename(nullptr, document, findLine(document, "L7"));
  control<QLineEdit>(&rename, graph_dialog::lineName)->setText(QStringLiteral("L8"));
  {
    ModalWatch refused(answerYes);
    control<QPushButton>(&rename, 1)->click();
  }
  EXPECT_EQ(messages, QStringList{QStringLiteral("A line with that name already exists.")});
  EXPECT_NE(rename.result(), QDialog::Accepted);
  EXPECT_GE(findLine(document, "L7"), 0);
}

// A renamed graph is modified, so that the question at exit keeps the name.
TEST_F(GraphWindowTest, ANewGraphNameModifiesTheGraph) {
  GraphDocument& document = window->document();
  for (const char* name : {"Ziduzovuzizo Zeveviza 2001", "Mars 2003"}) {
    document.header.modified = false;
    EditGraphDialog edit(nullptr, document, {});
    control<QLineEdit>(&edit, graph_dialog::graphName)->setText(QString::fromLatin1(name));
    control<QPushButton>(&edit, graph_dialog::ok)->click();
    EXPECT_STREQ(document.header.name, name);
    EXPECT_EQ(document.header.modified, std::string(name) == "Mars 2003") << name;
  }
}

TEST_F(GraphWindowTest, NewLineOfTheMoonAndEditLineOfAPlainQuantity) {
  NewLineDialog add(nullptr, window->document());
  control<QComboBox>(&add, graph_dialog::objectType)->setCurrentText(QStringLiteral("Moon"));
  auto* names = control<QComboBox>(&add, graph_dialog::objectName);
  EXPECT_FALSE(names->isEnabled());
  EXPECT_EQ(names->count(), 0);
  EXPECT_EQ(control<QComboBox>(&add, graph_dialog::function)->count(), 12);

  GraphDocument& document = window->document();
  GraphLine& line = marsLine(document, quantity_bit::phase);
  line.timeKind = TimeKind::Lct;
  EditLineDialog edit(nullptr, document, 0);
  EXPECT_FALSE(control<QComboBox>(&edit, graph_dialog::system)->isEnabled());
  control<QCheckBox>(&edit, graph_dialog::hide)->setChecked(true);
  control<QComboBox>(&edit, graph_dialog::colour)->setCurrentIndex(3);
  control<QPushButton>(&edit, 1)->click();
  EXPECT_EQ(line.timeKind, TimeKind::None);
  EXPECT_EQ(line.coordSystem, CoordSystem::None);
  EXPECT_TRUE(line.hidden && line.calculated);
  EXPECT_EQ(line.colour, 3);
  EXPECT_EQ(lineValueText(document.header, line, 0), "Hidden");
}

TEST_F(GraphWindowTest, GraphOptionsRefuseRulerCountsOutsideOneToHundred) {
  GraphDocument& document = window->document();
  struct Case {
    const char* mark;
    const char* label;
    bool accepted;
  };
  for (const Case& c : {Case{"0", "1", false}, Case{"101", "1", false}, Case{"x", "1", false}, Case{"1", "0", false},
                        Case{"1", "100", true}, Case{"100", "1", true}}) {
    SCOPED_TRACE(::testing::Message() << c.mark << " / " << c.label);
    document.header.modified = false;
    document.header.xAxisRightToLeft = false;
    GraphOptionsDialog options(nullptr, document);
    control<QLineEdit>(&options, graph_dialog::markCount)->setText(QString::fromLatin1(c.mark));
    control<QLineEdit>(&options, graph_dialog::labelCount)->setText(QString::fromLatin1(c.label));
    control<QCheckBox>(&options, graph_dialog::rightToLeft)->setChecked(true);
    QString message;
    {
      ModalWatch watch([&message](QWidget* box) {
        message = qobject_cast<QLabel*>(findControlOrNull(box, 135))->text();
        qobject_cast<QPushButton*>(findControlOrNull(box, yesButton))->click();
      });
      control<QPushButton>(&options, 1)->click();
    }
    EXPECT_EQ(options.result() == QDialog::Accepted, c.accepted);
    EXPECT_EQ(document.header.modified, c.accepted);
    EXPECT_EQ(message, c.accepted ? QString() : QStringLiteral("You entered an illegel step value"));
    EXPECT_EQ(document.header.xAxisRightToLeft, c.accepted);
  }
}

// The settings of the last run: guide line off, a moment past the graph's
// end (clamped). Graph/Calculate from the frame's menu then turns the guide
// line on with its check mark, goes to the middle moment and maximizes.
TEST(GraphWindowInFrame, CalculateTurnsTheGuideLineOnAtTheMiddleMoment) {
  testing::TemporarySettings settings;
  registerWindowMessages();
  SettingsWriteString(settingsKey("Graph"), "Guide line on", "0");
  SettingsWriteString(settingsKey("Graph"), "Current value", "999");
  MainFrame frame;
  GraphWindow* graph = createGraphWindow(frame, qEnvironmentVariable("NOCTAVO_DATA_DIR"));
  EXPECT_EQ(graph->currentMoment(), graphLastMoment);
  EXPECT_FALSE(frame.isCommandChecked(command::graphGuideLine) || graph->guideLineOn());
  resetDocument(graph->document());
  const AstBody& mars = *bodyByName(ObjectType::Planet, "Mars");
  addLine(graph->document(), "Mars distance", mars, *mars.findQuantity(quantity_bit::distanceFromEarth));
  graph->documentChanged();
  EXPECT_FALSE(frame.isCommandEnabled(command::graphGuideLine));
  {
    ModalWatch ok([](QWidget* dialog) { qobject_cast<QPushButton*>(findControlOrNull(dialog, 1))->click(); });
    frame.executeCommand(command::graphCalculate);
  }
  EXPECT_TRUE(graph->document().lines[0].calculated);
  EXPECT_EQ(graph->currentMoment(), 183);
  EXPECT_TRUE(frame.isCommandChecked(command::graphGuideLine) && graph->guideLineOn());
  EXPECT_TRUE(graph->isMaximized());
  EXPECT_TRUE(frame.isCommandEnabled(command::graphExportCsv));
  graph->document().header.modified = false;
}

TEST(GraphExport, CsvHoldsEveryMomentWithItsTextAndNumber) {
  auto document = std::make_unique<GraphDocument>();
  makeDefaultGraph(*document);
  GraphHeader header = document->header;
  GraphLine& line = marsLine(*document, quantity_bit::phase, 2);
  document->header = header;
  document->header.lineCount = 1;
  for (GraphLine& other : document->lines) other.free = &other != &line;
  line.values[0] = 50.0;
  line.values[1] = 75.25;
  line.setName("Mars, phase");
  const QList<QByteArray> rows = graphCsv(*document).split('\n');
  ASSERT_EQ(rows.size(), graphMomentCount + 2);  // header, 366 moments, the empty end
  EXPECT_EQ(rows[0], QByteArray("Index,Date (LCT),Time (LCT),\"Mars, phase\",\"Mars, phase (number)\"\r"));
  EXPECT_EQ(rows[1], QByteArray("0,01.01.2001,00:00:00,50%,50\r"));
  EXPECT_EQ(rows[2], QByteArray("1,02.01.2001,00:00:00,75%,75.25\r"));
  EXPECT_EQ(rows[3], QByteArray("2,03.01.2001,00:00:00,,\r"));
  EXPECT_TRUE(rows[366].startsWith("365,01.01.2002,00:00:00,"));
}

}  // namespace
}  // namespace noctavo
