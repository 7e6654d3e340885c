#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace noctavo {

// The program's help: the topics in the "help" folder beside the program,
// shown in a window of its own with a contents page, a full-text search
// page, the glossary and the quick tour.
// e.g. "dialog date and time.htm". Asked for from a modal dialog (asker),
// the help window stands above that dialog and takes input while it is
// open, and becomes a window of its own again when the dialog closes.
void showHelpTopic(const QString& topicFile, QWidget* asker = nullptr);
void showHelpContents();
void showHelpSearch();
void closeAllHelp();

// The folder the topics are read from: "help" beside the program, or the
// folder named by the environment variable NOCTAVO_HELP_DIR (tests).
QString helpFolder();

// One entry of the contents: a topic file (empty for a heading that only
// groups the entries below it) and the depth of its list on the contents
// page, 0 for the outermost.
struct HelpContentsEntry {
  QString title;
  QString topicFile;
  int depth = 0;
};
// The entries of the first list of a contents page and of the lists nested
// in it, in page order. Links in paragraphs and later lists are not entries.
QList<HelpContentsEntry> readHelpContents(const QString& contentsHtml);

// One topic found by the full-text search.
struct HelpSearchHit {
  QString topicFile;
  QString title;
  int hits = 0;  // occurrences of all the words together
};
// Every topic of the folder that holds all the words of the query (any
// case, parts of words count), most hits first, then by title.
QList<HelpSearchHit> searchHelpTopics(const QString& folder, const QString& query);

// The help window: one non-modal top-level window, the contents and search
// pages on the left, the topic on the right.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(const QString& folder);

  QString folder() const { return folder_; }
  // Reads the topics of another folder: new contents, empty history.
  void setFolder(const QString& folder);

  void showTopic(const QString& topicFile);
  void showContentsPage();
  // Shows the window above everything else, or above the modal dialog that
  // asked for it (see showHelpTopic).
  void bringForward(QWidget* asker);
  void showSearchPage();

  QString currentTopic() const;  // file name, e.g. "glossary.htm"
  QString currentTitle() const;  // the topic's <title>
  QTextBrowser* topicPane() const { return topicPane_; }
  QTreeWidget* contentsTree() const { return contentsTree_; }
  QLineEdit* searchField() const { return searchField_; }
  QListWidget* searchResults() const { return searchResults_; }
  QStringList searchResultTopics() const;  // in list order
  QToolButton* backButton() const { return backButton_; }
  QToolButton* forwardButton() const { return forwardButton_; }
  QToolButton* homeButton() const { return homeButton_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setOwner(QWidget* owner);
  void buildContents();
  void runSearch();
  void openSearchResult(QListWidgetItem* item);
  void openContentsItem(QTreeWidgetItem* item);
  void topicChanged(const QUrl& source);

  QString folder_;
  QTabWidget* sidePages_;
  QTreeWidget* contentsTree_;
  QLineEdit* searchField_;
  QListWidget* searchResults_;
  QLabel* searchSummary_;
  QTextBrowser* topicPane_;
  QToolButton* backButton_;
  QToolButton* forwardButton_;
  QToolButton* homeButton_;
  QString lastSearchWord_;
  QWidget* owner_ = nullptr;  // the modal dialog the window stands above
};

// The help window while it exists (tests look into it), else nullptr.
HelpWindow* helpWindow();

}  // namespace noctavo
