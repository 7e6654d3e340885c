#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>

#include "shell/MainFrame.h"

namespace noctavo {
namespace {

TEST(OffscreenScreen, IsLargeEnoughForTheProgram) {
  // The program refuses screens below 1024 x 768; the GUI tests must run on
  // a screen it accepts.
  const QSize size = QGuiApplication::primaryScreen()->size();
  EXPECT_GE(size.width(), 1024);
  EXPECT_GE(size.height(), 768);
}

TEST(MainFrame, IsTitledNoctavoAndHoldsTheDocumentArea) {
  MainFrame frame;
  frame.show();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Noctavo"));
  ASSERT_NE(frame.documentArea(), nullptr);
  EXPECT_EQ(frame.centralWidget(), frame.documentArea());
}

}  // namespace
}  // namespace noctavo
