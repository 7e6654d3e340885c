#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QTest>

#include <memory>
#include <string>

#include "bodies/AstBody.h"
#include "frame/WindowMessages.h"
#include "shell/MainFrame.h"
#include "sky/SkyControlPanel.h"
#include "sky/SkyDisplay.h"
#include "sky/SkyWindow.h"
#include "support/ShippedData.h"
#include "support/TemporarySettings.h"
#include "ui/Options.h"

namespace noctavo::testing {

// The Sky window in a main frame, over the catalogues that come with the
// program, for an October evening in London (Saturn is up in the south).
class SkyWindowFixture : public ShippedCatalogueTest {
 protected:
  SkyWindowFixture() {
    registerWindowMessages();
    observer().dateTime = eveningInLondon();
  }
  ~SkyWindowFixture() override {
    frame.reset();
    QApplication::processEvents();
  }

  static AstDateTime eveningInLondon() { return AstDateTime(15, 10, 2024, 21.0, TimeKind::Lct); }

  // The start of a run: a frame of the test screen's size with the Sky
  // window maximised in it and laid out.
  void startSky() {
    frame = std::make_unique<MainFrame>();
    frame->resize(1280, 1000);
    frame->show();
    sky = createSkyWindow(*frame);
    QMdiSubWindow* active = nullptr;
    bool maximize = false;
    sky->initialise(active, maximize);
    frame->activateDocument(active, maximize);
    sendLayout(frame.get());
    QApplication::processEvents();
  }

  // The end of a run: the window saves as the options say, the frame goes,
  // and the next run reads the file afresh.
  void endRun() {
    sky->saveAndRelease();
    sky = nullptr;
    frame.reset();
    settings.restart();
  }

  // What a window asks when it wants the Sky window to show an object.
  void showObject(const AstBody& body, int activate = 0) {
    sendDisplayObject(sky, body, activate != 0);
  }

  std::string stored(const std::string& name, const char* subkey = "Sky") {
    return settings.store().value(settingsKey(subkey), name, "(none)");
  }
  void store(const std::string& name, const std::string& text, const char* subkey = "Sky") {
    settings.store().setValue(settingsKey(subkey), name, text);
  }

  SkyControlPanel& panel() { return *sky->controlPanel(); }
  SkyDisplay& display() { return *sky->display(); }
  SkySettings& skySettings() { return sky->state().settings; }
  SkyView view() { return viewOf(skySettings()); }
  QString shown(int controlId) { return panel().control(controlId)->property("text").toString(); }
  bool enabled(int controlId) { return panel().control(controlId)->isEnabled(); }
  void click(int controlId) { QTest::mouseClick(panel().control(controlId), Qt::LeftButton); }

  TemporarySettings settings;
  std::unique_ptr<MainFrame> frame;
  SkyWindow* sky = nullptr;
};

}  // namespace noctavo::testing
