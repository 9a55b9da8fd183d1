#include <gtest/gtest.h>

#include "controls/utility/UtComponentUtils.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/window/window.h"

namespace {

class TFoo : public TForm {
public:
  using TForm::TForm;
};

class TPlainControl : public TWinControl {
public:
  using TWinControl::TWinControl;
};

class UtComponentUtilsTest : public ::testing::Test {
protected:
  void SetUp() override { THeadlessDisplay::Use(); }
};

}  // namespace

TEST_F(UtComponentUtilsTest, DefaultSectionsOfFormsControlsAndOtherComponents)
{
  TFoo form(nullptr);
  auto* button = new TPlainControl(&form);
  button->SetName("Btn");
  button->SetParent(&form);
  auto* tray = new TComponent(&form);
  tray->SetName("Tray");

  TPlainControl panel(nullptr);
  panel.SetName("Panel1");
  auto* inner = new TPlainControl(&panel);
  inner->SetName("Edit1");
  inner->SetParent(&panel);
  TPlainControl lone(nullptr);
  lone.SetName("Lone");
  TComponent owner(nullptr);
  auto* plain = new TComponent(&owner);
  plain->SetName("Plain");

  struct Case {
    TComponent* component;
    const char* section;
  } cases[] = {
      {nullptr, ""},          {&form, "TFoo"},         {button, "TFooBtn"},  {tray, "TFoo.Tray"},
      {inner, "Panel1Edit1"}, {&lone, "Lone"},         {plain, "Plain"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DefaultSectionOf(c.component), c.section);
}

TEST_F(UtComponentUtilsTest, TheApplicationWindow)
{
  HWND window = ApplicationWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(ApplicationMinimized(), bool(IsIconic(window)));
}

TEST_F(UtComponentUtilsTest, DragCursorsAreCopiesOfTheDragShapes)
{
  HCURSOR before = Screen()->Cursors(100);
  InstallDragCursors();
  for (int number : UtDragCursors) {
    EXPECT_NE(Screen()->Cursors(number), nullptr) << number;
    EXPECT_NE(Screen()->Cursors(number), before) << number;
  }
  // Copies, not the shared standard handles.
  EXPECT_NE(Screen()->Cursors(100), Screen()->Cursors(crMultiDrag));
  EXPECT_NE(Screen()->Cursors(101), Screen()->Cursors(crDrag));
}
