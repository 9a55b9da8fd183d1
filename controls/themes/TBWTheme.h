// The theme contract: the records a themed control fills for the theme, and
// TTBWTheme, whose operations every theme implements. Every operation has a
// plain default, so a theme overrides only what it paints its own way.
#pragma once

#include <cstdint>
#include <string>

#include "controls/toolbar/TBDockTypes.h"
#include "platform/classes/MessageDispatch.h"
#include "platform/win/win.h"

class TCanvas;
class TCustomImageList;

struct ItemMarginSet {
  std::int32_t Left = 0, Right = 0, Top = 0, Bottom = 0;
};

// The state of one item as a view shows it. The caller zeroes the record
// before filling it; the theme only reads it.
struct TTBWItemInfo {
  std::uint32_t ViewKind = 0;
  std::uint32_t ItemOptions = 0;
  std::uint8_t Enabled = 0;
  std::uint8_t Pushed = 0;
  std::uint8_t HoverKind = 0;  // 0 none, 1 hovered but disabled, 2 hovered
  std::uint8_t Checked = 0;
  std::uint8_t ImageShown = 0;
  std::int32_t ImageWidth = 0;
  std::int32_t ImageHeight = 0;
  std::uint8_t IsVertical = 0;
  std::uint8_t ComboPart = 0;  // 0 whole, 1 has an arrow, 2 button part, 3 arrow part
  std::uint8_t IsPopupParent = 0;
  std::int32_t PopupMargin = 0;
};
constexpr std::uint8_t HK_NONE = 0, HK_DISABLED = 1, HK_HOVER = 2;
constexpr std::uint8_t CP_NONE = 0, CP_COMBO = 1, CP_SPLITLEFT = 2, CP_SPLITRIGHT = 3;

// The state flags item events receive: 1 disabled, 2 hovered, 4 pushed, 8 checked.
unsigned ItemStateFlags(const TTBWItemInfo& Info);

// The drag-handle styles are the dock framework's (dhDouble 0, dhNone 1, dhSingle 2).

struct WindowPaintState {
  HWND WindowHandle = nullptr;
  std::uint32_t ViewKind = 0;
  std::uint8_t IsVertical = 0;
  std::uint8_t AllowDrag = 0;
  std::uint8_t BorderStyle = 0;
  TPoint BorderSize;
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  std::int32_t DragHandleStyle = dhDouble;
  std::uint32_t CloseButtonState = 0;
  TColor EffectiveColor = 0;
};

#pragma pack(push, 1)
struct PanelCaptionState {
  HWND WindowHandle = nullptr;
  std::uint32_t ViewKind = 0;
  std::uint8_t IsHorizontalCaption = 0;
  std::uint8_t AllowDrag = 0;
  std::uint8_t BorderStyle = 0;
  std::int32_t BorderSizeX = 0;
  std::int32_t BorderSizeY = 0;
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  std::int32_t ShowCaptionWhenDocked = 0;
  std::uint32_t CloseButtonState = 0;
  TColor EffectiveColor = 0;
};
#pragma pack(pop)

struct FloatingPaintState {
  HWND FrameHandle = nullptr;
  HWND ContentHandle = nullptr;
  std::uint32_t ViewKind = 0;
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  std::uint8_t ShowCaption = 0;
  TPoint BorderSize;
  std::uint32_t CloseButtonState = 0;
  std::uint32_t RedrawParts = 0;  // 1 border, 2 caption, 4 close button
  const char* Caption = nullptr;
  TColor WindowColor = 0;
  std::uint8_t CaptionActive = 0;
};
constexpr std::uint32_t WRP_BORDER = 1, WRP_CAPTION = 2, WRP_CLOSEBTN = 4;

// The records of operations no control of this system calls (edit fields,
// their buttons, caption buttons, popup frames).
//
// A button: its kind (an edit field's dropdown arrow or spin pair) and its
// state bits: hot and pushed for a caption button, a dropdown button or the
// upper half of a spin pair, the lower half's own two.
constexpr std::uint32_t EBT_NONE = 0, EBT_DROPDOWN = 1, EBT_SPIN = 2;
constexpr std::uint32_t BPS_HOT = 2, BPS_PUSHED = 4, BPS_LOWERHOT = 0x20, BPS_LOWERPUSHED = 0x40;
struct ButtonPaintState {
  std::uint32_t State = 0;
  std::uint32_t ButtonType = EBT_NONE;
};
// The item state a caption button is drawn in: an enabled item, pushed and
// hot as the button's state says.
TTBWItemInfo CaptionButtonItemInfo(const ButtonPaintState& State);
// An edit field with a button part of ButtonWidth pixels at its right end
// (none when 0).
struct EditFieldPaintState {
  std::int32_t ButtonWidth = 0;
  ButtonPaintState Button;
};
// What DrawPopupFrame paints: a popup window's non-client frame.
struct PopupFramePaintState {
  HWND WindowHandle = nullptr;
  std::uint32_t ViewKind = 0;
  // The rectangle of the toolbar item or control that opened the popup, in
  // the popup window's coordinates; empty when none.
  TRect ParentRect;
  TPoint BorderSize;  // the theme's frame size of the view kind
  TColor Color = 0;   // the popup's background colour
};
using PopupPaintState = PopupFramePaintState;

// The base of every theme. Themes take messages: 0x538 from the theme
// manager (they add themselves to its notification list).
class TTBWTheme : public TObject, public TMessageDispatcher {
public:
  explicit TTBWTheme(const std::string& Name);
  ~TTBWTheme() override;

  const std::string& Name() const { return FName; }

  virtual TPoint GetImageShift(TCanvas* Canvas, const TTBWItemInfo& Info, TCustomImageList* ImageList);
  virtual TColor GetItemFillColor(const TTBWItemInfo& Info);
  virtual TColor GetItemTextColor(const TTBWItemInfo& Info);
  virtual TColor GetImageBackColor(const TTBWItemInfo& Info);
  virtual void GetItemMargins(int ElementKind, ItemMarginSet& Margins);
  virtual int GetPopupShadowKind();
  virtual void GetViewFrameSize(std::uint32_t ViewKind, TPoint& Size);
  virtual TColor GetViewColor(std::uint32_t ViewKind);
  virtual void GetViewMargins(std::uint32_t ViewKind, ItemMarginSet& Margins);
  virtual void DrawViewBackground(TCanvas* Canvas, const TRect& BackgroundRect, const TRect& ClipRect,
                                  const TRect& AreaRect, TColor Color, bool BackgroundPainted,
                                  std::uint32_t ViewKind);
  virtual void DrawItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info);
  virtual void DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                               const std::string& Caption, UINT Format, bool Rotated);
  virtual void DrawCheckGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info);
  virtual void DrawChevronGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info);
  virtual void DrawEditField(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                             const EditFieldPaintState& State);
  virtual void DrawEditButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                              const ButtonPaintState& State);
  virtual void DrawDockBackground(TCanvas* Canvas, const TRect& ClientRect, const TRect& ClipRect, int Side);
  virtual void DrawPanelCaptionBar(TCanvas* Canvas, const TRect& R, const PanelCaptionState& State);
  virtual void DrawDropdownArrow(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info);
  virtual void DrawFloatingFrame(TCanvas* Canvas, const TRect& R, const FloatingPaintState& State);
  virtual void DrawEditBorder(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info);
  virtual void DrawItemImage(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                             TCustomImageList* ImageList, int ImageIndex);
  virtual void DrawCaptionButton(TCanvas* Canvas, const TRect& R, const ButtonPaintState& State, int ButtonKind);
  virtual void DrawMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info);
  virtual void DrawMenuImageHighlight(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info);
  virtual void DrawScrollArrowButton(TCanvas* Canvas, const TRect& R, int ButtonKind, bool Hot);
  virtual void DrawPopupFrame(TCanvas* Canvas, const TRect& R, const PopupFramePaintState& State);
  virtual void DrawSeparatorLine(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, bool Horizontal,
                                 bool LineBreak);
  virtual void DrawDockableFrame(TCanvas* Canvas, const TRect& R, const WindowPaintState& State);
  // A check box or radio glyph; answers 1 when it drew the kind, else 0.
  virtual int DrawCheckControl(TCanvas* Canvas, const TRect& R, bool Checked, unsigned StateFlags, int ControlKind);
  virtual void DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part);
  // A size or colour by id; -1 for an id the theme does not know.
  virtual int GetMetric(int Id);
  // A yes/no property by id; false for an id the theme does not know.
  virtual bool HasFeature(int Id);

  void Dispatch(TMessage& Message) override;

protected:
  // Sub-code 2 of the manager's 0x538: the theme recomputes its colours.
  virtual void RecomputeColors() {}

private:
  std::string FName;
};

// Scroll arrow directions of DrawScrollArrowButton.
constexpr int SAB_UP = 1, SAB_DOWN = 2, SAB_LEFT = 3, SAB_RIGHT = 4;
// Check controls: the kinds and the state bits of DrawCheckControl (its
// Checked argument counts as CCS_CHECKED).
constexpr int CCK_CHECKBOX = 1, CCK_RADIO = 2;
constexpr unsigned CCS_CHECKED = 1, CCS_MIXED = 2, CCS_DISABLED = 4, CCS_HOT = 8, CCS_PUSHED = 0x10;

// Geometry shared by theme implementations (rectangles in the painted
// window's coordinates).
TRect GetFloatingCaptionRect(const FloatingPaintState& State, bool AddBorder, bool LeaveOutCloseButton);
TRect GetFloatingCloseButtonRect(const FloatingPaintState& State, bool AddBorder);
int GetDragHandleSize(const WindowPaintState& State);
TRect GetDockedCloseButtonRect(const WindowPaintState& State);
