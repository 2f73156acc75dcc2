// Test entry for widget suites: one application object on the offscreen
// platform, so the suites run without a display.
#include <gtest/gtest.h>

#include <QEvent>

#include "platform/KeyPreview.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  Rp58Application app(argc, argv);
  const int rc = RUN_ALL_TESTS();
  // Windows closed with deleteLater() during the last test.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return rc;
}
