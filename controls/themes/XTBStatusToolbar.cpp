#include "controls/themes/XTBStatusToolbar.h"

#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/toolbar/TBDock.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/CustomForm.h"

bool SeparatorsHidden(std::uint8_t SeparatorMode, bool VisualStylesUsable, const std::string& ThemeName)
{
  if (SeparatorMode == 0 || (SeparatorMode == 1 && !VisualStylesUsable))
    return true;
  return ThemeName.find("Office") != std::string::npos;
}

TRect SizingCornerOf(const TRect& DockClient, int ScrollBarWidth)
{
  TRect r = DockClient;
  r.Top = -3;
  r.Left = r.Right - ScrollBarWidth;
  return r;
}

TXTBStatusToolbar::TXTBStatusToolbar(TComponent* AOwner) : TXTBToolbar(AOwner) {}

bool TXTBStatusToolbar::HidesSeparators()
{
  return SeparatorsHidden(FSeparatorMode, ThemeSystemState().VisualStylesActive, CurrentThemeName());
}

TRect TXTBStatusToolbar::SizingCorner()
{
  TCustomForm* form = GetParentForm(this);
  if (!Docked() || !CurrentDock() || !form || form->WindowState() != wsNormal)
    return TRect();
  return SizingCornerOf(CurrentDock()->ClientRect(), GetSystemMetrics(SM_CXVSCROLL));
}

void TXTBStatusToolbar::Dispatch(TMessage& Message)
{
  TXTBToolbar::Dispatch(Message);
  if (Message.Msg != WM_NCHITTEST || Message.Result != HTCLIENT)
    return;
  const TRect corner = SizingCorner();
  if (IsRectEmpty(&corner))
    return;
  // The corner is the dock's: the point is taken into the dock's client
  // coordinates, wherever the toolbar lies in the dock.
  const TPoint screen(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  const TPoint inDock = CurrentDock()->ScreenToClient(screen);
  if (PtInRect(&corner, inDock))
    Message.Result = HTBOTTOMRIGHT;
}
