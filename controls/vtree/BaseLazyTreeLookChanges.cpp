// What the tree redoes when its look changes from outside: its colour, font,
// enabled state, the system colours or the visual styles. The button and line
// bitmaps are drawn in the tree's colours, so they are drawn again; the
// shared check images take the new system colours.
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/SharedResources.h"
#include "platform/classes/Messages.h"
#include "platform/win/win.h"
#include "platform/win/window/VisualStyleSetting.h"

void TBaseLazyTree::UpdateThemeState()
{
  if (HasPaintOption(toThemeAware) && VisualStylesEnabled())
    ChangeStates({tsUseThemes}, {});
  else
    ChangeStates({}, {tsUseThemes});
}

void TBaseLazyTree::RedrawFrame()
{
  if (HasWindow())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE | RDW_NOCHILDREN);
}

void TBaseLazyTree::LookColorsChanged()
{
  if (ComponentState().Contains(csLoading))
    return;
  PrepareButtonBitmaps(true, true);
  if (HasWindow())
    Invalidate();
}

bool TBaseLazyTree::DispatchLookMessage(TMessage& Message)
{
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(Message);
      if (ComponentState().Contains(csDesigning))
        RedrawFrame();
      return true;
    case CM_COLORCHANGED:
      TCustomControl::WndProc(Message);
      LookColorsChanged();
      return true;
    case CM_FONTCHANGED:
      TCustomControl::WndProc(Message);
      LookColorsChanged();
      return true;
    case CM_SYSCOLORCHANGE:
      TCustomControl::WndProc(Message);
      ReloadSharedImagesInSystemColors();
      // The window colour may fill the buttons.
      LookColorsChanged();
      Message.Msg = WM_SYSCOLORCHANGE;
      DefaultHandler(Message);
      return true;
    case WM_ENABLE:
      DefaultHandler(Message);
      RedrawFrame();
      return true;
    case WM_THEMECHANGED:
      DefaultHandler(Message);
      UpdateThemeState();
      RedrawFrame();
      return true;
  }
  return false;
}
