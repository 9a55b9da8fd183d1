#include "platform/classes/forms/Dialogs.h"

#include <algorithm>

#include "platform/base/MulDiv.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/controls/GraphicControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/Label.h"
#include "platform/win/win.h"

namespace {

// The icon of the dialog's kind, drawn by the layer.
class TDialogIcon : public TGraphicControl {
public:
  TDialogIcon(TComponent* AOwner, LPCSTR IconName) : TGraphicControl(AOwner), FIcon(LoadIcon(nullptr, IconName)) {}

protected:
  void Paint() override
  {
    if (FIcon)
      DrawIcon(Canvas()->Handle(), 0, 0, FIcon);
  }

private:
  HICON FIcon;
};

struct TButtonInfo {
  const char* Name;
  const char* Caption;
  TModalResult Result;
};

const TButtonInfo ButtonInfo[] = {
    {"Yes", SMsgDlgYes, mrYes},       {"No", SMsgDlgNo, mrNo},          {"OK", SMsgDlgOK, mrOk},
    {"Cancel", SMsgDlgCancel, mrCancel}, {"Abort", SMsgDlgAbort, mrAbort}, {"Retry", SMsgDlgRetry, mrRetry},
    {"Ignore", SMsgDlgIgnore, mrIgnore}, {"All", SMsgDlgAll, mrAll},       {"NoToAll", SMsgDlgNoToAll, mrNoToAll},
    {"YesToAll", SMsgDlgYesToAll, mrYesToAll}, {"Help", SMsgDlgHelp, mrNone}};

LPCSTR IconOf(TMsgDlgType type)
{
  switch (type) {
  case mtWarning: return IDI_EXCLAMATION;
  case mtError: return IDI_HAND;
  case mtInformation: return IDI_ASTERISK;
  case mtConfirmation: return IDI_QUESTION;
  default: return nullptr;
  }
}

const char* CaptionOf(TMsgDlgType type)
{
  switch (type) {
  case mtWarning: return SMsgDlgWarning;
  case mtError: return SMsgDlgError;
  case mtInformation: return SMsgDlgInformation;
  case mtConfirmation: return SMsgDlgConfirm;
  default: return nullptr;
  }
}

// The average width of the font's letters and its height (dialog units).
TPoint AverageCharSize(HDC dc)
{
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  TSize size;
  GetTextExtentPoint32(dc, letters, 52, &size);
  TEXTMETRICA metrics;
  GetTextMetrics(dc, &metrics);
  return TPoint((size.cx / 26 + 1) / 2, metrics.tmHeight);
}

}  // namespace

TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
  auto* form = new TForm(Application());
  {
    OnFailure freeing([&] { form->Free(); });
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poDesigned);
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, form->Font()->Handle());
    TPoint units = AverageCharSize(dc);
    int horzMargin = MulDiv(8, units.x, 4), vertMargin = MulDiv(8, units.y, 8);
    int horzSpacing = MulDiv(10, units.x, 4), vertSpacing = MulDiv(10, units.y, 8);
    int buttonWidth = MulDiv(50, units.x, 4), buttonHeight = MulDiv(14, units.y, 8);
    int buttonSpacing = MulDiv(4, units.x, 4);
    for (int b = 0; b <= int(mbHelp); ++b) {
      if (!Buttons.Contains(TMsgDlgBtn(b)))
        continue;
      TRect text;
      DrawText(dc, ButtonInfo[b].Caption, -1, &text, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      buttonWidth = std::max(buttonWidth, text.Width() + 8);
    }
    TRect textRect(0, 0, Screen()->Width() / 2, 0);
    DrawText(dc, Msg.c_str(), int(Msg.size()), &textRect, DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);

    LPCSTR icon = IconOf(DlgType);
    int iconTextWidth = textRect.Right, iconTextHeight = textRect.Bottom;
    if (icon) {
      iconTextWidth += 32 + horzSpacing;
      iconTextHeight = std::max(iconTextHeight, 32);
    }
    int buttonCount = 0;
    for (int b = 0; b <= int(mbHelp); ++b)
      buttonCount += Buttons.Contains(TMsgDlgBtn(b)) ? 1 : 0;
    int groupWidth = buttonCount ? buttonWidth * buttonCount + buttonSpacing * (buttonCount - 1) : 0;
    form->SetClientWidth(std::max(iconTextWidth, groupWidth) + horzMargin * 2);
    form->SetClientHeight(iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2);
    form->SetLeft(Screen()->Width() / 2 - form->Width() / 2);
    form->SetTop(Screen()->Height() / 2 - form->Height() / 2);
    const char* caption = CaptionOf(DlgType);
    form->SetCaption(caption ? caption : Application()->Title());

    if (icon) {
      auto* image = new TDialogIcon(form, icon);
      image->SetName("Image");
      image->SetParent(form);
      image->SetBounds(horzMargin, vertMargin, 32, 32);
    }
    auto* message = new TLabel(form);
    message->SetName("Message");
    message->SetParent(form);
    message->SetWordWrap(true);
    message->SetAutoSize(false);
    message->SetCaption(Msg);
    message->SetBounds(iconTextWidth - textRect.Right + horzMargin, vertMargin, textRect.Right, textRect.Bottom);

    TMsgDlgBtn defaultButton = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
    TMsgDlgBtn cancelButton = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
    int x = (form->ClientWidth() - groupWidth) / 2;
    for (int b = 0; b <= int(mbHelp); ++b) {
      if (!Buttons.Contains(TMsgDlgBtn(b)))
        continue;
      auto* button = new TButton(form);
      button->SetName(ButtonInfo[b].Name);
      button->SetParent(form);
      button->SetCaption(ButtonInfo[b].Caption);
      button->SetModalResult(ButtonInfo[b].Result);
      if (TMsgDlgBtn(b) == defaultButton) {
        button->SetDefault(true);
        button->SetTabOrder(0);
      }
      if (TMsgDlgBtn(b) == cancelButton)
        button->SetCancel(true);
      button->SetBounds(x, iconTextHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
      x += buttonWidth + buttonSpacing;
    }
  }
  form->AfterConstruction();
  return form;
}

TModalResult MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                           int Y)
{
  TForm* form = CreateMessageDialog(Msg, DlgType, Buttons);
  TModalResult result = mrNone;
  ScopeExit freeing([&] { form->Free(); });
  form->SetHelpContext(HelpCtx);
  if (X >= 0)
    form->SetLeft(X);
  if (Y >= 0)
    form->SetTop(Y);
  result = form->ShowModal();
  return result;
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
  return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

void ShowMessage(const std::string& Msg)
{
  MessageDlgPos(Msg, mtCustom, {mbOK}, 0, -1, -1);
}

int MessageBoxDialog(const std::string& Text, const std::string& Caption, UINT Flags)
{
  TMsgDlgButtons buttons;
  switch (Flags & MB_TYPEMASK) {
  case MB_OKCANCEL: buttons = {mbOK, mbCancel}; break;
  case MB_ABORTRETRYIGNORE: buttons = {mbAbort, mbRetry, mbIgnore}; break;
  case MB_YESNOCANCEL: buttons = {mbYes, mbNo, mbCancel}; break;
  case MB_YESNO: buttons = {mbYes, mbNo}; break;
  case MB_RETRYCANCEL: buttons = {mbRetry, mbCancel}; break;
  default: buttons = {mbOK}; break;
  }
  TMsgDlgType type = mtCustom;
  switch (Flags & MB_ICONMASK) {
  case MB_ICONSTOP: type = mtError; break;
  case MB_ICONQUESTION: type = mtConfirmation; break;
  case MB_ICONWARNING: type = mtWarning; break;
  case MB_ICONINFORMATION: type = mtInformation; break;
  }
  TForm* form = CreateMessageDialog(Text, type, buttons);
  TModalResult result = mrNone;
  ScopeExit freeing([&] { form->Free(); });
  form->SetCaption(Caption);
  result = form->ShowModal();
  // The modal results are the message box answers (IDOK = mrOk, ...).
  return result == mrNone ? IDCANCEL : int(result);
}
