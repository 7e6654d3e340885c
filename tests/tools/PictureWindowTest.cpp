// The Picture window in a main frame over the collection that comes with the
// program: the picture shown at start, fit to window, the control panel and
// its up-down, the pop-up menu, the objects other windows send, the settings,
// and the sky map's colour for objects with a picture.
#include "tools/PictureWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMdiArea>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "bodies/BodyRegistry.h"
#include "catalogues/NgcCatalogue.h"
#include "shell/FrameTestSupport.h"
#include "sky/SkyDisplay.h"
#include "sky/SkyWindow.h"
#include "support/ModalDialogs.h"
#include "support/ShippedData.h"
#include "support/TemporarySettings.h"
#include "tools/PictureCollection.h"
#include "tools/PictureControlPanel.h"

namespace noctavo {
namespace {

class PictureWindowTest : public testing::ShippedCatalogueTest {
 protected:
  PictureWindowTest() { registerWindowMessages(); }
  ~PictureWindowTest() override { stop(); }

  void start(const QString& folder = QString::fromStdString(testing::shippedDataFolder())) {
    frame = std::make_unique<MainFrame>();
    frame->resize(1280, 1000);
    frame->show();
    picture = createPictureWindow(*frame, folder);
    QApplication::processEvents();
  }
  void stop() {
    picture = nullptr;
    frame.reset();
    QApplication::processEvents();
    pictureCollection().clear();
  }
  // A window of its normal size (500 x 400) instead of the first run's icon.
  void storeNormalWindow() {
    store("Minimized", "0", "Picture\\Window");
    store("Maximized", "0", "Picture\\Window");
  }
  void store(const std::string& name, const std::string& text, const char* subkey = "Picture") {
    settings.store().setValue(settingsKey(subkey), name, text);
  }
  std::string stored(const std::string& name, const char* subkey = "Picture") {
    return settings.store().value(settingsKey(subkey), name, "(none)");
  }

  PictureControlPanel& panel() { return *picture->controlPanel(); }
  PictureView& view() { return *picture->view(); }
  QString currentFile() { return pictureCollection().entry(picture->currentEntry())->fileName; }
  int entryOf(const char* file) { return pictureCollection().findByFileName(QString::fromLatin1(file)); }

  testing::TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  PictureWindow* picture = nullptr;
};

TEST_F(PictureWindowTest, TheStoredPictureShowsAndANameOutsideTheCollectionShowsTheFirst) {
  struct Case {
    const char* stored;  // null: nothing stored, the default "aat008a.jpg"
    const char* shown;   // null: the first of the list
  };
  for (const Case& c : {Case{nullptr, nullptr}, Case{"M42.JPG", "m42.jpg"}, Case{"gone.jpg", nullptr}}) {
    SCOPED_TRACE(c.stored ? c.stored : "(default)");
    if (c.stored) store("Current picture", c.stored);
    start();
    const QString expected = c.shown ? QString::fromLatin1(c.shown) : pictureCollection().entry(0)->fileName;
    EXPECT_EQ(currentFile(), expected);
    EXPECT_EQ(picture->windowTitle(), QStringLiteral("Picture: ") + expected);
    EXPECT_EQ(panel().selectedEntry(), picture->currentEntry());
    // The first start has the window as an icon: nothing is decoded until
    // it is opened.
    EXPECT_TRUE(picture->isMinimized());
    EXPECT_FALSE(picture->holder().isLoaded());
    frame->executeCommand(command::showPicture);
    EXPECT_TRUE(picture->pictureShown());
    stop();
  }
}

TEST_F(PictureWindowTest, FitToWindowChangesTheMenuCheckAndTheDrawnSize) {
  storeNormalWindow();
  store("Current picture", "m42.jpg");  // 1024 x 1024, larger than the window
  start();
  const QSize natural = picture->holder().naturalSize(view().logicalDpiX(), view().logicalDpiY());
  EXPECT_FALSE(frame->isCommandChecked(command::pictureFitToWindow));
  EXPECT_EQ(view().pictureRect().size(), natural);
  EXPECT_GT(view().verticalScrollBar()->maximum(), 0);

  frame->executeCommand(command::pictureFitToWindow);
  QApplication::processEvents();
  EXPECT_TRUE(frame->isCommandChecked(command::pictureFitToWindow));
  const QSize area = view().viewport()->size();
  ASSERT_GT(area.width(), area.height());
  EXPECT_EQ(view().pictureRect(), QRect((area.width() - area.height()) / 2, 0, area.height(), area.height()));
  EXPECT_EQ(view().verticalScrollBar()->maximum(), 0);

  frame->executeCommand(command::pictureFitToWindow);
  QApplication::processEvents();
  EXPECT_FALSE(frame->isCommandChecked(command::pictureFitToWindow));
  EXPECT_EQ(view().pictureRect().size(), natural);
}

TEST_F(PictureWindowTest, TheUpDownFollowsTheSortedListAndStopsAtBothEnds) {
  storeNormalWindow();
  start();
  QTreeWidget& list = *panel().list();
  // Sorted by description, the first row is not the first entry.
  emit list.header()->sectionClicked(2);
  EXPECT_TRUE(list.header()->isSortIndicatorShown());
  auto* spin = static_cast<VerticalSpin*>(panel().control(picture_control::upDown));
  const auto entryAtRow = [&](int row) {
    list.setCurrentItem(list.topLevelItem(row));
    panel().displaySelected();
    return picture->currentEntry();
  };
  const int top = entryAtRow(0);
  QTest::mouseClick(spin->upButton(), Qt::LeftButton);
  EXPECT_EQ(picture->currentEntry(), top);
  QTest::mouseClick(spin->downButton(), Qt::LeftButton);
  EXPECT_EQ(list.indexOfTopLevelItem(list.currentItem()), 1);
  EXPECT_EQ(panel().selectedEntry(), picture->currentEntry());
  EXPECT_NE(picture->currentEntry(), top);

  const int last = entryAtRow(list.topLevelItemCount() - 1);
  QTest::mouseClick(spin->downButton(), Qt::LeftButton);
  EXPECT_EQ(picture->currentEntry(), last);
}

TEST_F(PictureWindowTest, ThePopupGreysTheWindowsAnObjectCannotBeShownIn) {
  testing::MessageRecorder sky, solar, info;
  storeNormalWindow();
  start();
  frame->registerWindow(FrameWindow::Sky, &sky);
  frame->registerWindow(FrameWindow::SolarSystem, &solar);
  frame->registerWindow(FrameWindow::ObjectInformation, &info);
  const AstBody* namedStar = bodyByIndex(ObjectType::Star, 0);
  const AstBody* unnamedStar = nullptr;
  for (int cursor = 0; cursor >= 0 && !unnamedStar;) {
    const AstBody* star = nextBody(ObjectType::Star, cursor);
    if (star && *star->getName() == '\0') unnamedStar = star;
  }
  ASSERT_NE(unnamedStar, nullptr);
  ASSERT_STRNE(namedStar->getName(), "");
  struct Case {
    const AstBody* object;
    bool sky, solar, info;
  };
  const Case cases[] = {
      {&theSun(), true, true, true},
      {planetByName("Saturn"), true, true, true},
      {bodyByName(ObjectType::Earth, "Earth"), false, true, true},
      {findNgcByName("NGC 1976"), true, false, true},
      {bodyByIndex(ObjectType::Constellation, 0), true, false, true},
      {namedStar, true, false, true},
      {unnamedStar, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.object->getName());
    picture->preparePopup(*c.object);
    EXPECT_EQ(picture->popupAction(picture_popup::sky)->isEnabled(), c.sky);
    EXPECT_EQ(picture->popupAction(picture_popup::solarSystem)->isEnabled(), c.solar);
    EXPECT_EQ(picture->popupAction(picture_popup::objectInfo)->isEnabled(), c.info);
  }
  // The current picture's object goes out with activation.
  panel().displayEntry(entryOf("m42.jpg"));
  picture->preparePopup(*picture->currentObject());
  EXPECT_EQ(picture->displayInWindowMenu()->title(), QStringLiteral("Display NGC 1976 in &window"));
  picture->popupCommand(picture_popup::sky);
  ASSERT_EQ(sky.messages.size(), 1u);
  EXPECT_EQ(sky.messages[0], (testing::ReceivedMessage{UM_DISPLAY_OBJECT, 1, pointerParam(findNgcByName("NGC 1976"))}));
  frame->registerWindow(FrameWindow::Sky, nullptr);
  frame->registerWindow(FrameWindow::SolarSystem, nullptr);
  frame->registerWindow(FrameWindow::ObjectInformation, nullptr);
}

TEST_F(PictureWindowTest, AnObjectSentToTheWindowShowsItsPictureOrTheMessageThatThereIsNone) {
  start();
  sendMessage(frame->window(FrameWindow::Picture), UM_DISPLAY_OBJECT, 1, pointerParam(planetByName("Jupiter")));
  EXPECT_EQ(currentFile(), QStringLiteral("jupiter.jpg"));
  EXPECT_FALSE(picture->isMinimized());
  EXPECT_EQ(frame->documentArea()->currentSubWindow(), picture);

  testing::ModalWatch watch;
  sendMessage(frame->window(FrameWindow::Picture), UM_DISPLAY_OBJECT, 1, pointerParam(findNgcByName("NGC 1")));
  ASSERT_EQ(watch.count(), 1);
  EXPECT_EQ(watch.shown[0].text, QStringLiteral("There is no picture available for NGC 1"));
  EXPECT_EQ(currentFile(), QStringLiteral("jupiter.jpg"));
}

TEST_F(PictureWindowTest, TheMenuItemTheDoubleClickAndTheCloseBoxToggleThePanelWithItsCheckMark) {
  storeNormalWindow();
  start();
  frame->documentArea()->setActiveSubWindow(picture);
  EXPECT_TRUE(panel().isVisible());
  EXPECT_TRUE(frame->isCommandChecked(command::pictureControlPanel));
  frame->executeCommand(command::pictureControlPanel);
  EXPECT_FALSE(panel().isVisible());
  EXPECT_FALSE(frame->isCommandChecked(command::pictureControlPanel));
  QTest::mouseDClick(view().viewport(), Qt::LeftButton);
  EXPECT_TRUE(panel().isVisible());
  EXPECT_TRUE(frame->isCommandChecked(command::pictureControlPanel));
  panel().close();
  EXPECT_FALSE(panel().isVisible());
  EXPECT_FALSE(frame->isCommandChecked(command::pictureControlPanel));
  // Closing the window only minimises it, and the panel goes with it.
  frame->executeCommand(command::pictureControlPanel);
  picture->close();
  EXPECT_TRUE(picture->isMinimized());
  EXPECT_FALSE(panel().isVisible());
}

TEST_F(PictureWindowTest, AMissingDescriptionAndAnUnreadablePictureAreReportedAndNothingEnds) {
  QTemporaryDir program;
  QDir(program.path()).mkdir(QStringLiteral("PICTURES"));
  QFile broken(program.filePath(QStringLiteral("PICTURES/broken.BMP")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a bitmap");
  broken.close();
  QFile::copy(QDir(QString::fromStdString(testing::shippedDataFolder())).filePath(QStringLiteral("PICTURES/m6.jpg")),
              program.filePath(QStringLiteral("PICTURES/Cluster.JPEG")));
  testing::ModalWatch watch;
  storeNormalWindow();
  start(program.path());
  ASSERT_EQ(watch.count(), 2);
  EXPECT_EQ(watch.shown[0].text, QStringLiteral("Error opening picture description file"));
  EXPECT_EQ(watch.shown[1].text, QStringLiteral("The picture file broken.BMP cannot be read."));
  EXPECT_EQ(currentFile(), QStringLiteral("broken.BMP"));
  EXPECT_FALSE(picture->pictureShown());
  EXPECT_TRUE(view().pictureRect().isEmpty());
  panel().step(1);
  EXPECT_EQ(currentFile(), QStringLiteral("Cluster.JPEG"));
  EXPECT_TRUE(picture->pictureShown());
}

TEST_F(PictureWindowTest, TheSaveModesDecideWhatIsWritten) {
  struct Case {
    bool saveOptions, saveWindowState;
    const char* picture;
    const char* panelVisible;
  };
  for (const Case& c : {Case{true, true, "m31.jpg", "0"}, Case{true, false, "m31.jpg", "(none)"},
                        Case{false, true, "(none)", "(none)"}}) {
    SCOPED_TRACE(std::string(c.saveOptions ? "options" : "-") + (c.saveWindowState ? " window" : " -"));
    settings.restart();
    settings.store().deleteTree(settingsKey("Picture"));
    start();
    sendMessage(frame->window(FrameWindow::Picture), UM_DISPLAY_OBJECT, 0, pointerParam(findNgcByName("NGC 224")));
    frame->executeCommand(command::pictureControlPanel);
    frame->executeCommand(command::pictureFitToWindow);
    options().saveOptions = c.saveOptions;
    options().saveWindowState = c.saveWindowState;
    picture->saveAndRelease();
    EXPECT_EQ(stored("Current picture"), c.picture);
    EXPECT_EQ(stored("Fit to window"), c.saveOptions ? "1" : "(none)");
    EXPECT_EQ(stored("Control panel visible", "Picture\\Window\\Control panel"), c.panelVisible);
    EXPECT_EQ(pictureCollection().count(), 0);  // the list is let go
    stop();
  }
}

TEST_F(PictureWindowTest, TheSkyMapDrawsAnNgcObjectWithAPictureInThePictureColour) {
  constexpr QRgb pictureColour = 0xFFFF00FF;
  constexpr QRgb ngcColour = 0xFF333333;
  observer().dateTime = AstDateTime(15, 10, 2024, 21.0, TimeKind::Lct);  // M 31 high in the east over London
  start();
  SkyWindow* sky = createSkyWindow(*frame);
  sky->state().settings.ngcObjectsOn = 1;
  frame->activateDocument(sky, true);
  sendMessage(frame.get(), UM_LAYOUT);
  sendMessage(sky, UM_DISPLAY_OBJECT, 0, pointerParam(findNgcByName("NGC 224")));
  sky->display()->stopHighlight();
  struct Case {
    const char* object;
    QRgb colour;
  };
  for (const Case& c : {Case{"NGC 224", pictureColour}, Case{"NGC 206", ngcColour}}) {  // M 31 and its star cloud
    SCOPED_TRACE(c.object);
    QPoint point;
    ASSERT_TRUE(sky->display()->projectedPoint(*findNgcByName(c.object), point));
    EXPECT_EQ(sky->display()->grab().toImage().pixel(point), c.colour);
  }
  sky->saveAndRelease();
}

}  // namespace
}  // namespace noctavo
