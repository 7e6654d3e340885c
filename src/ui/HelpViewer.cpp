#include "ui/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/DialogUtils.h"

namespace noctavo {
namespace {

const QString contentsTopic = QStringLiteral("contents.htm");
const QString windowCaption = QStringLiteral("Noctavo Help");
constexpr int topicFileRole = Qt::UserRole;

QString readTopicText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QString plainTextOf(const QString& html) { return QTextDocumentFragment::fromHtml(html).toPlainText(); }

QString titleOf(const QString& html) {
  static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = title.match(html);
  return match.hasMatch() ? plainTextOf(match.captured(1)).simplified() : QString();
}

// A link as written in a topic ("Quick%20Tour.htm#menus") as the topic file
// name with its anchor ("Quick Tour.htm#menus").
QString topicOfHref(const QString& href) {
  const QUrl url(href);
  QString topic = url.path(QUrl::FullyDecoded);
  if (url.hasFragment()) topic += QLatin1Char('#') + url.fragment(QUrl::FullyDecoded);
  return topic;
}

// The page shown in place of a topic file that is not there: a help folder
// that lost a file must not leave the user with an empty window.
QString missingTopicPage(const QString& topicFile) {
  return QStringLiteral(
             "<html><head><title>Missing help topic</title>"
             "<link rel=\"stylesheet\" type=\"text/css\" href=\"help.css\"></head><body>"
             "<h1>Missing help topic</h1>"
             "<p>The help topic \"%1\" is missing.</p>"
             "<p>The help files lie in the folder \"help\" beside the program. "
             "Go to the <a href=\"contents.htm\">contents</a>.</p>"
             "</body></html>")
      .arg(topicFile.toHtmlEscaped());
}

// The topic pane: reads topics from files and puts the missing-topic page
// where a file is not found, so that back and forward still work.
class TopicBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    if (name.isLocalFile() && !QFileInfo(name.toLocalFile()).isFile()) {
      if (type == QTextDocument::HtmlResource) return missingTopicPage(QFileInfo(name.toLocalFile()).fileName());
      return QString();  // a lost style sheet or picture: show the text without it
    }
    return QTextBrowser::loadResource(type, name);
  }
};

QPointer<HelpWindow>& theHelpWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

HelpWindow& openHelpWindow() {
  QPointer<HelpWindow>& window = theHelpWindow();
  const QString folder = helpFolder();
  if (!window) {
    window = new HelpWindow(folder);
  } else if (window->folder() != folder) {
    window->setFolder(folder);
  }
  return *window;
}

}  // namespace

QString helpFolder() {
  const QString overridden = qEnvironmentVariable("NOCTAVO_HELP_DIR");
  if (!overridden.isEmpty()) return QDir::cleanPath(QDir::fromNativeSeparators(overridden));
  return QDir::cleanPath(ProgramFolder() + QStringLiteral("help"));
}

QList<HelpContentsEntry> readHelpContents(const QString& contentsHtml) {
  // The first list of the page, with the lists nested in it, is the
  // contents: every list item is an entry, titled by its first link (or by
  // its text when it has no link), one level deeper for every list it
  // stands in. Lists further down the page are prose.
  static const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z0-9]+)([^>]*)>"));
  static const QRegularExpression href(QStringLiteral("href\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"),
                                       QRegularExpression::CaseInsensitiveOption);
  QList<HelpContentsEntry> entries;
  QStringList titleHtml;
  int listDepth = 0;
  bool collecting = false;
  bool inEntryLink = false;

  auto finishTitle = [&] {
    collecting = false;
    inEntryLink = false;
  };

  qsizetype textStart = 0;
  QRegularExpressionMatchIterator it = tag.globalMatch(contentsHtml);
  while (true) {
    const bool more = it.hasNext();
    const QRegularExpressionMatch match = more ? it.next() : QRegularExpressionMatch();
    const qsizetype textEnd = more ? match.capturedStart() : contentsHtml.size();
    if (collecting && !entries.isEmpty()) titleHtml.back() += contentsHtml.mid(textStart, textEnd - textStart);
    if (!more) break;
    textStart = match.capturedEnd();

    const bool closing = !match.captured(1).isEmpty();
    const QString name = match.captured(2).toLower();
    if (name == QLatin1String("ul") || name == QLatin1String("ol")) {
      finishTitle();
      listDepth = closing ? std::max(0, listDepth - 1) : listDepth + 1;
      if (closing && listDepth == 0 && !entries.isEmpty()) break;  // the rest of the page is prose
    } else if (name == QLatin1String("li")) {
      finishTitle();
      if (!closing && listDepth > 0) {
        entries.append({QString(), QString(), listDepth - 1});
        titleHtml.append(QString());
        collecting = true;
      }
    } else if (name == QLatin1String("a") && collecting) {
      if (closing) {
        if (inEntryLink) finishTitle();
      } else {
        const QRegularExpressionMatch link = href.match(match.captured(3));
        if (link.hasMatch() && entries.back().topicFile.isEmpty() && titleHtml.back().trimmed().isEmpty()) {
          const QString target = link.captured(1).isEmpty() ? link.captured(2) : link.captured(1);
          entries.back().topicFile = topicOfHref(target);
          inEntryLink = true;
        }
      }
    }
  }

  QList<HelpContentsEntry> named;
  for (qsizetype i = 0; i < entries.size(); ++i) {
    entries[i].title = plainTextOf(titleHtml[i]).simplified();
    if (!entries[i].title.isEmpty() || !entries[i].topicFile.isEmpty()) named.append(entries[i]);
  }
  return named;
}

QList<HelpSearchHit> searchHelpTopics(const QString& folder, const QString& query) {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  QStringList words = query.split(blanks, Qt::SkipEmptyParts);
  words.removeDuplicates();
  QList<HelpSearchHit> found;
  if (words.isEmpty()) return found;

  const QDir dir(folder);
  const QStringList topics =
      dir.entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (const QString& topic : topics) {
    const QString html = readTopicText(dir.filePath(topic));
    const QString title = titleOf(html);
    const QString text = title + QLatin1Char('\n') + plainTextOf(html);
    int hits = 0;
    bool all = true;
    for (const QString& word : words) {
      const qsizetype count = text.count(word, Qt::CaseInsensitive);
      if (count == 0) {
        all = false;
        break;
      }
      hits += static_cast<int>(count);
    }
    if (all) found.append({topic, title.isEmpty() ? topic : title, hits});
  }
  std::stable_sort(found.begin(), found.end(), [](const HelpSearchHit& a, const HelpSearchHit& b) {
    if (a.hits != b.hits) return a.hits > b.hits;
    return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
  });
  return found;
}

HelpWindow::HelpWindow(const QString& folder)
    : QWidget(nullptr, Qt::Window),
      folder_(folder),
      sidePages_(new QTabWidget),
      contentsTree_(new QTreeWidget),
      searchField_(new QLineEdit),
      searchResults_(new QListWidget),
      searchSummary_(new QLabel),
      topicPane_(new TopicBrowser),
      backButton_(new QToolButton),
      forwardButton_(new QToolButton),
      homeButton_(new QToolButton) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(windowCaption);
  // Help stays open beside the program but never keeps it running.
  setAttribute(Qt::WA_QuitOnClose, false);

  contentsTree_->setHeaderHidden(true);
  contentsTree_->setRootIsDecorated(true);
  contentsTree_->setUniformRowHeights(true);
  connect(contentsTree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { openContentsItem(item); });
  connect(contentsTree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { openContentsItem(item); });
  connect(contentsTree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { openContentsItem(item); });

  auto* searchPage = new QWidget;
  auto* searchLayout = new QVBoxLayout(searchPage);
  auto* searchPrompt = new QLabel(QStringLiteral("&Type the words to search for:"));
  searchPrompt->setBuddy(searchField_);
  auto* searchRow = new QHBoxLayout;
  auto* searchButton = new QPushButton(QStringLiteral("&Search"));
  searchRow->addWidget(searchField_, 1);
  searchRow->addWidget(searchButton);
  auto* resultsLabel = new QLabel(QStringLiteral("&Topics found:"));
  resultsLabel->setBuddy(searchResults_);
  searchLayout->addWidget(searchPrompt);
  searchLayout->addLayout(searchRow);
  searchLayout->addWidget(resultsLabel);
  searchLayout->addWidget(searchResults_, 1);
  searchLayout->addWidget(searchSummary_);
  searchSummary_->setWordWrap(true);
  connect(searchField_, &QLineEdit::returnPressed, this, [this] { runSearch(); });
  connect(searchButton, &QPushButton::clicked, this, [this] { runSearch(); });
  connect(searchResults_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { openSearchResult(item); });
  connect(searchResults_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { openSearchResult(item); });

  sidePages_->addTab(contentsTree_, QStringLiteral("&Contents"));
  sidePages_->addTab(searchPage, QStringLiteral("S&earch"));

  backButton_->setText(QStringLiteral("&Back"));
  backButton_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  backButton_->setShortcut(QKeySequence::Back);
  forwardButton_->setText(QStringLiteral("&Forward"));
  forwardButton_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  forwardButton_->setShortcut(QKeySequence::Forward);
  homeButton_->setText(QStringLiteral("&Home"));
  homeButton_->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
  for (QToolButton* button : {backButton_, forwardButton_, homeButton_}) {
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
  }
  backButton_->setEnabled(false);
  forwardButton_->setEnabled(false);
  connect(backButton_, &QToolButton::clicked, topicPane_, &QTextBrowser::backward);
  connect(forwardButton_, &QToolButton::clicked, topicPane_, &QTextBrowser::forward);
  connect(homeButton_, &QToolButton::clicked, this, [this] { showTopic(contentsTopic); });
  connect(topicPane_, &QTextBrowser::backwardAvailable, backButton_, &QToolButton::setEnabled);
  connect(topicPane_, &QTextBrowser::forwardAvailable, forwardButton_, &QToolButton::setEnabled);

  topicPane_->setOpenLinks(true);
  topicPane_->setOpenExternalLinks(false);
  // The browser reports the new source before source() returns it.
  connect(topicPane_, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) { topicChanged(source); });

  auto* topicSide = new QWidget;
  auto* topicLayout = new QVBoxLayout(topicSide);
  topicLayout->setContentsMargins(0, 0, 0, 0);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(backButton_);
  buttonRow->addWidget(forwardButton_);
  buttonRow->addWidget(homeButton_);
  buttonRow->addStretch(1);
  topicLayout->addLayout(buttonRow);
  topicLayout->addWidget(topicPane_, 1);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(sidePages_);
  splitter->addWidget(topicSide);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  splitter->setSizes({300, 660});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(splitter);

  resize(960, 700);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
  buildContents();
}

void HelpWindow::setFolder(const QString& folder) {
  folder_ = folder;
  topicPane_->clearHistory();
  searchResults_->clear();
  searchSummary_->clear();
  buildContents();
}

void HelpWindow::buildContents() {
  const QSignalBlocker blocker(contentsTree_);
  contentsTree_->clear();
  const QList<HelpContentsEntry> entries = readHelpContents(readTopicText(QDir(folder_).filePath(contentsTopic)));
  QList<QTreeWidgetItem*> parents;  // the last item of every depth so far
  for (const HelpContentsEntry& entry : entries) {
    const int depth = std::min<int>(entry.depth, static_cast<int>(parents.size()));
    parents.resize(depth);
    auto* item = depth == 0 ? new QTreeWidgetItem(contentsTree_) : new QTreeWidgetItem(parents.back());
    item->setText(0, entry.title.isEmpty() ? entry.topicFile : entry.title);
    item->setData(0, topicFileRole, entry.topicFile);
    if (!entry.topicFile.isEmpty()) item->setToolTip(0, entry.topicFile);
    parents.append(item);
  }
  contentsTree_->expandAll();
}

void HelpWindow::showTopic(const QString& topicFile) {
  const qsizetype hash = topicFile.indexOf(QLatin1Char('#'));
  QUrl url = QUrl::fromLocalFile(QDir(folder_).filePath(hash < 0 ? topicFile : topicFile.left(hash)));
  if (hash >= 0) url.setFragment(topicFile.mid(hash + 1));
  topicPane_->setSource(url, QTextDocument::HtmlResource);
}

void HelpWindow::showContentsPage() {
  sidePages_->setCurrentIndex(0);
  showTopic(contentsTopic);
}

void HelpWindow::showSearchPage() {
  sidePages_->setCurrentIndex(1);
  searchField_->clear();
  searchResults_->clear();
  searchSummary_->clear();
  if (topicPane_->source().isEmpty()) showTopic(contentsTopic);
  searchField_->setFocus();
}

QString HelpWindow::currentTopic() const { return QFileInfo(topicPane_->source().toLocalFile()).fileName(); }

QString HelpWindow::currentTitle() const { return topicPane_->documentTitle(); }

QStringList HelpWindow::searchResultTopics() const {
  QStringList topics;
  for (int row = 0; row < searchResults_->count(); ++row)
    topics.append(searchResults_->item(row)->data(topicFileRole).toString());
  return topics;
}

void HelpWindow::runSearch() {
  searchResults_->clear();
  const QList<HelpSearchHit> hits = searchHelpTopics(folder_, searchField_->text());
  for (const HelpSearchHit& hit : hits) {
    auto* item = new QListWidgetItem(hit.title, searchResults_);
    item->setData(topicFileRole, hit.topicFile);
    item->setToolTip(QStringLiteral("%1 (%2 hits)").arg(hit.topicFile).arg(hit.hits));
  }
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  const QStringList words = searchField_->text().split(blanks, Qt::SkipEmptyParts);
  lastSearchWord_ = words.isEmpty() ? QString() : words.front();
  if (words.isEmpty())
    searchSummary_->setText(QStringLiteral("Type one or more words; topics that hold all of them are listed."));
  else if (hits.isEmpty())
    searchSummary_->setText(QStringLiteral("No topic holds all of these words."));
  else
    searchSummary_->setText(
        hits.size() == 1 ? QStringLiteral("1 topic found.") : QStringLiteral("%1 topics found.").arg(hits.size()));
  // The best topic is shown at once; the others are a click away.
  if (!hits.isEmpty()) {
    searchResults_->setCurrentRow(0);
    openSearchResult(searchResults_->item(0));
  }
}

void HelpWindow::openSearchResult(QListWidgetItem* item) {
  if (!item) return;
  showTopic(item->data(topicFileRole).toString());
  // Put the first place of the first word in view, selected.
  if (!lastSearchWord_.isEmpty()) {
    topicPane_->moveCursor(QTextCursor::Start);
    topicPane_->find(lastSearchWord_);
  }
}

void HelpWindow::openContentsItem(QTreeWidgetItem* item) {
  if (!item) return;
  const QString topic = item->data(0, topicFileRole).toString();
  if (topic.isEmpty() || topic == currentTopic()) return;
  showTopic(topic);
}

void HelpWindow::bringForward(QWidget* asker) {
  QWidget* dialog = asker ? asker->window() : nullptr;
  setOwner(dialog && dialog->isModal() ? dialog : nullptr);
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

// A top-level window of its own is blocked while a modal dialog runs and may
// stay behind the main window; as a window of the dialog it stands above
// the dialog and takes input. The window keeps its place on the screen.
void HelpWindow::setOwner(QWidget* owner) {
  if (owner == owner_) return;
  if (owner_) owner_->removeEventFilter(this);
  owner_ = owner;
  const QRect place = geometry();
  const bool shown = isVisible();
  setParent(owner, windowFlags());
  setGeometry(place);
  if (owner) owner->installEventFilter(this);
  if (shown) show();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  // The dialog has closed: the help stays open on its own.
  if (watched == owner_ && event->type() == QEvent::Hide) setOwner(nullptr);
  return QWidget::eventFilter(watched, event);
}

void HelpWindow::topicChanged(const QUrl& source) {
  // The contents page is titled as the window is.
  const QString title = currentTitle();
  setWindowTitle(title.isEmpty() || title == windowCaption ? windowCaption
                                                          : windowCaption + QStringLiteral(" - ") + title);
  // Keep the contents in step with the topic shown, however it was reached.
  const QString topic = QFileInfo(source.toLocalFile()).fileName();
  for (QTreeWidgetItemIterator it(contentsTree_); *it; ++it) {
    if (QFileInfo((*it)->data(0, topicFileRole).toString().section(QLatin1Char('#'), 0, 0)).fileName() == topic) {
      const QSignalBlocker blocker(contentsTree_);
      contentsTree_->setCurrentItem(*it);
      contentsTree_->scrollToItem(*it);
      return;
    }
  }
  const QSignalBlocker blocker(contentsTree_);
  contentsTree_->clearSelection();
  contentsTree_->setCurrentItem(nullptr);
}

HelpWindow* helpWindow() { return theHelpWindow().data(); }

void showHelpTopic(const QString& topicFile, QWidget* asker) {
  HelpWindow& window = openHelpWindow();
  window.showTopic(topicFile);
  window.bringForward(asker);
}

void showHelpContents() {
  HelpWindow& window = openHelpWindow();
  window.showContentsPage();
  window.bringForward(nullptr);
}

void showHelpSearch() {
  HelpWindow& window = openHelpWindow();
  window.showSearchPage();
  window.bringForward(nullptr);
}

void closeAllHelp() { delete theHelpWindow().data(); }

}  // namespace noctavo
