#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "game/symbol_sets.h"
#include "qt/main_window.h"
#include "ui_fixture.h"

namespace kx {
namespace {

using test::kSolvedGrid;
using test::UiTest;

class InputTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    FitFonts(874, 654);
    Paint();
  }
  void Click(int x, int y) {
    InputContext c = Input();
    OnLeftButtonDown(c, x, y);
    Paint();
  }
  void Key(kx::Key key) {
    InputContext c = Input();
    OnKeyDown(c, key);
    Paint();
  }
  bool Char(char ch) {
    InputContext c = Input();
    bool handled = false;
    OnChar(c, ch, &handled);
    return handled;
  }
  void MoveTo(int x, int y) {
    InputContext c = Input();
    OnMouseMove(c, x, y);
    OnMouseMove(c, x, y);  // the second move reaches the fields
    Paint();
  }
};

TEST_F(InputTest, ClicksSelectCellsAndToggleMarksUpToTheRightEdge) {
  const int cell = EmptyCells()[0];
  const Rect& e = layout.cells[cell];
  Click(e.left + 2, e.top - 5);  // digit area
  EXPECT_EQ(p.state.selectedCell, cell);
  Click(e.right, e.top + 1);  // exactly on the right edge: mark 9
  EXPECT_EQ(p.state.statusBoard[cell] & (1u << 9), 0u);
  EXPECT_EQ(p.state.statusBoard[cell] & (1u << 8), 1u << 8);
  Click(5, 5);  // nothing there
  EXPECT_EQ(p.state.selectedCell, -1);
}

TEST_F(InputTest, TypedSymbolsMapThroughTheSymbolText) {
  p.settings = SettingsWord((p.settings.bits() & ~(7u << 18)) | (3u << 18));  // "KX-SUDoku"
  BuildFunctionFields(p, status::kManualEntry);
  p.state.currentBoard.fill(kAllCandidates);
  p.state.selectedCell = 0;
  EXPECT_TRUE(Char('U'));
  EXPECT_EQ(DigitOf(p.state.currentBoard[0]), 5);
  EXPECT_TRUE(Char('u'));
  EXPECT_EQ(DigitOf(p.state.currentBoard[1]), 9);
  EXPECT_TRUE(Char('-'));
  EXPECT_EQ(DigitOf(p.state.currentBoard[2]), 3);
  EXPECT_FALSE(Char('1'));  // not a symbol of this set

  p.settings = SettingsWord((p.settings.bits() & ~(7u << 18)) | (1u << 18));  // "abcdefghi"
  EXPECT_FALSE(Char('3'));
  EXPECT_TRUE(Char('D'));
  EXPECT_EQ(DigitOf(p.state.currentBoard[3]), 4);
}

TEST_F(InputTest, DigitBlockEntersTheSymbolAndEntfernenClears) {
  const int cell = EmptyCells()[0];
  p.state.selectedCell = cell;
  const int digit = kSolvedGrid[cell] - '0';
  const Rect& key = layout.digitKeys[digit - 1];
  Click(key.left + 2, key.top + 2);
  EXPECT_EQ(DigitOf(p.state.currentBoard[cell]), digit);
  p.state.selectedCell = cell;
  Click(layout.digitKeys[9].left + 2, layout.digitKeys[9].top + 2);
  EXPECT_FALSE(IsSolved(p.state.currentBoard[cell]));
}

TEST_F(InputTest, TabCyclesThroughEveryFieldAndWraps) {
  std::vector<int> seen;
  for (int i = 0; i < p.fields.Count(); ++i) {
    Key(kx::Key::Tab);
    seen.push_back(window.interaction.focusCommand);
  }
  ASSERT_EQ(static_cast<int>(seen.size()), p.fields.Count());
  for (int i = 0; i < p.fields.Count(); ++i) EXPECT_EQ(seen[i], p.fields[i].commandId);
  Key(kx::Key::Tab);
  EXPECT_EQ(window.interaction.focusCommand, p.fields[0].commandId);
}

TEST_F(InputTest, TitleFieldsTakeTheFocusLikeAnyField) {
  ASSERT_TRUE(p.fields[0].isTitle);
  Key(kx::Key::Tab);
  EXPECT_EQ(window.interaction.focusCommand, command::kTitle);
  const Rect title = layout.FieldRect(p.fields, 0);
  QImage image = Paint();
  EXPECT_EQ(At(image, title.left + 3, title.top + 3), Rgb(224, 224, 192));
  EXPECT_EQ(At(image, title.left + 1, title.top + 3), Rgb(0, 0, 0));  // framed twice
  window.interaction.hoverField = 0;
  image = Paint();
  EXPECT_EQ(At(image, title.left + 3, title.top + 3), Rgb(240, 240, 208));
  Click(title.left + 3, title.top + 3);
  EXPECT_EQ(window.interaction.focusCommand, command::kTitle);

  // Browsing the settings shows two title fields; Tab still moves on.
  for (int i = 0; i < 3; ++i) Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  HistoryStepBack(p);
  BuildFunctionFields(p, p.state.gameStatus | status::kSettings);
  Paint();
  ASSERT_TRUE(p.fields[0].isTitle && p.fields[1].isTitle);
  window.interaction.focusCommand = -1;
  Key(kx::Key::Tab);
  Key(kx::Key::Tab);
  EXPECT_EQ(window.interaction.focusCommand, p.fields[2].commandId);
}

TEST_F(InputTest, EscOutsideThePictureAssignmentIsAnyOtherKey) {
  p.state.selectedCell = -1;
  Key(kx::Key::Escape);
  EXPECT_EQ(p.state.selectedCell, EmptyCells()[0]);
  Key(kx::Key::Escape);  // with a selection: ignored
  EXPECT_EQ(p.state.selectedCell, EmptyCells()[0]);
}

TEST_F(InputTest, PictureAssignmentKeepsTheKeysOfEveryMode) {
  for (int i = 0; i < 2; ++i) Type(EmptyCells()[0], kSolvedGrid[EmptyCells()[0]]);
  ASSERT_EQ(RunCommand(p, command::kAssignPictures, hooks), 0);
  Paint();
  Key(kx::Key::PageUp);
  EXPECT_EQ(p.history.StepIndex(), 1);
  Key(kx::Key::Home);
  EXPECT_EQ(p.history.StepIndex(), 0);
  Key(kx::Key::End);
  EXPECT_FALSE(p.history.Browsing());
  EXPECT_TRUE(p.pictures.assign.Active());
  // A click on no field and no picture drops the focus, not the marked picture.
  p.state.selectedCell = 2;
  window.interaction.focusCommand = command::kAssignPicture;
  Click(layout.clientWidth - 2, layout.clientHeight - 2);
  EXPECT_EQ(window.interaction.focusCommand, -1);
  EXPECT_EQ(p.state.selectedCell, 2);
  Key(kx::Key::Escape);
  EXPECT_FALSE(p.pictures.assign.Active());
}

TEST_F(InputTest, SliderHoverLabelsAndEnterGeneratesInTheKeptRange) {
  BuildFunctionFields(p, status::kSelect);
  Paint();
  const int slider = p.fields.Find(command::kSlider);
  const Rect r = layout.FieldRect(p.fields, slider);
  window.interaction.focusCommand = command::kSlider;
  Key(kx::Key::Enter);  // before any hover: 1000..50000
  EXPECT_GE(p.state.gameDifficulty, 1000);
  EXPECT_LE(p.state.gameDifficulty, 50000);

  BuildFunctionFields(p, status::kSelect);
  Paint();
  MoveTo(r.left, r.top);
  EXPECT_EQ(p.fields[slider].label, "Neues Spiel  Schwierigkeit:   562");
  EXPECT_EQ(p.sliderRange.minimum, 500u);
  EXPECT_EQ(p.sliderRange.maximum, 625u);
}

TEST_F(InputTest, ArrowsStepOrSkipFixedCells) {
  p.state.selectedCell = 40;
  Key(kx::Key::Left);
  EXPECT_EQ(p.state.selectedCell, 39);
  p.state.selectedCell = 36;
  Key(kx::Key::Left);
  EXPECT_EQ(p.state.selectedCell, 36);  // no wrapping
  p.state.selectedCell = 4;
  Key(kx::Key::Up);
  EXPECT_EQ(p.state.selectedCell, 4);

  p.settings.ToggleBit(kBitFixedUnreachable);
  const int first = EmptyCells().front(), last = EmptyCells().back();
  p.state.selectedCell = first;
  Key(kx::Key::Left);
  EXPECT_EQ(p.state.selectedCell, first);  // the first free cell stays
  p.state.selectedCell = last;
  Key(kx::Key::Right);
  EXPECT_EQ(p.state.selectedCell, last);
  p.state.selectedCell = first;
  Key(kx::Key::Right);
  EXPECT_EQ(p.state.selectedCell, EmptyCells()[1]);
  const auto [gx, gy] = CellPoint(0);  // a given cannot be clicked
  Click(gx, gy);
  EXPECT_EQ(p.state.selectedCell, EmptyCells()[1]);
}

TEST_F(InputTest, PopupsFollowRightClickAndForegroundTime) {
  const Rect r = layout.FieldRect(p.fields, 2);
  InputContext c = Input();
  OnRightButtonDown(c, r.left + 2, r.top + 2);
  EXPECT_TRUE(PopupVisible(p, window));
  for (int i = 0; i < 39; ++i) OnHalfSecondTick(c);
  EXPECT_TRUE(PopupVisible(p, window));
  OnHalfSecondTick(c);
  EXPECT_FALSE(PopupVisible(p, window));  // 20 seconds shown

  // Hovering in the background never counts.
  p.settings.ToggleBit(kBitHoverPopups);
  host.foreground = false;
  window.popupField = -1;
  MoveTo(r.left + 2, r.top + 2);
  for (int i = 0; i < 10; ++i) OnHalfSecondTick(c);
  EXPECT_FALSE(PopupVisible(p, window));
  host.foreground = true;
  for (int i = 0; i < 7; ++i) OnHalfSecondTick(c);
  EXPECT_TRUE(PopupVisible(p, window));
}

// Keys as the window receives them from Qt.
TEST_F(InputTest, ShiftTabIsTabAndAltKeysBelongToTheSystem) {
  MainWindow main(p);
  main.resize(874, 654);
  main.PaintFrame();
  auto press = [&main](int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&main, &event);
  };
  press(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(main.state().interaction.focusCommand, p.fields[0].commandId);

  p.state.selectedCell = -1;
  press(Qt::Key_Alt, Qt::AltModifier);
  press(Qt::Key_F10, Qt::NoModifier);
  EXPECT_EQ(p.state.selectedCell, -1);  // not "any other key"
  const int cell = EmptyCells()[0];
  p.state.selectedCell = cell;
  press(Qt::Key_5, Qt::AltModifier, "5");
  EXPECT_FALSE(IsSolved(p.state.currentBoard[cell]));
  press(kSolvedGrid[cell], Qt::NoModifier, QString(QChar(kSolvedGrid[cell])));
  EXPECT_EQ(DigitOf(p.state.currentBoard[cell]), kSolvedGrid[cell] - '0');
}

}  // namespace
}  // namespace kx
