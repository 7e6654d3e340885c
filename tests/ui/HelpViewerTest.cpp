// The help viewer and the help topics that come with the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/HelpViewer.h"

namespace noctavo {
namespace {

// The help topics as they are shipped: the folder "help" of the source tree.
const QString shipped = QStringLiteral(NOCTAVO_SOURCE_DIR "/help");
const QString missingTitle = QStringLiteral("Missing help topic");

QStringList shippedTopics() { return QDir(shipped).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name); }

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The links of a topic file, as written in its href attributes.
QStringList hrefsOf(const QString& path) {
  static const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""),
                                       QRegularExpression::CaseInsensitiveOption);
  QStringList links;
  for (auto it = href.globalMatch(QString::fromUtf8(readFile(path))); it.hasNext();) links.append(it.next().captured(1));
  return links;
}

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override { useHelpFolder(shipped); }
  void TearDown() override {
    closeAllHelp();
    qputenv("NOCTAVO_HELP_DIR", previous_);
  }
  static void useHelpFolder(const QString& folder) { qputenv("NOCTAVO_HELP_DIR", folder.toUtf8()); }

  static HelpWindow& shownWindow() {
    HelpWindow* window = helpWindow();
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return *window;
  }
  static QStringList contentsTopics(const HelpWindow& window) {
    QStringList topics;
    for (QTreeWidgetItemIterator it(window.contentsTree()); *it; ++it) {
      if (const QString topic = (*it)->data(0, Qt::UserRole).toString(); !topic.isEmpty()) topics.append(topic);
    }
    return topics;
  }
  static void search(HelpWindow& window, const QString& words) {
    window.searchField()->setText(words);
    QTest::keyClick(window.searchField(), Qt::Key_Return);
  }

 private:
  const QByteArray previous_ = qgetenv("NOCTAVO_HELP_DIR");
};

TEST_F(HelpViewerTest, HelpFromAModalDialogStandsAboveItAndStaysOpenAfterIt) {
  QDialog dialog;
  (new QVBoxLayout(&dialog))->addLayout(okCancelHelpRow(&dialog, "dialog date and time.htm", [] {}));
  dialog.setModal(true);
  dialog.show();
  QTest::mouseClick(findControlOrNull(&dialog, dialog_button::help), Qt::LeftButton);
  HelpWindow& window = shownWindow();
  EXPECT_EQ(window.parentWidget(), &dialog);         // above the dialog,
  EXPECT_EQ(QApplication::activeWindow(), &window);  // and not blocked by it
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Noctavo Help - Date and Time"));
  dialog.hide();
  EXPECT_EQ(window.parentWidget(), nullptr);
  EXPECT_TRUE(window.isVisible());
  window.showContentsPage();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Noctavo Help"));  // not "Noctavo Help - Noctavo Help"
}

TEST_F(HelpViewerTest, EveryTopicTheProgramAsksForIsThereAMissingOneShowsTheMissingPageAndSearchNeedsEveryWord) {
  // The help commands of the main menu and the F1 topics of the windows and
  // dialogs name these files.
  for (const char* topic : {"contents.htm", "main menu.htm", "Quick Tour.htm", "glossary.htm",
                            "dialog date and time.htm", "dialog appearance.htm", "sky window.htm",
                            "solar system window.htm", "graph window.htm", "picture window.htm",
                            "utilitiesobjectinfo.htm", "utilitiessymboltable.htm"}) {
    showHelpTopic(QString::fromLatin1(topic));
    EXPECT_EQ(shownWindow().currentTopic(), QString::fromLatin1(topic));
    EXPECT_NE(shownWindow().currentTitle(), missingTitle) << topic;
    EXPECT_FALSE(shownWindow().currentTitle().isEmpty()) << topic;
  }
  showHelpTopic(QStringLiteral("no such topic.htm"));
  HelpWindow& window = shownWindow();
  EXPECT_FALSE(window.isModal() || window.testAttribute(Qt::WA_QuitOnClose));  // never keeps the program running
  EXPECT_EQ(window.currentTitle(), missingTitle);
  EXPECT_TRUE(window.topicPane()->toPlainText().contains(QStringLiteral("\"no such topic.htm\" is missing")));
  // The search finds the topics that hold every word.
  showHelpSearch();
  search(window, QStringLiteral("sidereal"));
  EXPECT_TRUE(window.searchResultTopics().contains(QStringLiteral("glossary.htm")));
  EXPECT_EQ(window.currentTopic(), window.searchResultTopics().front());  // the best hit is shown at once
  search(window, QStringLiteral("sidereal nowherefound"));
  EXPECT_TRUE(window.searchResultTopics().isEmpty());
  closeAllHelp();
  EXPECT_EQ(helpWindow(), nullptr);
}


// Every topic has a title and the shared style, writes special characters
// as entities, and every link leads to an existing topic (and anchor); the
// contents list every topic, and every topic can be reached from them.
TEST_F(HelpViewerTest, TheShippedTopicsAreWholeAndAllReachableFromTheContents) {
  const QStringList topics = shippedTopics();
  ASSERT_GE(topics.size(), 15);
  static const QRegularExpression title(QStringLiteral("<title>[^<]+</title>"));
  QMap<QString, QStringList> linkedTopics;
  for (const QString& topic : topics) {
    SCOPED_TRACE(topic.toStdString());
    const QString path = QDir(shipped).filePath(topic);
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    EXPECT_TRUE(title.match(QString::fromUtf8(bytes)).hasMatch());
    EXPECT_TRUE(hrefsOf(path).contains(QStringLiteral("help.css")));
    for (const QString& href : hrefsOf(path)) {
      const QUrl target = QUrl::fromLocalFile(path).resolved(QUrl(href));
      ASSERT_TRUE(target.isLocalFile()) << href.toStdString() << ": links stay inside the help";
      EXPECT_TRUE(QFileInfo(target.toLocalFile()).isFile()) << href.toStdString();
      if (target.hasFragment()) {
        EXPECT_TRUE(readFile(target.toLocalFile()).contains(QStringLiteral("name=\"%1\"").arg(target.fragment()).toUtf8()))
            << href.toStdString() << ": no such anchor";
      }
      if (target.toLocalFile().endsWith(QStringLiteral(".htm"))) {
        linkedTopics[topic].append(QFileInfo(target.toLocalFile()).fileName());
      }
    }
  }
  showHelpContents();
  HelpWindow& window = shownWindow();
  EXPECT_EQ(window.currentTopic(), QStringLiteral("contents.htm"));
  const QStringList listed = contentsTopics(window);
  for (const QString& topic : listed) EXPECT_TRUE(QFileInfo::exists(QDir(shipped).filePath(topic))) << topic.toStdString();
  QStringList toVisit = {QStringLiteral("contents.htm")};
  QSet<QString> reached;
  while (!toVisit.isEmpty()) {
    const QString topic = toVisit.takeFirst();
    if (!reached.contains(topic)) toVisit.append(linkedTopics.value(topic));
    reached.insert(topic);
  }
  for (const QString& topic : topics) {
    if (topic == QStringLiteral("contents.htm")) continue;  // the page the list comes from
    EXPECT_TRUE(listed.contains(topic)) << topic.toStdString() << " is not in the contents";
    EXPECT_TRUE(reached.contains(topic)) << topic.toStdString() << " cannot be reached by links";
  }
}


}  // namespace
}  // namespace noctavo
