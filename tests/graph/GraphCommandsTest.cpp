// File/Open, Save, Save as and New of the graph, the Calculate Graph dialog,
// and the graph's place in the frame, as a user walks through them.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <memory>

#include "frame/WindowMessages.h"
#include "graph/CalculateGraphDialog.h"
#include "graph/DefaultGraph.h"
#include "graph/GraphFile.h"
#include "graph/GraphFiles.h"
#include "graph/GraphWindow.h"
#include "shell/MainFrame.h"
#include "support/ModalDialogs.h"
#include "support/TemporarySettings.h"
#include "ui/DialogControls.h"
#include "ui/SettingsStore.h"
#include "ui/WaitDialog.h"

namespace noctavo {
namespace {

using testing::ModalWatch;

constexpr int okButton = 1;  // of the Calculate Graph dialog
// The message box's buttons: OK or Yes, No.
constexpr int yesButton = 253;
constexpr int noButton = 254;

// Presses a button of whatever modal dialog shows; the message box's first
// button (OK) where it has no such button in use.
std::function<void(QWidget*)> pressing(int buttonId) {
  return [buttonId](QWidget* dialog) {
    auto* button = qobject_cast<QPushButton*>(findControlOrNull(dialog, buttonId));
    if (!button || button->isHidden() || !button->isEnabled()) {
      button = qobject_cast<QPushButton*>(findControlOrNull(dialog, yesButton));
    }
    if (button) button->click();
  };
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString unsavedQuestion = QStringLiteral("The graph has not been saved. Save?");

class GraphCommandsTest : public ::testing::Test {
 protected:
  GraphCommandsTest() : files(*document, nullptr, folder.path()) {
    makeDefaultGraph(*document);
    setGraphFileChooser([this](QWidget*, GraphFileDialog which, const QString& start) {
      EXPECT_EQ(start, folder.path());
      log.push_back(which == GraphFileDialog::Open ? "open dialog" : "save dialog");
      return chosen;
    });
  }
  ~GraphCommandsTest() override { setGraphFileChooser({}); }

  QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

  // Carries out a command answering every message with the button; the
  // texts shown, each also noted in the log.
  QStringList answered(int buttonId, const std::function<void()>& command) {
    ModalWatch watch([this, buttonId](QWidget* dialog) {
      log.push_back("message");
      pressing(buttonId)(dialog);
    });
    command();
    QStringList texts;
    for (const testing::ShownDialog& shown : watch.shown) texts << shown.text;
    return texts;
  }

  QTemporaryDir folder;
  std::unique_ptr<GraphDocument> document = std::make_unique<GraphDocument>();
  GraphFiles files;
  QString chosen;
  std::vector<std::string> log;
};

TEST_F(GraphCommandsTest, SaveSaveAsAndOpenAskWhatTheyMustAndRefuseWhatIsNoGraph) {
  // File/Save without a file is File/Save as.
  chosen = path("a.gph");
  document->header.modified = true;
  ASSERT_TRUE(files.saveGraph());
  EXPECT_FALSE(document->header.modified);
  EXPECT_EQ(fileBytes(chosen).size(), 60056);
  EXPECT_EQ(files.windowTitle(), QStringLiteral("Graph: a.gph"));

  // Save as onto a file that is there, answered No: the file, the name and
  // the changes stay.
  QFile other(path("b.gph"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("old") == 3);
  other.close();
  document->header.setName("Changed");
  document->header.modified = true;
  chosen = path("b.gph");
  EXPECT_EQ(answered(noButton, [this] { EXPECT_FALSE(files.saveGraphAs()); }),
            QStringList{QStringLiteral("A file with this name already exists. Overwrite?")});
  EXPECT_EQ(fileBytes(chosen), QByteArray("old"));
  EXPECT_EQ(files.currentGraph(), path("a.gph"));

  // Open asks about the changed graph once a file has been chosen; a file
  // that is no graph, or none at all, is refused with one message, and the
  // graph and its name stay as they were.
  const std::vector<unsigned char> before = encodeGraph(*document);
  log.clear();
  EXPECT_EQ(answered(noButton, [this] { EXPECT_FALSE(files.openGraph()); }),
            (QStringList{unsavedQuestion, QStringLiteral("Error reading file")}));
  EXPECT_EQ(log, (std::vector<std::string>{"open dialog", "message", "message"}));
  EXPECT_EQ(answered(noButton, [this] { EXPECT_FALSE(files.loadGraph(path("missing.gph"))); }),
            QStringList{QStringLiteral("Noctavo was unable to open or write ") + path("missing.gph")});
  EXPECT_EQ(encodeGraph(*document), before);
  EXPECT_EQ(files.currentGraph(), path("a.gph"));

  // Yes, with a save that fails (the current graph is now a folder): the
  // changed graph is not dropped for the file chosen.
  files.setCurrentGraph(folder.path());
  chosen = path("a.gph");
  EXPECT_EQ(answered(yesButton, [this] { EXPECT_FALSE(files.openGraph()); }).size(), 2);
  EXPECT_EQ(encodeGraph(*document), before);
  files.setCurrentGraph(path("a.gph"));

  // No drops the changes, and the saved graph comes back.
  chosen = path("a.gph");
  EXPECT_EQ(answered(noButton, [this] { EXPECT_TRUE(files.openGraph()); }), QStringList{unsavedQuestion});
  EXPECT_STREQ(document->header.name, "Ziduzovuzizo Zeveviza 2001");
  EXPECT_FALSE(document->header.modified);
}

TEST_F(GraphCommandsTest, AFailedSaveKeepsTheOldFileAndTheGraphUnsaved) {
  const QString graph = path("kept.gph");
  chosen = graph;
  ASSERT_TRUE(files.saveGraphAs());
  const QByteArray before = fileBytes(graph);
  document->header.setName("Changed");
  document->header.modified = true;
  // A file-size limit makes every write past 1000 bytes fail, like a full
  // disk; the signal it would raise is ignored so that the write reports it.
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{1000, limit.rlim_max};
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const QStringList shown = answered(yesButton, [this] { EXPECT_FALSE(files.saveGraph()); });
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previous);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Error writing file"))) << shown[0].toStdString();
  EXPECT_EQ(fileBytes(graph), before);
  EXPECT_TRUE(document->header.modified);
}

// An installed program's graph folder is only read: File/Save of its graph
// asks for a name in the user's own folder, which is made for it, and the
// installed file stays as it was.
TEST(GraphFilesOfAnInstalledProgram, SaveTheInstalledGraphUnderANameOfTheUsersOwn) {
  QTemporaryDir installed;
  QTemporaryDir home;
  const QString own = home.filePath(QStringLiteral("data/GRAPHS"));
  auto document = std::make_unique<GraphDocument>();
  makeDefaultGraph(*document);
  const QString shipped = installed.filePath(QString::fromLatin1(defaultGraphFileName));
  const std::vector<unsigned char> image = encodeGraph(*document);
  QFile file(shipped);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(reinterpret_cast<const char*>(image.data()),
                                                            static_cast<qint64>(image.size())) == 60056);
  file.close();

  GraphFiles files(*document, nullptr, installed.path(), own);
  std::vector<QString> starts;
  setGraphFileChooser([&](QWidget*, GraphFileDialog, const QString& start) {
    starts.push_back(start);
    return QDir(start).filePath(QStringLiteral("mine.gph"));
  });
  ASSERT_TRUE(files.loadGraph(files.defaultGraph()));
  document->header.setName("Changed");
  document->header.modified = true;
  EXPECT_TRUE(files.saveGraph());
  EXPECT_TRUE(files.openGraph());
  setGraphFileChooser({});

  EXPECT_EQ(starts, (std::vector<QString>{own, own}));
  EXPECT_EQ(files.currentGraph(), QDir(own).filePath(QStringLiteral("mine.gph")));
  EXPECT_STREQ(document->header.name, "Changed");
  EXPECT_EQ(fileBytes(shipped), QByteArray(reinterpret_cast<const char*>(image.data()), 60056));
}

// The user opens the dialog on a graph never calculated, types a bad step,
// is told so, corrects it, and gets the year calculated.
TEST_F(GraphCommandsTest, CalculateGraphRefusesABadStepThenCalculatesTheYear) {
  for (GraphLine& line : document->lines) line.calculated = false;
  document->header.calculated = false;
  Observer programObserver;
  programObserver.dateTime = AstDateTime(15, 6, 2003, 12.0, TimeKind::Lct);
  QString message;
  int focusAfterMessage = -1;
  {
    ModalWatch watch([&](QWidget* dialog) {
      qobject_cast<QPushButton*>(findControlOrNull(dialog, 346))->click();  // "Select..."
      EXPECT_EQ(qobject_cast<QLineEdit*>(findControlOrNull(dialog, 121))->text(), QStringLiteral("+1.0"));
      EXPECT_EQ(qobject_cast<QDateEdit*>(findControlOrNull(dialog, 101))->text(), QStringLiteral("01.01.2003"));
      auto* step = qobject_cast<QLineEdit*>(findControlOrNull(dialog, 243));
      step->setText(QStringLiteral("abc"));
      // The refusal is a message box of its own, over the dialog.
      testing::whenModalAppears([&](QWidget* box) {
        message = qobject_cast<QLabel*>(findControlOrNull(box, 135))->text();
        pressing(yesButton)(box);
      });
      pressing(okButton)(dialog);
      if (QWidget* focus = dialog->focusWidget()) focusAfterMessage = controlIdOf(focus);
      step->setText(QStringLiteral("1"));
      pressing(okButton)(dialog);
    });
    const LocationChooser paris = [](QWidget*, LocationRecord& place) {
      place.longitude.set(-2.35);
      place.latitude.set(48.85);
      place.timeZone = 1.0f;
      return true;
    };
    ASSERT_TRUE(runCalculateDialog(nullptr, *document, programObserver, paris));
    EXPECT_EQ(watch.count(), 1);
  }
  EXPECT_EQ(message, QStringLiteral("You entered an illegel step value"));
  EXPECT_EQ(focusAfterMessage, 243);
  EXPECT_EQ(WaitWindow(), nullptr);
  const GraphHeader& h = document->header;
  EXPECT_EQ(h.end, AstDateTime(1, 1, 2004, 0.0, TimeKind::Lct));
  EXPECT_TRUE(h.calculated && h.modified);
  EXPECT_NEAR(h.observer.longitude(), -2.35, 1e-3);  // as the field's text gave it
  EXPECT_EQ(h.observer.timeZone(), 1.0f);
  EXPECT_EQ(h.markUnit, StepUnit::Months);
  for (const GraphLine& line : document->lines) EXPECT_EQ(line.calculated, !line.free);

  // Cancel changes nothing.
  const std::vector<unsigned char> before = encodeGraph(*document);
  ModalWatch cancel;
  EXPECT_FALSE(runCalculateDialog(nullptr, *document, programObserver, {}));
  EXPECT_EQ(encodeGraph(*document), before);
}

// At start the graph of the last run comes in and Calculate is enabled;
// File/New clears it after the question; a stored graph that is gone leaves
// the empty graph.
TEST(GraphWindow, LoadsTheCurrentGraphAtStartAndNewClearsIt) {
  testing::TemporarySettings settings;
  registerWindowMessages();
  MainFrame frame;
  GraphWindow* host = createGraphWindow(frame, qEnvironmentVariable("NOCTAVO_DATA_DIR"));
  EXPECT_STREQ(graphDocument().header.name, "Ziduzovuzizo Zeveviza 2001");
  EXPECT_TRUE(frame.isCommandEnabled(command::graphCalculate));
  EXPECT_TRUE(frame.isCommandEnabled(command::fileOpen));
  EXPECT_TRUE(frame.isCommandEnabled(command::graphEdit));
  graphDocument().header.modified = true;
  EXPECT_TRUE(host->graphHasUnsavedChanges());
  {
    ModalWatch yes(pressing(yesButton));
    frame.executeCommand(command::fileNew);
    ASSERT_EQ(yes.count(), 1);
    EXPECT_EQ(yes.shown[0].text, QStringLiteral("Do you want to clear the graph?"));
  }
  EXPECT_EQ(graphDocument().header.lineCount, 0);
  EXPECT_FALSE(frame.isCommandEnabled(command::graphCalculate));
  EXPECT_EQ(host->files().windowTitle(), QStringLiteral("Graph: Unnamed"));

  // The next start finds its stored graph gone: one message, the empty graph.
  ASSERT_TRUE(host->files().loadGraph(host->files().defaultGraph()));
  SettingsWriteString(settingsKey("Graph"), "Current graph", "/nonexistent/gone.gph");
  MainFrame next;
  ModalWatch shown(pressing(yesButton));
  GraphWindow* again = createGraphWindow(next, qEnvironmentVariable("NOCTAVO_DATA_DIR"));
  EXPECT_EQ(shown.count(), 1);
  EXPECT_EQ(graphDocument().header.lineCount, 0);
  EXPECT_TRUE(again->files().currentGraph().isEmpty());
}

}  // namespace
}  // namespace noctavo
