// The themed status bar: the layout table, hosted controls placed in their
// panels, caption formats, the grip and its hit test, panel hints.
#include <gtest/gtest.h>

#include <map>

#include "chatwin/widgets/TBWStatusBars.h"
#include "controls/toolbar/TBMenuFont.h"
#include "platform/base/Exception.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "tests/chatwin/HeadlessApplication.h"
#include "tests/support/GoldenImage.h"
#include "platform/win/win.h"

namespace {

struct TPanelSpec {
  int Size;
  int View;
  int Stretch;
  int Max;
};

struct TLayoutCase {
  std::vector<TPanelSpec> Panels;
  int Width;
  std::vector<TRect> Rects;  // left/right only; empty rect when hidden
  int FlushIndex;            // -1 when none
};

class StatusBar : public ::testing::Test {
protected:
  static void SetUpTestSuite() { StartHeadlessApplication(); }
  static void TearDownTestSuite() { StopHeadlessApplication(); }
  void SetUp() override
  {
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(0, 0, 600, 200);
    Bar = new TTBWStatusBar(Form);
    Bar->SetParent(Form);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }

  TCustomForm* Form = nullptr;
  TTBWStatusBar* Bar = nullptr;
};

}  // namespace

TEST_F(StatusBar, LaysOutPanelsByViewAndStretchPriority)
{
  const std::vector<TPanelSpec> chat = {{50, 100, 1, 0}, {150, 100, 0, 0}, {100, 100, 0, 0}};
  const std::vector<TLayoutCase> cases = {
      {chat, 500, {{0, 0, 250, 0}, {250, 0, 400, 0}, {400, 0, 500, 0}}, 2},
      {chat, 280, {{0, 0, 50, 0}, {50, 0, 200, 0}, {200, 0, 300, 0}}, -1},
      {chat, 200, {{0, 0, 50, 0}, {50, 0, 200, 0}, {}}, 1},
      {{{50, 100, 10, 0}, {50, 100, 20, 0}}, 300, {{0, 0, 50, 0}, {50, 0, 300, 0}}, 1},
      {{{50, 100, 10, 0}, {50, 100, 20, 120}}, 300, {{0, 0, 180, 0}, {180, 0, 300, 0}}, 1},
      {{{100, 100, 0, 0}, {100, 50, 0, 0}, {100, 20, 0, 0}}, 250, {{0, 0, 100, 0}, {100, 0, 200, 0}, {}}, -1},
      {{{100, 0, 0, 0}, {100, 100, 0, 0}}, 250, {{}, {0, 0, 100, 0}}, -1},
      {{{300, 100, 0, 0}, {300, 100, 0, 0}}, 250, {{0, 0, 300, 0}, {}}, -1},
  };
  Bar->SetAlign(alNone);
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const TLayoutCase& test = cases[c];
    Bar->Panels()->Clear();
    Bar->SetWidth(test.Width);
    Bar->Panels()->BeginUpdate();
    for (const TPanelSpec& spec : test.Panels) {
      TTBWStatusPanel* p = Bar->Panels()->Add();
      p->SetSize(spec.Size);
      p->SetViewPriority(TPercent(spec.View));
      p->SetStretchPriority(TPercent(spec.Stretch));
      p->SetMaxSize(spec.Max);
    }
    Bar->Panels()->EndUpdate();
    ASSERT_EQ(Bar->Width(), test.Width);
    for (std::size_t i = 0; i < test.Rects.size(); ++i) {
      TTBWStatusPanel* p = Bar->Panels()->Items(int(i));
      const TRect& want = test.Rects[i];
      if (want.Right == 0) {  // hidden
        EXPECT_FALSE(p->Shown) << "case " << c << " panel " << i;
        EXPECT_EQ(p->PanelRect, TRect()) << "case " << c << " panel " << i;
        continue;
      }
      EXPECT_TRUE(p->Shown) << "case " << c << " panel " << i;
      EXPECT_EQ(p->PanelRect, TRect(want.Left, 2, want.Right, 22)) << "case " << c << " panel " << i;
      EXPECT_EQ(p->FlushRight, int(i) == test.FlushIndex) << "case " << c << " panel " << i;
    }
  }
}

TEST_F(StatusBar, PlacesHostedControlsInsideTheMarginsAndHidesThoseWithoutRoom)
{
  Bar->SetAlign(alNone);
  auto* box = new TCheckBox(Form);
  auto* button = new TButton(Form);
  Bar->Panels()->Add()->SetStretchPriority(1);
  TTBWStatusPanel* second = Bar->Panels()->Add();
  second->SetControl(box);
  second->SetSize(150);
  TTBWStatusPanel* third = Bar->Panels()->Add();
  third->SetControl(button);
  third->SetSize(100);
  EXPECT_EQ(box->Parent(), Bar);
  EXPECT_EQ(Bar->Panels()->Count(), 3);  // a control given a panel adds none

  Bar->SetWidth(500);
  const ItemMarginSet m = Bar->PanelMargins();
  EXPECT_EQ(box->BoundsRect(), TRect(250 + m.Left, 2 + m.Top, 400 - m.Right, 22 - m.Bottom));
  EXPECT_EQ(button->BoundsRect(), TRect(400 + m.Left, 2 + m.Top, 500 - m.Right, 22 - m.Bottom));
  Bar->SetWidth(200);
  EXPECT_EQ(button->BoundsRect(), TRect(0, 0, 0, 0));

  // A control moving to another panel leaves the first one empty.
  Bar->Panels()->Items(0)->SetControl(button);
  EXPECT_EQ(third->Control(), nullptr);
  EXPECT_EQ(Bar->Panels()->FindPanel(button), Bar->Panels()->Items(0));
  // A freed control leaves its panel.
  delete box;
  EXPECT_EQ(Bar->Panels()->FindPanel(box), nullptr);
}

TEST_F(StatusBar, RefusesToHostItsOwnParent)
{
  TTBWStatusPanel* p = Bar->Panels()->Add();
  for (TControl* own : {static_cast<TControl*>(Bar), static_cast<TControl*>(Form)}) {
    try {
      p->SetControl(own);
      ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), "Can't insert own parent");
    }
  }
  EXPECT_EQ(p->Control(), nullptr);
}

TEST_F(StatusBar, CaptionFormats)
{
  EXPECT_EQ(StatusCaptionFormat(taLeftJustify, twNone), 0x24u);
  EXPECT_EQ(StatusCaptionFormat(taCenter, twPathEllipsis), 0x4025u);
  EXPECT_EQ(StatusCaptionFormat(taRightJustify, twEndEllipsis), 0x8026u);
}

TEST_F(StatusBar, TheGripSizesTheFormOnlyInItsCorner)
{
  Bar->Panels()->Add()->SetCaption("Prêt");
  THeadlessDisplay::PumpMessages();
  const TRect grip = Bar->GetGripRect();
  EXPECT_EQ(grip, TRect(Bar->Width() - GetSystemMetrics(SM_CXVSCROLL), 3, Bar->Width(), Bar->Height()));
  const TPoint inGrip = Bar->ClientToScreen(TPoint(Bar->Width() - 2, Bar->Height() - 2));
  const TPoint inPanel = Bar->ClientToScreen(TPoint(10, 10));
  auto hit = [&](TPoint p) { return SendMessage(Bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)); };
  EXPECT_TRUE(Bar->IsSizeGripVisible());
  EXPECT_EQ(hit(inGrip), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(inPanel), HTCLIENT);

  Bar->SetSizeGrip(false);
  EXPECT_EQ(hit(inGrip), HTCLIENT);
  Bar->SetSizeGrip(true);
  Form->SetWindowState(wsMaximized);
  EXPECT_FALSE(Bar->IsSizeGripVisible());
  Form->SetWindowState(wsNormal);
  // Not in the form's corner: no grip.
  Bar->SetAlign(alTop);
  EXPECT_FALSE(Bar->IsSizeGripVisible());
}

TEST_F(StatusBar, HintsArePerPanel)
{
  Bar->SetAlign(alNone);
  Bar->SetWidth(400);
  TTBWStatusPanel* a = Bar->Panels()->Add();
  a->SetHint("premier");
  a->SetSize(100);
  Bar->Panels()->Add()->SetHint("second");
  THintInfo info;
  info.CursorPos = TPoint(120, 10);
  info.HintStr = "barre";
  Bar->Perform(CM_HINTSHOW, 0, LPARAM(&info));
  EXPECT_EQ(info.HintStr, "second");
  EXPECT_EQ(info.CursorRect, Bar->Panels()->Items(1)->PanelRect);
  EXPECT_EQ(Bar->GetPanelAt(TPoint(5, 1)), nullptr);  // above the panels' area
  EXPECT_EQ(Bar->GetPanelAt(TPoint(5, 10)), a);
}

TEST_F(StatusBar, DisplayNames)
{
  auto* box = new TCheckBox(Form);
  box->SetName("chkXML");
  TTBWStatusPanel* p = Bar->Panels()->Add();
  p->SetControl(box);
  EXPECT_EQ(p->DisplayName(), "[ chkXML ]");
  p->SetCaption("Prêt");
  EXPECT_EQ(p->DisplayName(), "Prêt");
}

TEST_F(StatusBar, PanelFontSettingsApplyOnTopOfTheBarFont)
{
  Bar->SetAlign(alNone);
  Bar->SetWidth(400);
  Bar->Font()->SetSize(8);
  TTBWStatusPanel* plain = Bar->Panels()->Add();
  plain->SetCaption("Prêt");
  plain->SetSize(150);
  TTBWStatusPanel* marked = Bar->Panels()->Add();
  marked->SetCaption("Connecté");
  marked->SetSize(150);

  struct TSeen {
    bool Bold;
    TColor Color;
    int Size;
  };
  std::map<TTBWStatusPanel*, TSeen> seen;
  struct THook {
    std::map<TTBWStatusPanel*, TSeen>* Seen;
    void PanelFont(TObject*, TTBWStatusPanel* Panel, TFont* Font)
    {
      (*Seen)[Panel] = {Font->Style().Contains(fsBold), Font->Color(), Font->Size()};
    }
  } hook;
  hook.Seen = &seen;
  Bar->OnPanelFont = TPanelFontEvent(&hook, &THook::PanelFont);

  // A change of the settings repaints the bar.
  marked->FontSettings()->SetBold(tsTrue);
  marked->FontSettings()->SetColor(clRed);
  marked->FontSettings()->SetSize(200);
  THeadlessDisplay::PumpMessages();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[plain].Bold);
  EXPECT_EQ(seen[plain].Size, 8);
  EXPECT_NE(seen[plain].Color, clRed);
  EXPECT_TRUE(seen[marked].Bold);
  EXPECT_EQ(seen[marked].Color, clRed);
  EXPECT_EQ(seen[marked].Size, 16);
  // The caption is drawn in the bar's font with the panel's settings: in
  // the panel's colour, and only there.
  HDC dc = GetDC(Bar->Handle());
  const TPixelImage shown = CaptureDC(dc);
  ReleaseDC(Bar->Handle(), dc);
  auto redIn = [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (shown.Pixels[std::size_t(y * shown.Width + x)] == 0xFF0000)
          return true;
    return false;
  };
  EXPECT_TRUE(redIn(marked->PanelRect));
  EXPECT_FALSE(redIn(plain->PanelRect));

  // Settings copied from another panel's: one repaint, the same look.
  TFontSettings italic;
  italic.SetItalic(tsTrue);
  seen.clear();
  plain->SetFontSettings(&italic);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(plain->FontSettings()->Italic(), tsTrue);
  EXPECT_EQ(seen.count(plain), 1u);
  Bar->OnPanelFont = TPanelFontEvent();
}

// A form made at 96 pixels per inch shown with large system fonts (120): the
// form, its controls and their own fonts scale by 120/96, edges rounded; a bar
// with the system menu font keeps its size and font and only moves down.
TEST_F(StatusBar, ScalesWithTheFormUnlessItUsesTheSystemFont)
{
  struct TCase {
    bool SystemFont;
    int Height, FontHeight;
  };
  for (const TCase& c : {TCase{false, 28, -14}, TCase{true, 22, 0}}) {
    SCOPED_TRACE(c.SystemFont);
    TCustomForm* form = TCustomForm::Create<TForm>(nullptr);
    form->SetClientWidth(400);
    form->SetClientHeight(200);
    form->Font()->SetHeight(-11);
    auto* bar = new TTBWStatusBar(form);
    bar->SetParent(form);
    bar->SetUseSystemFont(c.SystemFont);
    bar->SetAlign(alNone);
    bar->SetBounds(10, 101, 301, 22);
    auto* button = new TButton(form);
    button->SetParent(bar);
    bar->Panels()->Add()->SetControl(button);
    auto* label = new TButton(form);
    label->SetParent(form);
    label->SetBounds(3, 5, 75, 25);  // right edge 78 -> 97.5 -> 98
    label->Font()->SetHeight(-13);
    ASSERT_TRUE(SetScreenPixelsPerInch(120));
    form->ScaleToScreen();
    EXPECT_TRUE(SetScreenPixelsPerInch(96));
    EXPECT_EQ(form->PixelsPerInch(), 120);
    EXPECT_EQ(form->ClientWidth(), 500);
    EXPECT_EQ(form->ClientHeight(), 250);
    EXPECT_EQ(form->Font()->Height(), -14);
    EXPECT_EQ(label->BoundsRect(), TRect(4, 6, 98, 38));
    EXPECT_EQ(label->Font()->Height(), -16);
    EXPECT_EQ(bar->Top(), 126);
    EXPECT_EQ(bar->Height(), c.Height);
    if (!c.SystemFont) {  // otherwise the bar paints with the system's menu font, not Font
      EXPECT_EQ(bar->Font()->Height(), c.FontHeight);
    }
    EXPECT_EQ(bar->Left(), c.SystemFont ? 10 : 13);
    EXPECT_EQ(bar->Width(), c.SystemFont ? 301 : 389 - 13);
    // The hosted control follows its panel, shrunk by the margins.
    EXPECT_EQ(button->Height(), bar->ClientHeight() - 2 - 2);
    form->ScaleToScreen();  // the screen is back at 96: the form follows
    EXPECT_EQ(form->ClientWidth(), 400);
    form->Free();
  }
}

// The picture: two bars of a form made at 96 pixels per inch, shown with large
// system fonts. The upper one keeps its height and width and only moves
// down; the lower one grew with the form. (The tests' built-in font has one
// size, so the fonts' heights are checked by number in the test above.)
TEST_F(StatusBar, PictureOfBothBarsWithLargeSystemFonts)
{
  ASSERT_TRUE(SetScreenPixelsPerInch(120));
  RefreshMenuFont();
  TCustomForm* form = TCustomForm::Create<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 280, 80);
  form->SetColor(clWhite);
  int top = 8;
  for (bool systemFont : {true, false}) {
    auto* bar = new TTBWStatusBar(form);
    bar->SetParent(form);
    bar->SetUseSystemFont(systemFont);
    bar->SetAlign(alNone);
    bar->SetSizeGrip(false);
    bar->SetBounds(8, top, 264, 22);
    top += 36;
    auto* button = new TButton(form);
    button->SetCaption("Envoyer");
    bar->Panels()->Add()->SetCaption(systemFont ? "Police du système" : "Police de la fiche");
    bar->Panels()->Items(0)->SetSize(160);
    bar->Panels()->Add()->SetControl(button);
    bar->Panels()->Items(1)->SetSize(104);
  }
  form->ScaleToScreen();
  form->Show();
  form->Update();
  THeadlessDisplay::PumpMessages();
  HDC dc = GetWindowDC(form->Handle());
  const TPixelImage shown = CaptureDC(dc);
  ReleaseDC(form->Handle(), dc);
  form->Free();
  EXPECT_TRUE(SetScreenPixelsPerInch(96));
  RefreshMenuFont();
  std::string why;
  EXPECT_TRUE(MatchesGolden(shown, std::string(CHATWIN_GOLDEN_DIR) + "/status-bars-large-fonts.png", &why)) << why;
}
