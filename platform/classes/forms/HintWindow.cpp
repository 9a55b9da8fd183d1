#include "platform/classes/forms/HintWindow.h"

#include <algorithm>

#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetColor(clInfoBk);
  Canvas()->SetFont(Screen()->HintFont());
  Canvas()->Brush()->SetStyle(bsClear);
  FVisible = false;
}

void THintWindow::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  Params.WindowClass.style |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*)
{
  TRect r(0, 0, MaxWidth, 0);
  Canvas()->SetFont(Screen()->HintFont());
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Canvas()->Font()->Handle());
  DrawText(dc, AHint.c_str(), int(AHint.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Room for the border and the text's margin.
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

TRect THintWindow::KeptOnDesktop(TRect Rect)
{
  int width = Rect.Width(), height = Rect.Height();
  TRect desktop = Screen()->DesktopRect();
  int top = std::max(std::min(Rect.Top, desktop.Bottom - height), desktop.Top);
  int left = std::max(std::min(Rect.Left, desktop.Right - width), desktop.Left);
  return TRect(left, top, left + width, top + height);
}

void THintWindow::ActivateHint(TRect Rect, const std::string& AHint)
{
  SetCaption(AHint);
  int width = Rect.Width(), height = Rect.Height();
  Rect = KeptOnDesktop(Rect);
  HandleNeeded();
  FLeft = Rect.Left;
  FTop = Rect.Top;
  FWidth = width;
  FHeight = height;
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const std::string& AHint, void*)
{
  ActivateHint(Rect, AHint);
}

bool THintWindow::IsHintMsg(const MSG& Msg)
{
  UINT m = Msg.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE || m == CM_APPKEYDOWN ||
         m == CM_APPSYSCOMMAND || m == WM_COMMAND || (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) ||
         m == WM_NCMOUSEMOVE;
}

void THintWindow::Paint()
{
  TRect r = ClientRect();
  r.Left += 2;
  r.Top += 2;
  Canvas()->Font()->SetColor(Screen()->HintFont()->Color());
  std::string text = Text();
  SetBkMode(Canvas()->Handle(), TRANSPARENT);
  Canvas()->RequiredState({csHandleValid, csFontValid});
  DrawText(Canvas()->Handle(), text.c_str(), int(text.size()), &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_NCHITTEST) {
    // The mouse passes through the hint to what lies under it.
    Message.Result = HTTRANSPARENT;
    return;
  }
  TCustomControl::Dispatch(Message);
}
