// The themed items: per-item font settings, layout, minimum size and
// stretch on top of the framework's items. Their viewers (TBWViewers.h)
// measure and paint them through the current theme; their popups are themed
// popup windows (TBWPopups.h) that may overlap the item that opened them.
#pragma once

#include <cstdint>
#include <string>

#include "controls/toolbar/TBCustomItem.h"
#include "platform/base/Persistent.h"
#include "platform/classes/graphics/GraphicsTypes.h"

class TCanvas;
class TFont;

enum TTriState : std::uint8_t { tsDefault, tsTrue, tsFalse };

// Font overrides applied on top of a view's font. Size is a percentage.
class TFontSettings : public TPersistent {
public:
  TTriState Bold() const { return FBold; }
  void SetBold(TTriState Value) { Change(FBold, Value); }
  TTriState Italic() const { return FItalic; }
  void SetItalic(TTriState Value) { Change(FItalic, Value); }
  TTriState Underline() const { return FUnderline; }
  void SetUnderline(TTriState Value) { Change(FUnderline, Value); }
  TTriState StrikeOut() const { return FStrikeOut; }
  void SetStrikeOut(TTriState Value) { Change(FStrikeOut, Value); }
  int Size() const { return FSize; }
  void SetSize(int Value) { Change(FSize, Value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Change(FColor, Value); }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { Change(FName, Value); }

  // From another TFontSettings: all seven values, one change notice when
  // any differed.
  void Assign(TPersistent* Source) override;
  // Fired after every effective change.
  TNotifyEvent OnChange;

private:
  template <class T>
  void Change(T& Field, const T& Value)
  {
    if (Field == Value)
      return;
    Field = Value;
    Changed();
  }
  void Changed();

  TTriState FBold = tsDefault, FItalic = tsDefault, FUnderline = tsDefault, FStrikeOut = tsDefault;
  int FSize = 100;
  TColor FColor = clNone;
  std::string FName;
};

void ApplyFontSettings(const TFontSettings& Settings, TFont* Font);

enum TTBWItemLayout : std::uint8_t { tbwlAuto, tbwlGlyphLeft, tbwlGlyphTop };

using TAdjustFontEvent = Method<void(TTBCustomItem* Item, TTBItemViewer* Viewer, TFont* Font, int StateFlags)>;
using TDrawImageEvent = Method<void(TTBCustomItem* Item, TTBItemViewer* Viewer, TCanvas* Canvas, TRect ImageRect,
                                    TPoint ImageOffset, int StateFlags)>;

class TTBWCustomItem : public TTBCustomItem {
public:
  explicit TTBWCustomItem(TComponent* AOwner);
  ~TTBWCustomItem() override;

  bool AlwaysSelectFirst() const { return FAlwaysSelectFirst; }
  void SetAlwaysSelectFirst(bool Value) { FAlwaysSelectFirst = Value; }
  TFontSettings* FontSettings() const { return FFontSettings; }
  void SetFontSettings(TFontSettings* Value) { FFontSettings->Assign(Value); }
  TTBWItemLayout Layout() const { return FLayout; }
  void SetLayout(TTBWItemLayout Value) { ChangeSizing(FLayout, Value); }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value) { ChangeSizing(FMinHeight, Value); }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value) { ChangeSizing(FMinWidth, Value); }
  bool ToolBoxPopup() const { return FToolBoxPopup; }
  void SetToolBoxPopup(bool Value) { FToolBoxPopup = Value; }
  // The item fills the rest of its line.
  bool Stretch() const { return ItemStyle() & tbsfFillLine; }
  void SetStretch(bool Value) { ChangeFlag(tbsfFillLine, Value); }

  TAdjustFontEvent OnAdjustFont;
  TDrawImageEvent OnDrawImage;

  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override;
  TTBPopupWindow* NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing) override;
  TTBPopupWindow* CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                              bool SelectFirstItem, bool Customizing, TPoint PopupPoint,
                              TTBPopupAlignment Alignment) override;
  void FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement) override;

protected:
  void ChangeFlag(TTBItemFlags Flag, bool Value);

private:
  template <class T>
  void ChangeSizing(T& Field, const T& Value)
  {
    if (Field == Value)
      return;
    Field = Value;
    ItemChanged(true);
  }
  void FontSettingsChanged(TObject* Sender);

  bool FAlwaysSelectFirst = false;
  TFontSettings* FFontSettings;
  TTBWItemLayout FLayout = tbwlAuto;
  int FMinHeight = 0;
  int FMinWidth = 0;
  bool FToolBoxPopup = false;
};

class TTBWItem : public TTBWCustomItem {
public:
  using TTBWCustomItem::TTBWCustomItem;
};

class TTBWSubmenuItem : public TTBWCustomItem {
public:
  explicit TTBWSubmenuItem(TComponent* AOwner);
  // The item is a split button: a button part and an arrow part.
  bool DropdownCombo() const { return ItemStyle() & tbsfSplitButton; }
  void SetDropdownCombo(bool Value) { ChangeFlag(tbsfSplitButton, Value); }
};

class TTBWSeparatorItem : public TTBSeparatorItem {
public:
  using TTBSeparatorItem::TTBSeparatorItem;
  // -1: the theme's separator size; values below -1 are stored as -1.
  int Size() const { return FSize; }
  void SetSize(int Value);
  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override;

private:
  int FSize = -1;
};

// The placement of a popup under the current theme: a theme whose submenus
// overlap their parent item by the view's border (feature 1) moves the
// popup onto the border before Item's own (framework) placement runs.
void FitPopupPositionOverlapping(TTBCustomItem* Item, TTBView* ParentView, TTBPopupWindow* PopupWindow,
                                 TTBPopupPlacement& Placement);
