#include "ControlTestSupport.h"

namespace {

class ButtonTest : public TControlFixture {
public:
  LRESULT Check(HWND b) { return SendMessage(b, BM_GETCHECK, 0, 0); }
};

TEST_F(ButtonTest, CheckBoxesToggleByClickAndSpace)
{
  struct TCase {
    DWORD Style;
    std::vector<LRESULT> States;  // after each of four activations
  } cases[] = {
      {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}},
      {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}},
      {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED}},  // the parent checks it
  };
  int id = 1;
  for (auto& c : cases) {
    SCOPED_TRACE(c.Style);
    HWND b = Make("Button", c.Style | WS_TABSTOP, 10, 10, 120, 20, "&Option", id++);
    std::vector<LRESULT> got;
    for (int i = 0; i < 4; ++i) {
      if (i % 2 == 0) {
        ClickAt(b, 5, 10);
        THeadlessDisplay::Advance(1000);
      } else {
        SetFocus(b);
        Key(VK_SPACE);
      }
      got.push_back(Check(b));
    }
    EXPECT_EQ(got, c.States);
    EXPECT_EQ(Count(BN_CLICKED, b), 4);
    DestroyWindow(b);
  }
}

TEST_F(ButtonTest, AutomaticRadioButtonsUncheckTheirGroupOnly)
{
  HWND a = Make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 100, 20, "A", 1);
  HWND b = Make("Button", BS_AUTORADIOBUTTON, 10, 30, 100, 20, "B", 2);
  HWND c = Make("Button", BS_AUTORADIOBUTTON, 10, 50, 100, 20, "C", 3);
  HWND other = Make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 10, 70, 100, 20, "D", 4);
  SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
  // Groups run in z-order, which for visible children is creation order: A, B, C, then D.
  ClickAt(b, 5, 10);
  EXPECT_EQ(Check(a), BST_UNCHECKED);
  EXPECT_EQ(Check(b), BST_CHECKED);
  EXPECT_EQ(Check(c), BST_UNCHECKED);
  EXPECT_EQ(Check(other), BST_CHECKED);
  EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON, DLGC_RADIOBUTTON);
  EXPECT_EQ(Codes(b), (std::vector<WORD>{BN_CLICKED}));
  // A second click of a radio button comes as a double click.
  ClickAt(b, 5, 10);
  EXPECT_EQ(Codes(b), (std::vector<WORD>{BN_DOUBLECLICKED}));
}

TEST_F(ButtonTest, APushButtonLooksPushedWhileHeldAndClicksOnlyWhenReleasedOverIt)
{
  HWND b = Make("Button", BS_PUSHBUTTON, 10, 10, 75, 23, "OK");
  TPoint inside(30, 10), outside(200, 200);
  ClientToScreen(b, &inside);
  ClientToScreen(b, &outside);
  Display->MoveMouse(inside.x, inside.y);
  Display->Press();
  Pump();
  EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  Display->MoveMouse(outside.x, outside.y);
  Pump();
  EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  Display->Release();
  Pump();
  EXPECT_EQ(Count(BN_CLICKED, b), 0);
  THeadlessDisplay::Advance(1000);
  ClickAt(b, 30, 10);
  EXPECT_EQ(Count(BN_CLICKED, b), 1);
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_EQ(Count(BN_CLICKED, b), 2);
  EnableWindow(b, FALSE);
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_EQ(Count(BN_CLICKED, b), 2);
  // BM_SETSTYLE makes it the default button.
  SendMessage(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, OwnerDrawnButtonsAreDrawnByTheParent)
{
  std::vector<UINT> states;
  On(WM_DRAWITEM, [&](UINT, WPARAM, LPARAM l, LRESULT& r) {
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    EXPECT_EQ(di->CtlType, ODT_BUTTON);
    states.push_back(di->itemState & (ODS_SELECTED | ODS_FOCUS));
    r = TRUE;
    return true;
  });
  HWND b = Make("Button", BS_OWNERDRAW, 10, 10, 75, 23, "X", 7);
  SetFocus(b);
  Pump();
  SendMessage(b, BM_SETSTATE, TRUE, 0);
  Pump();
  ASSERT_GE(states.size(), 2u);
  EXPECT_EQ(states.back(), UINT(ODS_SELECTED | ODS_FOCUS));
}

}  // namespace
