// TTBItemViewer: presents one item in one view. It measures and paints the
// item in the framework's own plain look, tells which part of it a point is
// in, and turns mouse presses and releases into selection, submenu and click
// decisions. Theme viewers derive from it and replace measuring and painting.
#pragma once

#include <string>

#include "controls/toolbar/TBTypes.h"
#include "platform/base/Object.h"
#include "platform/classes/MessageDispatch.h"
#include "platform/classes/ShiftState.h"

class TCanvas;
class TCustomImageList;
class TTBItemViewerAccObject;

// A viewer takes messages its window passes on to it (the hint query of a
// popup's selected item); by default it ignores them.
class TTBItemViewer : public TObject, public TMessageDispatcher {
public:
  TTBItemViewer(TTBView* AView, TTBCustomItem* AItem, int AInlineDepth);
  ~TTBItemViewer() override;

  virtual void CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight);
  virtual bool Activate();
  virtual void DrawCaptionText(TCanvas* Canvas, TRect ARect, const std::string& AText, bool Embossed, UINT AFormat);
  virtual void SelectionEntered(TTBItemViewer* PreviousViewer);
  virtual int GetAccRole();
  virtual bool GetAccText(std::u16string& Text);
  virtual std::string CaptionWithoutShortcut();
  virtual void CursorAt(TPoint Pt, HCURSOR& ACursor);
  virtual bool UsesToolbarSize();
  virtual bool InButtonPart(int X, int Y);
  virtual void PreviewKey(WORD& Key, TShiftState Shift);
  virtual void SelectionLeft();
  virtual void RepaintViewer();
  virtual void MouseDown(TShiftState Shift, int X, int Y, bool& MouseDownOnMenu);
  virtual void MouseMove(int X, int Y);
  virtual void MouseUp(int X, int Y, bool MouseWasDownOnMenu);
  virtual void MouseWheel(int WheelDelta, int X, int Y);
  virtual void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                     bool UseDisabledShadow);
  virtual bool JoinsSameWidth();
  virtual bool UsesToolbarStyle();
  virtual bool ShowsCaption();

  // The shortcut text after the TAB of the caption.
  std::string ShortcutText();
  bool ShowsImage();
  TCustomImageList* GetImageList();
  bool DrawsRotated();
  bool IsReachable() const { return FShown || FHiddenByChevron || FClipped; }
  TPoint ScreenToViewer(const TPoint& P);
  void ExecuteItem(bool GivePriority);
  std::string GetHintText();
  void PostDefaultAction(int Flag);
  // The deferred-action window runs the accessibility default action here.
  void HandleAccDefaultAction(int Flag);
  // The viewer's accessible object, made on demand (null without the
  // accessibility run-time); the viewer does not count its reference.
  TTBItemViewerAccObject* AccObject();
  void ForgetAccObject() { FAccObject = nullptr; }

  TRect BoundsRect;
  bool Clipped() const { return FClipped; }
  int InlineDepth() const { return FInlineDepth; }
  TTBCustomItem* Item() const { return FItem; }
  bool HiddenByChevron() const { return FHiddenByChevron; }
  bool Shown() const { return FShown; }
  TTBView* View() const { return FView; }
  bool IsLineBreak() const { return FViewerFlags & LineBreakFlag; }

  static constexpr BYTE RepaintRequestedFlag = 0x01;
  static constexpr BYTE LineBreakFlag = 0x02;

protected:
  friend class TTBView;
  bool FClipped = false;
  int FInlineDepth;
  TTBCustomItem* FItem;
  bool FHiddenByChevron = false;
  bool FShown = false;
  TTBView* FView;
  BYTE FViewerFlags = 0;

private:
  void ReleaseAccObject();
  TTBItemViewerAccObject* FAccObject = nullptr;
};

class TTBSeparatorItemViewer : public TTBItemViewer {
public:
  using TTBItemViewer::TTBItemViewer;
  void CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight) override;
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  bool JoinsSameWidth() override { return false; }
};
