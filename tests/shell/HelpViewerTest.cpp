// The help viewer and the help topics that come with the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <algorithm>

#include "shell/HelpViewer.h"

namespace noctavo {
namespace {

// The help topics as they are shipped: the folder "help" of the source tree.
const QString shipped = QDir::cleanPath(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../help");
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

// Clicks the first link of the shown topic whose href is `href`, as the
// user would; false when the topic has no such link.
bool clickLink(QTextBrowser* browser, const QString& href) {
  QTextDocument* document = browser->document();
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref() != href) continue;
      QTextCursor cursor(document);
      cursor.setPosition(fragment.position() + fragment.length() / 2);
      browser->setTextCursor(cursor);
      browser->ensureCursorVisible();
      QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect().center());
      return true;
    }
  }
  return false;
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
  // The topics of the contents tree, and the item of one of them.
  static QStringList contentsTopics(const HelpWindow& window, const QString& wanted = {},
                                    QTreeWidgetItem** found = nullptr) {
    QStringList topics;
    for (QTreeWidgetItemIterator it(window.contentsTree()); *it; ++it) {
      if (const QString topic = (*it)->data(0, Qt::UserRole).toString(); !topic.isEmpty()) topics.append(topic);
      if (found && !*found && (*it)->data(0, Qt::UserRole).toString() == wanted) *found = *it;
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

// A reader's path through the shipped help: a topic opened by the
// program, an entry of the glossary, the contents and a link with spaces in
// its name, back and forward, a contents entry, and a search.
TEST_F(HelpViewerTest, AReaderFollowsTopicsLinksHistoryContentsAndSearchInOneWindow) {
  showHelpTopic(QStringLiteral("dialog date and time.htm"));
  HelpWindow& window = shownWindow();
  EXPECT_FALSE(window.isModal());
  EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose));  // never keeps the program running
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Date and Time"));
  EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Date and Time")));
  EXPECT_TRUE(window.topicPane()->toPlainText().contains(QStringLiteral("Real time clock")));
  EXPECT_FALSE(window.backButton()->isEnabled());
  showHelpTopic(QStringLiteral("glossary.htm#twilight"));  // scrolled to the entry
  EXPECT_EQ(helpWindow(), &window);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("glossary.htm"));
  EXPECT_GT(window.topicPane()->verticalScrollBar()->value(), 0);
  QTest::mouseClick(window.homeButton(), Qt::LeftButton);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("contents.htm"));
  ASSERT_TRUE(clickLink(window.topicPane(), QStringLiteral("dialog%20date%20and%20time.htm")));
  EXPECT_EQ(window.currentTopic(), QStringLiteral("dialog date and time.htm"));
  ASSERT_NE(window.contentsTree()->currentItem(), nullptr);
  EXPECT_EQ(window.contentsTree()->currentItem()->data(0, Qt::UserRole).toString(), window.currentTopic());
  QTest::mouseClick(window.backButton(), Qt::LeftButton);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("contents.htm"));
  ASSERT_TRUE(window.forwardButton()->isEnabled());
  QTest::mouseClick(window.forwardButton(), Qt::LeftButton);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("dialog date and time.htm"));
  QTreeWidgetItem* glossary = nullptr;
  contentsTopics(window, QStringLiteral("glossary.htm"), &glossary);
  ASSERT_NE(glossary, nullptr);
  QTest::mouseClick(window.contentsTree()->viewport(), Qt::LeftButton, {},
                    window.contentsTree()->visualItemRect(glossary).center());
  EXPECT_EQ(window.currentTopic(), QStringLiteral("glossary.htm"));
  showHelpSearch();
  EXPECT_TRUE(window.searchField()->text().isEmpty());
  QTest::keyClicks(window.searchField(), QStringLiteral("sidereal"));
  QTest::keyClick(window.searchField(), Qt::Key_Return);
  EXPECT_TRUE(window.searchResultTopics().contains(QStringLiteral("glossary.htm")));
  search(window, QStringLiteral("sidereal nowherefound"));  // every word must be there
  EXPECT_TRUE(window.searchResultTopics().isEmpty());
  search(window, QStringLiteral("Julian Day"));
  const QStringList results = window.searchResultTopics();
  ASSERT_FALSE(results.isEmpty());
  QListWidget* list = window.searchResults();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(window.currentTopic(), results.front());
  EXPECT_EQ(window.topicPane()->textCursor().selectedText().compare(QStringLiteral("Julian"), Qt::CaseInsensitive), 0);
  closeAllHelp();
  EXPECT_EQ(helpWindow(), nullptr);
  closeAllHelp();  // nothing open: nothing happens
}

TEST_F(HelpViewerTest, EveryTopicTheProgramAsksForIsThereAndAMissingOneShowsTheMissingPage) {
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
  EXPECT_EQ(shownWindow().currentTitle(), missingTitle);
  EXPECT_TRUE(shownWindow().topicPane()->toPlainText().contains(QStringLiteral("\"no such topic.htm\" is missing")));
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
