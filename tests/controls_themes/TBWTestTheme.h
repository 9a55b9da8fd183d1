// A small theme for the themed-control tests: it answers metrics, margins,
// frame sizes, colours and features from a settings record chosen per
// theme name, records every paint call, and paints a plain sketch (edges,
// fills, text, images) so that a rendered picture shows the layout.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/TBWTheme.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

struct TTestThemeSettings {
  std::map<int, int> Metrics{{TMI_SPLITBTN_ARROWWIDTH, 11}, {TMI_DROPDOWN_ARROWWIDTH, 8},
                             {TMI_DROPDOWN_ARROWMARGIN, 3},  {TMI_MENU_IMGTEXTSPACE, 1},
                             {TMI_MENU_LCAPTIONMARGIN, 2},   {TMI_MENU_RCAPTIONMARGIN, 2}};
  std::vector<int> Features;
  ItemMarginSet MenuItemMargins{0, 0, 2, 2};
  ItemMarginSet ViewMargins{0, 0, 0, 0};
  TPoint PopupFrame{3, 3};
  TPoint DockedFrame{2, 2};
  TPoint FloatingFrame{3, 3};
  int ShadowKind = PST_NONE;
  TColor ViewColor = clBtnFace;
  TColor DockColor = TColor(0x00C08040);
};

// One recorded call: the operation, its rectangle and item record.
struct TThemeCall {
  std::string Theme;
  std::string Op;
  TRect R;
  TTBWItemInfo Info{};
  std::string Text;
  int Extra = 0;
};

class TTestTheme : public TTBWTheme {
public:
  static std::map<std::string, TTestThemeSettings>& Settings()
  {
    static std::map<std::string, TTestThemeSettings> settings;
    return settings;
  }
  static std::vector<TThemeCall>& Calls()
  {
    static std::vector<TThemeCall> calls;
    return calls;
  }
  static std::vector<std::string> Ops(const std::string& Prefix = "")
  {
    std::vector<std::string> ops;
    for (const TThemeCall& c : Calls())
      if (c.Op.rfind(Prefix, 0) == 0)
        ops.push_back(c.Op);
    return ops;
  }

  using TTBWTheme::TTBWTheme;
  const TTestThemeSettings& S() { return Settings()[Name()]; }

  int GetMetric(int Id) override
  {
    auto it = S().Metrics.find(Id);
    return it == S().Metrics.end() ? -1 : it->second;
  }
  bool HasFeature(int Id) override
  {
    for (int f : S().Features)
      if (f == Id)
        return true;
    return false;
  }
  void GetItemMargins(int Kind, ItemMarginSet& M) override { M = Kind == MID_MENUITEM ? S().MenuItemMargins : ItemMarginSet(); }
  void GetViewMargins(std::uint32_t, ItemMarginSet& M) override { M = S().ViewMargins; }
  void GetViewFrameSize(std::uint32_t Kind, TPoint& Size) override
  {
    Size = (Kind & VT_KINDMASK_POPUP) ? S().PopupFrame : (Kind & VT_FLOATING) ? S().FloatingFrame : S().DockedFrame;
  }
  int GetPopupShadowKind() override { return S().ShadowKind; }
  TColor GetViewColor(std::uint32_t Kind) override { return (Kind & VT_KINDMASK_POPUP) ? clWindow : S().ViewColor; }
  TColor GetItemTextColor(const TTBWItemInfo& Info) override { return Info.Enabled ? clBtnText : clGrayText; }

  void DrawViewBackground(TCanvas* C, const TRect&, const TRect& Clip, const TRect&, TColor Color, bool Painted,
                          std::uint32_t Kind) override
  {
    Record("ViewBackground", Clip, {}, "", int(Kind));
    if (!Painted)
      Fill(C, Clip, Color);
  }
  void DrawItemFrame(TCanvas* C, const TRect& R, const TTBWItemInfo& I) override
  {
    Record("ItemFrame", R, I);
    TRect r = R;
    if (I.Pushed || I.Checked)
      DrawEdge(C->Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
    else if (I.HoverKind == HK_HOVER)
      DrawEdge(C->Handle(), &r, BDR_RAISEDINNER, BF_RECT);
  }
  void DrawMenuItemFrame(TCanvas* C, const TRect& R, const TTBWItemInfo& I) override
  {
    Record("MenuItemFrame", R, I);
    if (I.HoverKind == HK_HOVER)
      Fill(C, R, clHighlight);
    if (I.ItemOptions & IO_SUBMENUITEM)
      Triangle(C, TRect(R.Right - 12, R.Top, R.Right - 4, R.Bottom), true);
  }
  void DrawItemCaption(TCanvas* C, const TRect& R, const TTBWItemInfo& I, const std::string& Text, UINT Format,
                       bool Rotated) override
  {
    Record("Caption", R, I, Text, int(Format));
    if (Rotated)
      return;
    HDC dc = C->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(I.HoverKind == HK_HOVER && !(I.ItemOptions & IO_TOOLBARSTYLE) ? clHighlightText
                                                                                                : C->Font()->Color()));
    TRect r = R;
    DrawText(dc, Text.c_str(), int(Text.size()), &r, Format);
  }
  void DrawCheckGlyph(TCanvas* C, const TRect& R, const TTBWItemInfo& I) override
  {
    Record("CheckGlyph", R, I);
    const int x = (R.Left + R.Right) / 2 - 3, y = (R.Top + R.Bottom) / 2 - 1;
    for (int i = 0; i < 7; ++i)
      Fill(C, TRect(x + i, y + (i < 3 ? i : 4 - i), x + i + 1, y + (i < 3 ? i : 4 - i) + 2), clBtnText);
  }
  void DrawChevronGlyph(TCanvas* C, const TRect& R, const TTBWItemInfo& I) override
  {
    Record("ChevronGlyph", R, I);
    Triangle(C, R, false);
  }
  void DrawDropdownArrow(TCanvas* C, const TRect& R, const TTBWItemInfo& I) override
  {
    Record("DropdownArrow", R, I);
    Triangle(C, R, false);
  }
  void DrawItemImage(TCanvas* C, const TRect& R, const TTBWItemInfo& I, TCustomImageList* Images, int Index) override
  {
    Record("ItemImage", R, I, "", Index);
    Images->Draw(C, R.Left, R.Top, Index, I.Enabled);
  }
  void DrawSeparatorLine(TCanvas* C, const TRect& R, const TTBWItemInfo& I, bool Horizontal, bool LineBreak) override
  {
    Record("Separator", R, I, "", (Horizontal ? 1 : 0) | (LineBreak ? 2 : 0));
    TRect r = R;
    if (Horizontal) {
      r.Top = (R.Top + R.Bottom) / 2 - 1;
      r.Left += 4;
      r.Right -= 4;
      DrawEdge(C->Handle(), &r, EDGE_ETCHED, BF_TOP);
    } else {
      r.Left = (R.Left + R.Right) / 2 - 1;
      DrawEdge(C->Handle(), &r, EDGE_ETCHED, BF_LEFT);
    }
  }
  void DrawPopupFrame(TCanvas* C, const TRect& R, const PopupFramePaintState& State) override
  {
    Record("PopupFrame", R, {}, "", State.BorderSize.x);
    LastPopupFrame() = State;
    TRect r = R;
    DrawEdge(C->Handle(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    Fill(C, r, clWindow);
  }
  void DrawDockableFrame(TCanvas* C, const TRect& R, const WindowPaintState& State) override
  {
    Record("DockableFrame", R, {}, "", State.BorderSize.x);
    TRect r = R;
    DrawEdge(C->Handle(), &r, BDR_RAISEDINNER, BF_RECT);
    const int handle = GetDragHandleSize(State);
    if (handle > 0) {
      TRect grip = State.IsVertical ? TRect(3, 3, R.Right - 3, 6) : TRect(3, 3, 6, R.Bottom - 3);
      DrawEdge(C->Handle(), &grip, BDR_RAISEDINNER, BF_RECT);
    }
  }
  void DrawFloatingFrame(TCanvas* C, const TRect& R, const FloatingPaintState& State) override
  {
    Record("FloatingFrame", R, {}, State.Caption ? State.Caption : "", int(State.CloseButtonState));
    TRect r = R;
    DrawEdge(C->Handle(), &r, EDGE_RAISED, BF_RECT);
  }
  void DrawDockBackground(TCanvas* C, const TRect& Client, const TRect& Clip, int Side) override
  {
    Record("DockBackground", Clip, {}, "", Side);
    (void)Client;
    Fill(C, Clip, S().DockColor);
  }

  static PopupFramePaintState& LastPopupFrame()
  {
    static PopupFramePaintState state;
    return state;
  }

private:
  void Record(const std::string& Op, const TRect& R, const TTBWItemInfo& Info, const std::string& Text = "",
              int Extra = 0)
  {
    Calls().push_back(TThemeCall{Name(), Op, R, Info, Text, Extra});
  }
  static void Fill(TCanvas* C, const TRect& R, TColor Color)
  {
    HBRUSH b = CreateSolidBrush(ColorToRGB(Color));
    FillRect(C->Handle(), &R, b);
    DeleteObject(b);
  }
  static void Triangle(TCanvas* C, const TRect& R, bool PointRight)
  {
    const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
    for (int i = 0; i < 3; ++i) {
      TRect r = PointRight ? TRect(cx - 1 + i, cy - 2 + i, cx + i, cy + 3 - i) : TRect(cx - 2 + i, cy - 1 + i, cx + 3 - i, cy + i);
      Fill(C, r, clBtnText);
    }
  }
};

// The test themes registered under the given names (fresh settings, no
// calls recorded) and the first made current, for one test.
struct TTestThemeScope {
  explicit TTestThemeScope(std::initializer_list<const char*> Names)
  {
    TTestTheme::Calls().clear();
    for (const char* name : Names) {
      TTestTheme::Settings()[name] = TTestThemeSettings();
      RegisterTheme(name, ThemeClassOf<TTestTheme>);
    }
    CreateThemeNexus(*Names.begin());
  }
  ~TTestThemeScope()
  {
    FreeThemeNexus();
    ClearThemeRegistry();
    FreeThemeManager();
  }
};
