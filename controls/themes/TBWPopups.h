// Themed popups: the popup window of a themed item or popup menu (the
// theme's frame, background and drop shadows), the chevron's popup, the
// root item that opens a popup under a control's rectangle, and the themed
// popup menu.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/toolbar/TBPopupMenu.h"
#include "controls/toolbar/TBPopupWindow.h"

class TShadows;

class TTBWPopupView : public TTBPopupView {
public:
  using TTBPopupView::TTBPopupView;
};

class TTBWPopupWindow : public TTBPopupWindow {
public:
  TTBWPopupWindow(TComponent* AOwner, TTBView* ParentView, TTBCustomItem* Item, bool Customizing);
  ~TTBWPopupWindow() override;

  // The drop shadow under the shown popup; it leaves out the item that
  // opened the popup when the theme asks for that (shadow kind 2).
  virtual void CreateShadows();
  virtual void FreeShadows();
  virtual bool WantsShadow();
  // What the popup shows: a popup menu, a tool-box popup or a chevron popup.
  virtual std::uint32_t ViewKind();

  TPoint GetFrameSize() override;
  // The screen rectangle of the control a root item opened the popup under
  // (empty otherwise); a shadow leaves it out.
  const TRect& ExclusionRect() const { return FExclusionRect; }
  void SetExclusionRect(const TRect& Value) { FExclusionRect = Value; }
  TShadows* Shadows() const { return FShadows.get(); }
  // Takes the theme's colours once the view exists.
  void InitThemedView();

protected:
  TTBView* CreatePopupView(TTBView* ParentView, TTBCustomItem* Item, bool Customizing) override;
  void PaintFrame(HDC DC) override;
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

private:
  void EraseBackground(TMessage& Message);
  void WindowPosChanged(TMessage& Message);

  TRect FExclusionRect;
  std::unique_ptr<TShadows> FShadows;
};

class TTBWChevronPopupWindow : public TTBWPopupWindow {
public:
  using TTBWPopupWindow::TTBWPopupWindow;
  std::uint32_t ViewKind() override;
};

// A themed popup window of class T with its view, hidden.
template <class T>
TTBPopupWindow* NewThemedPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing)
{
  auto* window = new T(nullptr, ParentView, ShownItem, Customizing);
  window->InitView(ParentView, ShownItem, Customizing);
  window->InitThemedView();
  return window;
}

// Paints a themed popup's non-client frame through the theme.
void TBWPopupNCPaintProc(HWND Window, HDC DC, TTBView* View);

class TTBWRootItem : public TTBRootItem {
public:
  using TTBRootItem::TTBRootItem;

  // Runs the children as a popup menu under ControlRect (screen
  // coordinates): below it, or above it when there is no room below; its
  // shadow leaves the control out.
  void Popup(bool SelectFirst, const TRect& ControlRect, TTBPopupAlignment Alignment);
  const TRect& PopupControlRect() const { return FPopupControlRect; }

  TTBPopupWindow* NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing) override;
  TTBPopupWindow* CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                              bool SelectFirstItem, bool Customizing, TPoint PopupPoint,
                              TTBPopupAlignment Alignment) override;
  void FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement) override;

private:
  TRect FPopupControlRect;
};

class TTBWPopupMenu : public TTBPopupMenu, public TMessageDispatcher {
public:
  explicit TTBWPopupMenu(TComponent* AOwner);
  TTBWRootItem* ThemedItems() const { return static_cast<TTBWRootItem*>(Items()); }
  // Answers its view kind (a popup menu) to 0x4ED.
  void Dispatch(TMessage& Message) override;
};
