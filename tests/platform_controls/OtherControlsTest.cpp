#include "ControlTestSupport.h"
#include "tests/support/GoldenImage.h"

namespace {

class OtherControlsTest : public TControlFixture {};

TEST_F(OtherControlsTest, AScrollBarControlKeepsItsValuesAndTellsItsParentWithItsHandle)
{
  std::vector<std::pair<WORD, HWND>> heard;
  On(WM_VSCROLL, [&](UINT, WPARAM w, LPARAM l, LRESULT& r) {
    heard.push_back({LOWORD(w), reinterpret_cast<HWND>(l)});
    r = 0;
    return true;
  });
  HWND bar = Make("ScrollBar", SBS_VERT, 10, 10, 16, 100);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 50;
  si.nPos = 80;
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &si, TRUE), 50);  // the page must still fit
  SCROLLINFO out;
  out.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &out));
  EXPECT_EQ(out.nMax, 99);
  EXPECT_EQ(out.nPage, 50u);
  EXPECT_EQ(out.nPos, 50);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 10, TRUE), 50);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 10);
  ClickAt(bar, 8, 95);  // the down arrow
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0], std::make_pair(WORD(SB_LINEDOWN), bar));
  EXPECT_EQ(heard[1], std::make_pair(WORD(SB_ENDSCROLL), bar));
  EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_BOTH));
  heard.clear();
  THeadlessDisplay::Advance(1000);
  ClickAt(bar, 8, 95);
  EXPECT_TRUE(heard.empty());
}

TEST_F(OtherControlsTest, StaticsNotifyOnlyWithSsNotifyAndOtherwiseLetClicksThrough)
{
  HWND quiet = Make("Static", SS_LEFT, 10, 10, 100, 20, "Texte", 1);
  HWND notify = Make("Static", SS_LEFT | SS_NOTIFY, 10, 40, 100, 20, "Lien", 2);
  Seen.clear();
  ClickAt(quiet, 5, 5);
  EXPECT_EQ(std::count(Seen.begin(), Seen.end(), WM_LBUTTONDOWN), 1);  // reached the parent
  ClickAt(notify, 5, 5);
  EXPECT_EQ(Codes(), (std::vector<WORD>{STN_CLICKED}));
  SetWindowText(quiet, "Autre");
  EXPECT_EQ(Text(quiet), "Autre");
}

TEST_F(OtherControlsTest, ADropDownListChoosesByMouseAndKeys)
{
  HWND c = Make("ComboBox", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 10, 10, 120, 150);
  for (const char* s : {"rouge", "bleu", "vert"})
    SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  TRect r;
  GetWindowRect(c, &r);
  EXPECT_EQ(r.Height(), 13 + 8);  // the field's height, whatever was asked
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(Text(c), "vert");
  EXPECT_EQ(SendMessage(c, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("BLEU")), 0);
  // Dropped by a click, an item chosen by a click in the list.
  Display->SetIdleScript([&] {
    if (!SendMessage(c, CB_GETDROPPEDSTATE, 0, 0))
      return false;
    TRect list;
    SendMessage(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
    Display->Click(list.Left + 10, list.Top + 1 + 1 * 13 + 5);
    return true;
  });
  Notices.clear();
  ClickAt(c, 10, 10);
  Display->SetIdleScript(nullptr);
  EXPECT_EQ(Text(c), "rouge");
  EXPECT_EQ(Codes(c), (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  Key(VK_UP);
  EXPECT_EQ(Text(c), "bleu");
  Display->TypeText("v");
  Pump();
  EXPECT_EQ(Text(c), "vert");
  EXPECT_EQ(Count(CBN_SELCHANGE, c), 2);
  // Editable and always-open combo boxes are not offered.
  EXPECT_EQ(CreateWindowEx(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 10, 10, Parent, nullptr, nullptr, nullptr),
            nullptr);
}

TEST_F(OtherControlsTest, ClassicLookOfAFewControls)
{
  HWND button = Make("Button", BS_DEFPUSHBUTTON, 10, 10, 75, 23, "&Valider", 1);
  HWND check = Make("Button", BS_AUTOCHECKBOX, 95, 14, 80, 16, "Case", 2);
  SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
  HWND edit = Make("Edit", ES_AUTOHSCROLL, 10, 40, 120, 21, "Texte é€", 3, WS_EX_CLIENTEDGE);
  HWND list = Make("ListBox", LBS_NOINTEGRALHEIGHT, 140, 40, 80, 45, "", 4, WS_EX_CLIENTEDGE);
  for (const char* s : {"un", "deux", "trois"})
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessage(list, LB_SETCURSEL, 1, 0);
  RedrawWindow(Parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Pump();
  HDC dc = GetDC(Parent);
  TPixelImage picture = CaptureDC(dc);
  ReleaseDC(Parent, dc);
  auto at = [&](int x, int y) { return picture.Pixels[std::size_t(y * picture.Width + x)]; };
  // The default button: a black frame, then the raised edge (3D light, highlight) around the face.
  EXPECT_EQ(at(10, 10), 0x000000u);
  EXPECT_EQ(at(11, 11), 0xD4D0C8u);
  EXPECT_EQ(at(12, 12), 0xFFFFFFu);
  EXPECT_EQ(at(84, 32), 0x000000u);
  EXPECT_EQ(at(83, 31), 0x404040u);  // dark shadow inside the frame
  TPixelImage part;
  part.Width = 230;
  part.Height = 95;
  for (int y = 0; y < part.Height; ++y)
    for (int x = 0; x < part.Width; ++x)
      part.Pixels.push_back(picture.Pixels[std::size_t(y * picture.Width + x)]);
  std::string message;
  EXPECT_TRUE(MatchesGolden(part, std::string(CONTROLS_GOLDEN_DIR) + "/classic-controls.png", &message)) << message;
  (void)button;
  (void)edit;
  (void)list;
}

}  // namespace
