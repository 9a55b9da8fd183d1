// A form with docks, multi-docks and dockable panels under a small theme of
// the tests' own: it records the caption-bar calls and paints a plain frame,
// a caption band and a close box, so that a picture shows where they lie.
#pragma once

#include <cctype>
#include <string>
#include <vector>

#include "../controls_toolbar/TBScriptedUser.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWPanelGeometry.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"

class TPanelTestTheme : public TTBWTheme {
public:
  using TTBWTheme::TTBWTheme;
  TColor PanelColor = TColor(0x00D8E8F0);
  std::vector<PanelCaptionState> Calls;

  TColor GetViewColor(std::uint32_t ViewKind) override
  {
    return (ViewKind & VT_DOCKPANEL) ? PanelColor : clBtnFace;
  }
  void DrawPanelCaptionBar(TCanvas* Canvas, const TRect& R, const PanelCaptionState& State) override
  {
    Calls.push_back(State);
    HDC dc = Canvas->Handle();
    TRect ring = R;
    FrameRectColor(dc, ring, TColor(0x00606060), true);
    FrameRectColor(dc, ring, State.EffectiveColor, true);
    const int h = GetSystemMetrics(SM_CYSMCAPTION);
    TRect band = State.IsHorizontalCaption ? TRect(ring.Left, ring.Top, ring.Right, ring.Top + h)
                                           : TRect(ring.Left, ring.Top, ring.Left + h, ring.Bottom);
    FillRectColor(dc, band, TColor(0x00A05020));
    if (State.CloseButtonState & CDBS_VISIBLE) {
      const bool vertical = !State.IsHorizontalCaption;
      TRect box = PanelCloseBox(false, vertical, R.Width() - (vertical ? 4 + h : 4),
                                R.Height() - (vertical ? 4 : 4 + h), h);
      FillRectColor(dc, box, (State.CloseButtonState & CDBS_HOT) ? TColor(0x0000C0FF) : TColor(0x002020C0));
    }
  }
  void GetViewFrameSize(std::uint32_t, TPoint& Size) override { Size = TPoint(3, 3); }
};

class TPanelFixture {
public:
  TPanelFixture()
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    if (!ThemeExists("PanelTest"))
      RegisterTheme("PanelTest", &ThemeClassOf<TPanelTestTheme>);
    CreateThemeNexus("PanelTest");
    Theme = static_cast<TPanelTestTheme*>(CurrentTheme());
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(100, 100, 600, 420);
    Form->HandleNeeded();
  }
  ~TPanelFixture()
  {
    User.Detach();
    Form->Free();
    FreeThemeNexus();
    ClearThemeRegistry();
    FreeThemeManager();
  }

  template <class Dock = TTBDock>
  Dock* AddDock(TTBDockPosition Position)
  {
    auto* dock = new Dock(Form);
    dock->SetPosition(Position);
    dock->SetParent(Form);
    return dock;
  }
  TXTBMultiDock* AddMultiDock(TXTBDockPosition Position)
  {
    auto* dock = new TXTBMultiDock(Form);
    dock->SetPosition(Position);
    dock->SetParent(Form);
    return dock;
  }
  TTBWDockablePanel* AddPanel(TTBDock* Dock, const std::string& Caption, int Pos = -1)
  {
    auto* panel = new TTBWDockablePanel(Form);
    std::string name;
    for (char c : Caption)
      if (std::isalnum(static_cast<unsigned char>(c)))
        name += c;
    panel->SetName(name);
    panel->SetCaption(Caption);
    panel->SetDockPos(Pos);
    panel->SetCurrentDock(Dock);
    return panel;
  }
  static TRect ScreenRectOf(TWinControl* Control)
  {
    TRect r;
    GetWindowRect(Control->Handle(), &r);
    return r;
  }
  // Presses the left button at P and plays the script until the loop ends.
  void PressAt(TPoint P)
  {
    THeadlessDisplay::Advance(1000);
    Display->MoveMouse(P.x, P.y);
    THeadlessDisplay::PumpMessages();
    User.Attach(Display);
    Display->Press();
    THeadlessDisplay::PumpMessages();
    THeadlessDisplay::PumpMessages();
    User.Detach();
  }

  THeadlessDisplay* Display = nullptr;
  TPanelTestTheme* Theme = nullptr;
  TCustomForm* Form = nullptr;
  TScriptedUser User;
};
