// The help viewer and the help topics that come with the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
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
#include <QVBoxLayout>

#include <algorithm>

#include "shell/HelpViewer.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"

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

void writeTopic(const QString& folder, const QString& name, const QString& title, const QString& body) {
  QFile file(QDir(folder).filePath(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8());
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
    qunsetenv("NOCTAVO_HELP_DIR");
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
};

// --- Opening topics --------------------------------------------------------

TEST_F(HelpViewerTest, OpeningANamedTopicShowsItInOneWindowThatNeverKeepsTheProgramRunning) {
  showHelpTopic(QStringLiteral("dialog date and time.htm"));
  HelpWindow& window = shownWindow();
  EXPECT_FALSE(window.isModal());
  EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose));
  EXPECT_EQ(window.currentTopic(), QStringLiteral("dialog date and time.htm"));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Date and Time"));
  EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Date and Time")));
  EXPECT_TRUE(window.topicPane()->toPlainText().contains(QStringLiteral("Real time clock")));
  showHelpTopic(QStringLiteral("glossary.htm#twilight"));  // scrolled to the entry
  EXPECT_EQ(helpWindow(), &window);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("glossary.htm"));
  EXPECT_GT(window.topicPane()->verticalScrollBar()->value(), 0);
  closeAllHelp();
  EXPECT_EQ(helpWindow(), nullptr);
  closeAllHelp();  // nothing open: nothing happens
}

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

TEST_F(HelpViewerTest, EveryTopicTheProgramAsksForIsThere) {
  // The help commands of the main menu and the F1 topics of the windows and
  // dialogs name these files.
  const std::pair<const char*, const char*> asked[] = {
      {"contents.htm", nullptr},          {"main menu.htm", nullptr},
      {"Quick Tour.htm", "Quick Tour"},   {"glossary.htm", "Glossary"},
      {"dialog date and time.htm", nullptr}, {"dialog appearance.htm", nullptr},
      {"sky window.htm", nullptr},        {"solar system window.htm", nullptr},
      {"graph window.htm", nullptr},      {"picture window.htm", nullptr},
      {"utilitiesobjectinfo.htm", nullptr}, {"utilitiessymboltable.htm", nullptr},
  };
  for (const auto& [topic, title] : asked) {
    SCOPED_TRACE(topic);
    showHelpTopic(QString::fromLatin1(topic));
    HelpWindow& window = shownWindow();
    EXPECT_EQ(window.currentTopic(), QString::fromLatin1(topic));
    EXPECT_NE(window.currentTitle(), missingTitle);
    EXPECT_FALSE(window.currentTitle().isEmpty());
    EXPECT_TRUE(!title || window.currentTitle() == QString::fromLatin1(title)) << window.currentTitle().toStdString();
  }
}

TEST_F(HelpViewerTest, AMissingTopicOrFolderShowsTheMissingPage) {
  showHelpTopic(QStringLiteral("no such topic.htm"));
  EXPECT_EQ(shownWindow().currentTopic(), QStringLiteral("no such topic.htm"));
  EXPECT_EQ(shownWindow().currentTitle(), missingTitle);
  EXPECT_TRUE(shownWindow().topicPane()->toPlainText().contains(
      QStringLiteral("The help topic \"no such topic.htm\" is missing")));
  closeAllHelp();
  QTemporaryDir dir;
  useHelpFolder(dir.filePath(QStringLiteral("nowhere")));
  showHelpContents();
  HelpWindow& window = shownWindow();
  EXPECT_EQ(window.currentTitle(), missingTitle);
  EXPECT_EQ(window.contentsTree()->topLevelItemCount(), 0);
  showHelpSearch();
  search(window, QStringLiteral("sidereal"));
  EXPECT_EQ(window.searchResults()->count(), 0);
}

// --- The shipped topics --------------------------------------------------------

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

TEST(HelpGlossary, ExplainsEveryTermTheProgramShows) {
  const QString glossary = QString::fromUtf8(readFile(QDir(shipped).filePath(QStringLiteral("glossary.htm"))));
  static const QRegularExpression term(QStringLiteral("<dt>(.*?)</dt>"), QRegularExpression::DotMatchesEverythingOption);
  QString terms;
  for (auto it = term.globalMatch(glossary); it.hasNext();) terms += it.next().captured(1) + QLatin1Char('\n');
  for (const char* word :
       {"Julian Day", "Sidereal time", "GST", "LST", "Local civil time", "GMT", "Daylight saving time", "Time zone",
        "Right ascension", "Declination", "Ecliptic", "ecliptic longitude", "Equatorial coordinates",
        "Horizontal coordinates", "Galactic coordinates", "Azimuth", "Altitude", "Elongation", "Phase", "Magnitude",
        "Angular size", "Astronomical unit", "Rise and set", "Twilight", "Zodiac", "Sign of the zodiac",
        "Constellation", "NGC", "IC", "Bayer letter", "Node", "Heliocentric", "Epoch", "Equinox", "Precession",
        "Direction", "Midnight", "Universal time", "Time bar", "Observer"}) {
    EXPECT_TRUE(terms.contains(QString::fromLatin1(word), Qt::CaseInsensitive)) << word;
  }
}

// --- Links, history and contents ------------------------------------------------

TEST_F(HelpViewerTest, ClickingALinkWithSpacesInItsNameOpensThatTopicAndTheContentsFollow) {
  showHelpTopic(QStringLiteral("contents.htm"));
  HelpWindow& window = shownWindow();
  ASSERT_TRUE(clickLink(window.topicPane(), QStringLiteral("dialog%20date%20and%20time.htm")));
  EXPECT_EQ(window.currentTopic(), QStringLiteral("dialog date and time.htm"));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Date and Time"));
  ASSERT_NE(window.contentsTree()->currentItem(), nullptr);
  EXPECT_EQ(window.contentsTree()->currentItem()->data(0, Qt::UserRole).toString(),
            QStringLiteral("dialog date and time.htm"));
}

TEST_F(HelpViewerTest, ALinkWrittenWithPlainSpacesWorksTooAndOneToAMissingTopicShowsTheMissingPage) {
  QTemporaryDir dir;
  writeTopic(dir.path(), QStringLiteral("contents.htm"), QStringLiteral("Start"),
             QStringLiteral("<p><a href=\"second page.htm\">next</a> <a href=\"gone%20away.htm\">gone</a></p>"));
  writeTopic(dir.path(), QStringLiteral("second page.htm"), QStringLiteral("Second page"), QStringLiteral("<p>x</p>"));
  useHelpFolder(dir.path());
  showHelpContents();
  HelpWindow& window = shownWindow();
  ASSERT_TRUE(clickLink(window.topicPane(), QStringLiteral("second page.htm")));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Second page"));
  QTest::mouseClick(window.backButton(), Qt::LeftButton);
  ASSERT_TRUE(clickLink(window.topicPane(), QStringLiteral("gone%20away.htm")));
  EXPECT_EQ(window.currentTitle(), missingTitle);
  EXPECT_TRUE(window.topicPane()->toPlainText().contains(QStringLiteral("\"gone away.htm\"")));
  QTest::mouseClick(window.backButton(), Qt::LeftButton);  // the way back still works
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Start"));
}

TEST_F(HelpViewerTest, BackForwardAndHomeRetraceTheTopicsRead) {
  showHelpTopic(QStringLiteral("glossary.htm"));
  HelpWindow& window = shownWindow();
  EXPECT_FALSE(window.backButton()->isEnabled());
  showHelpTopic(QStringLiteral("startup.htm"));
  ASSERT_TRUE(window.backButton()->isEnabled());
  QTest::mouseClick(window.backButton(), Qt::LeftButton);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("glossary.htm"));
  ASSERT_TRUE(window.forwardButton()->isEnabled());
  QTest::mouseClick(window.forwardButton(), Qt::LeftButton);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("startup.htm"));
  QTest::mouseClick(window.homeButton(), Qt::LeftButton);
  EXPECT_EQ(window.currentTopic(), QStringLiteral("contents.htm"));
}

TEST_F(HelpViewerTest, ClickingAContentsEntryShowsItsTopic) {
  showHelpContents();
  HelpWindow& window = shownWindow();
  QTreeWidgetItem* glossary = nullptr;
  for (QTreeWidgetItemIterator it(window.contentsTree()); *it && !glossary; ++it) {
    if ((*it)->data(0, Qt::UserRole).toString() == QStringLiteral("glossary.htm")) glossary = *it;
  }
  ASSERT_NE(glossary, nullptr);
  const QRect row = window.contentsTree()->visualItemRect(glossary);
  QTest::mouseClick(window.contentsTree()->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(window.currentTopic(), QStringLiteral("glossary.htm"));
}

TEST(HelpContents, NestedListsBecomeLevelsAndOtherLinksAreLeftOut) {
  const QList<HelpContentsEntry> entries = readHelpContents(QStringLiteral(
      "<p>Start with the <a href=\"tour.htm\">tour</a>.</p>"
      "<ul><li>Getting &amp; staying started"
      "  <ul><li><a href=\"Quick%20Tour.htm\">Quick&nbsp;Tour</a></li>"
      "      <li><a href=\"glossary.htm#julian\">Julian Day</a> and more</li></ul></li>"
      "<li><a href='main menu.htm'>Main menu</a></li></ul>"
      "<h2>Using this help</h2><ul><li>Press <a href=\"keys.htm\">F1</a></li></ul>"));
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(entries[0].title, QStringLiteral("Getting & staying started"));
  EXPECT_TRUE(entries[0].topicFile.isEmpty());
  EXPECT_EQ(entries[0].depth, 0);
  EXPECT_EQ(entries[1].topicFile, QStringLiteral("Quick Tour.htm"));
  EXPECT_EQ(entries[1].title, QStringLiteral("Quick Tour"));
  EXPECT_EQ(entries[1].depth, 1);
  EXPECT_EQ(entries[2].topicFile, QStringLiteral("glossary.htm#julian"));
  EXPECT_EQ(entries[2].title, QStringLiteral("Julian Day"));
  EXPECT_EQ(entries[3].topicFile, QStringLiteral("main menu.htm"));
  EXPECT_EQ(entries[3].depth, 0);
}

// --- Search --------------------------------------------------------------------

TEST_F(HelpViewerTest, SearchFindsTheTopicsAndOpensAResultAtTheWordFound) {
  showHelpSearch();
  HelpWindow& window = shownWindow();
  EXPECT_TRUE(window.searchField()->text().isEmpty());
  QTest::keyClicks(window.searchField(), QStringLiteral("sidereal"));
  QTest::keyClick(window.searchField(), Qt::Key_Return);
  EXPECT_TRUE(window.searchResultTopics().contains(QStringLiteral("glossary.htm")));
  search(window, QStringLiteral("Julian Day"));
  const QStringList results = window.searchResultTopics();
  ASSERT_FALSE(results.isEmpty());
  QListWidget* list = window.searchResults();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(window.currentTopic(), results.front());
  EXPECT_EQ(window.topicPane()->textCursor().selectedText().compare(QStringLiteral("Julian"), Qt::CaseInsensitive), 0);
}

TEST(HelpSearch, AndsTheWordsAndRanksTheTopicsByHitsInTheirTextIgnoringCase) {
  QTemporaryDir dir;
  writeTopic(dir.path(), QStringLiteral("both.htm"), QStringLiteral("Both"), QStringLiteral("<p>The Moon and the Sun.</p>"));
  writeTopic(dir.path(), QStringLiteral("moon.htm"), QStringLiteral("Moon only"),
             QStringLiteral("<p>moon, MOON, Moonrise.</p>"));
  writeTopic(dir.path(), QStringLiteral("sun.htm"), QStringLiteral("Sun only"),
             QStringLiteral("<p>Sunset at 20&deg; <a href=\"moon.htm\">link</a></p>"));
  const auto found = [&](const QString& query) {
    QStringList topics;
    for (const HelpSearchHit& hit : searchHelpTopics(dir.path(), query)) topics.append(hit.topicFile);
    return topics;
  };
  EXPECT_EQ(found(QStringLiteral("moon sun")), QStringList{QStringLiteral("both.htm")});
  EXPECT_EQ(found(QStringLiteral("  sun   moon ")), QStringList{QStringLiteral("both.htm")});
  EXPECT_TRUE(found(QStringLiteral("moon comet")).isEmpty());
  EXPECT_TRUE(found(QStringLiteral("href")).isEmpty());  // the text, not the markup
  EXPECT_EQ(found(QStringLiteral("20\u00B0")), QStringList{QStringLiteral("sun.htm")});
  EXPECT_EQ(found(QStringLiteral("set")), QStringList{QStringLiteral("sun.htm")});  // parts of words count
  EXPECT_TRUE(found(QString()).isEmpty());
  EXPECT_TRUE(found(QStringLiteral("   ")).isEmpty());
  // "moon.htm" holds the word four times (title and three in the text).
  const QList<HelpSearchHit> hits = searchHelpTopics(dir.path(), QStringLiteral("MOON"));
  ASSERT_EQ(hits.size(), 2);
  EXPECT_EQ(hits[0].topicFile, QStringLiteral("moon.htm"));
  EXPECT_EQ(hits[0].hits, 4);
  EXPECT_EQ(hits[0].title, QStringLiteral("Moon only"));
  EXPECT_EQ(hits[1].hits, 1);
}

}  // namespace
}  // namespace noctavo
