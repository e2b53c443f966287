#include "qt/progress_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "game/enumerate_command.h"

namespace kx {
namespace {

class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QtProgressWindow>();
    window->SetPhase(ProgressPhase::Searching);
    window->SetCounts({1234567, 0, 0});
    window->Show();
    QCoreApplication::processEvents();
  }
  QImage Painted() { return window->grab().toImage(); }
  void Mouse(QEvent::Type type, QPoint at) {
    QMouseEvent event(type, QPointF(at), window->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &event);
  }

  std::unique_ptr<QtProgressWindow> window;
};

TEST_F(ProgressWindowTest, EscCancelsOnceAndHides) {
  EXPECT_EQ(window->size(), QSize(280, 90));
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Pump(), 0);
  QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QCoreApplication::sendEvent(window.get(), &other);
  EXPECT_EQ(window->PendingStop(), StopRequest::None);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &esc);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Pump(), 1);
  EXPECT_EQ(window->PendingStop(), StopRequest::None);
}

TEST_F(ProgressWindowTest, ButtonCancelsAndTurnsBlueUnderThePointer) {
  QImage before = Painted();
  const QRect button = window->ButtonRect();
  ASSERT_TRUE(button.isValid());
  EXPECT_EQ(before.pixelColor(2, 2), QColor(0xE0, 0xE0, 0xFF));
  EXPECT_EQ(before.pixelColor(button.topLeft()), QColor(Qt::black));
  const QPoint inside(button.left() + 2, button.top() + 2);
  EXPECT_EQ(before.pixelColor(inside), QColor(0x40, 0x40, 0xFF));

  Mouse(QEvent::MouseMove, button.center());
  EXPECT_EQ(Painted().pixelColor(inside), QColor(0x00, 0x00, 0xFF));
  Mouse(QEvent::MouseButtonPress, QPoint(button.left() - 3, button.top()));
  EXPECT_EQ(window->PendingStop(), StopRequest::None);
  Mouse(QEvent::MouseButtonPress, button.center());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Pump(), 1);
}

TEST(ProgressTextTest, FollowsThePhase) {
  EXPECT_EQ(ProgressText(ProgressPhase::Searching, {1234567, 0, 0}), "Bisher  1.234.567  Lösungen gefunden");
  EXPECT_EQ(ProgressText(ProgressPhase::Deduplicating, {0, 1000, 2500}), "1.000 / 2.500");
}

}  // namespace
}  // namespace kx

