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
QString shippedHelpFolder() {
  return QDir::cleanPath(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../help"));
}

QStringList topicFiles(const QString& folder) {
  return QDir(folder).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
}

QString readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

void writeTopic(const QString& folder, const QString& name, const QString& title, const QString& body) {
  QFile file(QDir(folder).filePath(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8());
}

// The links of a topic as written in its href attributes.
QStringList hrefsOf(const QString& html) {
  static const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""),
                                       QRegularExpression::CaseInsensitiveOption);
  QStringList links;
  for (auto it = href.globalMatch(html); it.hasNext();) links.append(it.next().captured(1));
  return links;
}

// Topic file names (anchors cut off) that `topic` links to.
QStringList linkedTopics(const QString& folder, const QString& topic) {
  QStringList topics;
  const QUrl base = QUrl::fromLocalFile(QDir(folder).filePath(topic));
  for (const QString& href : hrefsOf(readFile(QDir(folder).filePath(topic)))) {
    const QUrl target = base.resolved(QUrl(href));
    if (target.isLocalFile() && target.toLocalFile().endsWith(QStringLiteral(".htm")))
      topics.append(QFileInfo(target.toLocalFile()).fileName());
  }
  return topics;
}

QStringList contentsTreeTopics(const HelpWindow& window) {
  QStringList topics;
  for (QTreeWidgetItemIterator it(window.contentsTree()); *it; ++it) {
    const QString topic = (*it)->data(0, Qt::UserRole).toString();
    if (!topic.isEmpty()) topics.append(topic);
  }
  return topics;
}

QTreeWidgetItem* contentsItemFor(const HelpWindow& window, const QString& topic) {
  for (QTreeWidgetItemIterator it(window.contentsTree()); *it; ++it)
    if ((*it)->data(0, Qt::UserRole).toString() == topic) return *it;
  return nullptr;
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
  void SetUp() override { useHelpFolder(shippedHelpFolder()); }
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
};

// --- Opening topics --------------------------------------------------------

TEST_F(HelpViewerTest, OpeningANamedTopicShowsItsTitle) {
  showHelpTopic(QStringLiteral("dialog date and time.htm"));
  HelpWindow& window = shownWindow();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(window.currentTopic(), QStringLiteral("dialog date and time.htm"));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Date and Time"));
  EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Date and Time")));
  EXPECT_TRUE(window.topicPane()->toPlainText().contains(QStringLiteral("Real time clock")));
}

TEST_F(HelpViewerTest, EveryTopicTheProgramAsksForIsThere) {
  // The help commands of the main menu and the F1 topics of the windows and
  // dialogs name these files.
  const QStringList asked = {
      QStringLiteral("contents.htm"),          QStringLiteral("main menu.htm"),
      QStringLiteral("Quick Tour.htm"),        QStringLiteral("glossary.htm"),
      QStringLiteral("dialog date and time.htm"), QStringLiteral("dialog appearance.htm"),
      QStringLiteral("sky window.htm"),        QStringLiteral("solar system window.htm"),
      QStringLiteral("graph window.htm"),      QStringLiteral("picture window.htm"),
      QStringLiteral("utilitiesobjectinfo.htm"), QStringLiteral("utilitiessymboltable.htm"),
  };
  for (const QString& topic : asked) {
    SCOPED_TRACE(topic.toStdString());
    showHelpTopic(topic);
    HelpWindow& window = shownWindow();
    EXPECT_EQ(window.currentTopic(), topic);
    EXPECT_NE(window.currentTitle(), QStringLiteral("Missing help topic"));
    EXPECT_FALSE(window.currentTitle().isEmpty());
  }
}

TEST_F(HelpViewerTest, QuickTourAndGlossaryOpenUnderTheirOwnTitles) {
  showHelpTopic(QStringLiteral("Quick Tour.htm"));
  EXPECT_EQ(shownWindow().currentTitle(), QStringLiteral("Quick Tour"));
  showHelpTopic(QStringLiteral("glossary.htm"));
  EXPECT_EQ(shownWindow().currentTitle(), QStringLiteral("Glossary"));
}

TEST_F(HelpViewerTest, AMissingTopicShowsTheMissingPage) {
  showHelpTopic(QStringLiteral("no such topic.htm"));
  HelpWindow& window = shownWindow();
  EXPECT_EQ(window.currentTopic(), QStringLiteral("no such topic.htm"));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Missing help topic"));
  EXPECT_TRUE(window.topicPane()->toPlainText().contains(QStringLiteral("The help topic \"no such topic.htm\" is missing")));
}

TEST_F(HelpViewerTest, AMissingHelpFolderStillOpensTheWindow) {
  QTemporaryDir dir;
  useHelpFolder(dir.filePath(QStringLiteral("nowhere")));
  showHelpContents();
  HelpWindow& window = shownWindow();
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Missing help topic"));
  EXPECT_EQ(window.contentsTree()->topLevelItemCount(), 0);
  showHelpSearch();
  window.searchField()->setText(QStringLiteral("sidereal"));
  QTest::keyClick(window.searchField(), Qt::Key_Return);
  EXPECT_EQ(window.searchResults()->count(), 0);
}

TEST_F(HelpViewerTest, ATopicWithAnAnchorScrollsToItsEntry) {
  showHelpTopic(QStringLiteral("glossary.htm#twilight"));
  HelpWindow& window = shownWindow();
  EXPECT_EQ(window.currentTopic(), QStringLiteral("glossary.htm"));
  EXPECT_GT(window.topicPane()->verticalScrollBar()->value(), 0);
}

TEST_F(HelpViewerTest, CloseAllHelpClosesTheWindow) {
  showHelpTopic(QStringLiteral("glossary.htm"));
  ASSERT_NE(helpWindow(), nullptr);
  closeAllHelp();
  EXPECT_EQ(helpWindow(), nullptr);
  closeAllHelp();  // nothing open: nothing happens
  EXPECT_EQ(helpWindow(), nullptr);
}

TEST_F(HelpViewerTest, TheWindowNeverKeepsTheProgramRunning) {
  showHelpTopic(QStringLiteral("contents.htm"));
  EXPECT_FALSE(shownWindow().testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(HelpViewerTest, ASecondRequestReusesTheOneWindow) {
  showHelpTopic(QStringLiteral("contents.htm"));
  HelpWindow* first = helpWindow();
  showHelpTopic(QStringLiteral("glossary.htm"));
  EXPECT_EQ(helpWindow(), first);
  EXPECT_EQ(first->currentTopic(), QStringLiteral("glossary.htm"));
}

// --- Links and history -------------------------------------------------------

TEST_F(HelpViewerTest, EveryLinkInEveryTopicLeadsToAnExistingTopic) {
  const QString folder = shippedHelpFolder();
  const QStringList topics = topicFiles(folder);
  ASSERT_GE(topics.size(), 15);
  for (const QString& topic : topics) {
    const QString path = QDir(folder).filePath(topic);
    const QStringList hrefs = hrefsOf(readFile(path));
    for (const QString& href : hrefs) {
      SCOPED_TRACE((topic + QStringLiteral(" -> ") + href).toStdString());
      const QUrl target = QUrl::fromLocalFile(path).resolved(QUrl(href));
      ASSERT_TRUE(target.isLocalFile()) << "links stay inside the help";
      EXPECT_TRUE(QFileInfo(target.toLocalFile()).isFile());
      if (target.hasFragment()) {
        const QString anchor = QStringLiteral("name=\"%1\"").arg(target.fragment());
        EXPECT_TRUE(readFile(target.toLocalFile()).contains(anchor)) << "no such anchor";
      }
    }
  }
}

TEST_F(HelpViewerTest, EveryTopicHasATitleAndTheSharedStyle) {
  const QString folder = shippedHelpFolder();
  static const QRegularExpression title(QStringLiteral("<title>[^<]+</title>"));
  for (const QString& topic : topicFiles(folder)) {
    SCOPED_TRACE(topic.toStdString());
    const QString html = readFile(QDir(folder).filePath(topic));
    EXPECT_TRUE(title.match(html).hasMatch());
    EXPECT_TRUE(hrefsOf(html).contains(QStringLiteral("help.css")));
  }
}

TEST_F(HelpViewerTest, TopicsWriteSpecialCharactersAsEntities) {
  const QString folder = shippedHelpFolder();
  for (const QString& file : QDir(folder).entryList(QDir::Files)) {
    SCOPED_TRACE(file.toStdString());
    QFile topic(QDir(folder).filePath(file));
    ASSERT_TRUE(topic.open(QIODevice::ReadOnly));
    const QByteArray bytes = topic.readAll();
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
  }
}

TEST_F(HelpViewerTest, ClickingALinkWhoseNameHasSpacesOpensThatTopic) {
  showHelpTopic(QStringLiteral("contents.htm"));
  HelpWindow& window = shownWindow();
  ASSERT_TRUE(clickLink(window.topicPane(), QStringLiteral("dialog%20date%20and%20time.htm")));
  EXPECT_EQ(window.currentTopic(), QStringLiteral("dialog date and time.htm"));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Date and Time"));
}

TEST_F(HelpViewerTest, ALinkWrittenWithPlainSpacesWorksToo) {
  QTemporaryDir dir;
  writeTopic(dir.path(), QStringLiteral("contents.htm"), QStringLiteral("Start"),
             QStringLiteral("<p><a href=\"second page.htm\">next</a></p>"));
  writeTopic(dir.path(), QStringLiteral("second page.htm"), QStringLiteral("Second page"), QStringLiteral("<p>x</p>"));
  useHelpFolder(dir.path());
  showHelpContents();
  HelpWindow& window = shownWindow();
  ASSERT_TRUE(clickLink(window.topicPane(), QStringLiteral("second page.htm")));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Second page"));
}

TEST_F(HelpViewerTest, ALinkToAMissingTopicShowsTheMissingPage) {
  QTemporaryDir dir;
  writeTopic(dir.path(), QStringLiteral("contents.htm"), QStringLiteral("Start"),
             QStringLiteral("<p><a href=\"gone%20away.htm\">gone</a></p>"));
  useHelpFolder(dir.path());
  showHelpContents();
  HelpWindow& window = shownWindow();
  ASSERT_TRUE(clickLink(window.topicPane(), QStringLiteral("gone%20away.htm")));
  EXPECT_EQ(window.currentTitle(), QStringLiteral("Missing help topic"));
  EXPECT_TRUE(window.topicPane()->toPlainText().contains(QStringLiteral("\"gone away.htm\"")));
  // The way back still works.
  QTest::mouseClick(window.backButton(), Qt::LeftButton);
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

// --- Contents ----------------------------------------------------------------

TEST_F(HelpViewerTest, ContentsListEveryTopicOfTheHelp) {
  showHelpContents();
  HelpWindow& window = shownWindow();
  EXPECT_EQ(window.currentTopic(), QStringLiteral("contents.htm"));
  const QStringList listed = contentsTreeTopics(window);
  for (const QString& topic : listed) {
    SCOPED_TRACE(topic.toStdString());
    EXPECT_TRUE(QFileInfo::exists(QDir(shippedHelpFolder()).filePath(topic)));
  }
  for (const QString& topic : topicFiles(shippedHelpFolder())) {
    if (topic == QStringLiteral("contents.htm")) continue;  // the page the list comes from
    EXPECT_TRUE(listed.contains(topic)) << topic.toStdString() << " is not in the contents";
  }
}

TEST_F(HelpViewerTest, ContentsListEveryTopicReachableFromTheContentsPage) {
  showHelpContents();
  const QStringList listedTopics = contentsTreeTopics(shownWindow());
  const QSet<QString> listed(listedTopics.begin(), listedTopics.end());
  const QString folder = shippedHelpFolder();
  QStringList toVisit = {QStringLiteral("contents.htm")};
  QSet<QString> reached;
  while (!toVisit.isEmpty()) {
    const QString topic = toVisit.takeFirst();
    if (reached.contains(topic)) continue;
    reached.insert(topic);
    toVisit.append(linkedTopics(folder, topic));
  }
  reached.remove(QStringLiteral("contents.htm"));
  for (const QString& topic : reached) EXPECT_TRUE(listed.contains(topic)) << topic.toStdString();
  // No topic is an orphan: every file can be reached by following links.
  for (const QString& topic : topicFiles(folder)) {
    if (topic == QStringLiteral("contents.htm")) continue;
    EXPECT_TRUE(reached.contains(topic)) << topic.toStdString();
  }
}

TEST_F(HelpViewerTest, ClickingAContentsEntryShowsItsTopic) {
  showHelpContents();
  HelpWindow& window = shownWindow();
  QTreeWidgetItem* glossary = contentsItemFor(window, QStringLiteral("glossary.htm"));
  ASSERT_NE(glossary, nullptr);
  const QRect row = window.contentsTree()->visualItemRect(glossary);
  QTest::mouseClick(window.contentsTree()->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(window.currentTopic(), QStringLiteral("glossary.htm"));
}

TEST_F(HelpViewerTest, TheContentsFollowTheTopicShown) {
  showHelpTopic(QStringLiteral("graph window.htm"));
  HelpWindow& window = shownWindow();
  ASSERT_NE(window.contentsTree()->currentItem(), nullptr);
  EXPECT_EQ(window.contentsTree()->currentItem()->data(0, Qt::UserRole).toString(),
            QStringLiteral("graph window.htm"));
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

TEST_F(HelpViewerTest, SearchFindsTheGlossaryForSidereal) {
  showHelpSearch();
  HelpWindow& window = shownWindow();
  EXPECT_TRUE(window.searchField()->text().isEmpty());
  QTest::keyClicks(window.searchField(), QStringLiteral("sidereal"));
  QTest::keyClick(window.searchField(), Qt::Key_Return);
  EXPECT_TRUE(window.searchResultTopics().contains(QStringLiteral("glossary.htm")));
}

TEST_F(HelpViewerTest, OpeningASearchResultShowsTheTopic) {
  showHelpSearch();
  HelpWindow& window = shownWindow();
  window.searchField()->setText(QStringLiteral("Julian Day"));
  QTest::keyClick(window.searchField(), Qt::Key_Return);
  const QStringList results = window.searchResultTopics();
  ASSERT_FALSE(results.isEmpty());
  QListWidget* list = window.searchResults();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(window.currentTopic(), results.front());
  EXPECT_TRUE(window.topicPane()->textCursor().selectedText().compare(QStringLiteral("Julian"), Qt::CaseInsensitive) == 0);
}

class HelpSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    writeTopic(dir_.path(), QStringLiteral("both.htm"), QStringLiteral("Both"),
               QStringLiteral("<p>The Moon and the Sun.</p>"));
    writeTopic(dir_.path(), QStringLiteral("moon.htm"), QStringLiteral("Moon only"),
               QStringLiteral("<p>moon, MOON, Moonrise.</p>"));
    writeTopic(dir_.path(), QStringLiteral("sun.htm"), QStringLiteral("Sun only"),
               QStringLiteral("<p>Sunset at 20&deg; <a href=\"moon.htm\">link</a></p>"));
  }
  QStringList found(const QString& query) const {
    QStringList topics;
    for (const HelpSearchHit& hit : searchHelpTopics(dir_.path(), query)) topics.append(hit.topicFile);
    return topics;
  }
  QTemporaryDir dir_;
};

TEST_F(HelpSearch, WordsAreAnded) {
  EXPECT_EQ(found(QStringLiteral("moon sun")), QStringList{QStringLiteral("both.htm")});
  EXPECT_EQ(found(QStringLiteral("  sun   moon ")), QStringList{QStringLiteral("both.htm")});
  EXPECT_TRUE(found(QStringLiteral("moon comet")).isEmpty());
}

TEST_F(HelpSearch, RanksTopicsByHitsIgnoringCase) {
  // "moon.htm" holds the word four times (title and three in the text).
  EXPECT_EQ(found(QStringLiteral("moon")), (QStringList{QStringLiteral("moon.htm"), QStringLiteral("both.htm")}));
  const QList<HelpSearchHit> hits = searchHelpTopics(dir_.path(), QStringLiteral("MOON"));
  ASSERT_EQ(hits.size(), 2);
  EXPECT_EQ(hits[0].hits, 4);
  EXPECT_EQ(hits[0].title, QStringLiteral("Moon only"));
  EXPECT_EQ(hits[1].hits, 1);
}

TEST_F(HelpSearch, SearchesTheTextNotTheMarkup) {
  EXPECT_TRUE(found(QStringLiteral("href")).isEmpty());
  EXPECT_EQ(found(QStringLiteral("20\u00B0")), QStringList{QStringLiteral("sun.htm")});
}

TEST_F(HelpSearch, PartsOfWordsCount) {
  EXPECT_EQ(found(QStringLiteral("set")), QStringList{QStringLiteral("sun.htm")});
}

TEST_F(HelpSearch, AnEmptyQueryFindsNothing) {
  EXPECT_TRUE(found(QString()).isEmpty());
  EXPECT_TRUE(found(QStringLiteral("   ")).isEmpty());
}

TEST(HelpGlossary, ExplainsEveryTermTheProgramShows) {
  const QString glossary = readFile(QDir(shippedHelpFolder()).filePath(QStringLiteral("glossary.htm")));
  static const QRegularExpression term(QStringLiteral("<dt>(.*?)</dt>"), QRegularExpression::DotMatchesEverythingOption);
  QString terms;
  for (auto it = term.globalMatch(glossary); it.hasNext();) terms += it.next().captured(1) + QLatin1Char('\n');
  const QStringList shown = {
      "Julian Day", "Sidereal time", "GST", "LST", "Local civil time", "GMT", "Daylight saving time",
      "Time zone", "Right ascension", "Declination", "Ecliptic", "ecliptic longitude", "Equatorial coordinates",
      "Horizontal coordinates", "Galactic coordinates", "Azimuth", "Altitude", "Elongation", "Phase", "Magnitude",
      "Angular size", "Astronomical unit", "Rise and set", "Twilight", "Zodiac", "Sign of the zodiac",
      "Constellation", "NGC", "IC", "Bayer letter", "Node", "Heliocentric", "Epoch", "Equinox", "Precession",
      "Direction", "Midnight", "Universal time", "Time bar", "Observer"};
  for (const QString& word : shown) EXPECT_TRUE(terms.contains(word, Qt::CaseInsensitive)) << word.toStdString();
}

}  // namespace
}  // namespace noctavo
