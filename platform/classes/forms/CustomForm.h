// TCustomForm: a top-level window holding controls. Forms are built in code:
// construct, set properties and handlers, then AfterConstruction() runs
// OnCreate (TApplication::CreateForm and TCustomForm::Create<T> do both).
// Free a form through its owner, with Release (after the current message)
// or with Free(); OnDestroy runs from BeforeDestruction, before the C++
// destructors.
#pragma once

#include "platform/classes/controls/ControlCanvas.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/FormTypes.h"

class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // new T(Owner, args...) followed by AfterConstruction (OnCreate).
  template <class T, class... Args>
  static T* Create(TComponent* AOwner, Args&&... args)
  {
    T* form = new T(AOwner, std::forward<Args>(args)...);
    form->AfterConstruction();
    return form;
  }
  virtual void AfterConstruction();
  void BeforeDestruction() override;
  // Runs OnDestroy and frees the form now.
  void Free();

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form, runs messages until ModalResult is set, hides it and
  // answers the result (EInvalidOperation when it is already visible).
  virtual TModalResult ShowModal();
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the message being handled is done.
  void Release();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  TFormState FormState() const { return FFormState; }
  bool Active() const { return FActive; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // The resolution the form's sizes were given at (96 unless said).
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
  // Whether the form follows the screen's resolution (default true).
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  // Once a form is built at PixelsPerInch: a scaled form on a screen of
  // another resolution scales by screen/form, then takes the screen's.
  void ScaleToScreen();
  TCanvas* Canvas() const { return FCanvas.get(); }

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  void SetFocus() override;
  void DefocusControl(TWinControl* Control, bool Removing);
  // The form hears that Control got the focus; false when a handler moved it again.
  virtual bool SetFocusedControl(TWinControl* Control);
  virtual bool WantChildKey(TControl*, TMessage&) { return false; }
  // OnShortCut, the main menu, then the form's action lists.
  virtual bool IsShortCut(TMessage& Message);
  void MouseWheelHandler(TMessage& Message);
  // Idle time: the main menu's items and the controls update their actions.
  virtual void UpdateActions();
  void SendCancelMode(TControl* Sender);

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TShortCutEvent OnShortCut;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void PaintWindow(HDC DC) override;
  // A form keeps its place and scales its client area.
  void ChangeScale(int M, int D) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  void SetActive(bool Value);
  void SetWindowFocus();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void VisibleChanging() override;

  void WMClose(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMRelease(TMessage& Message);
  // An action looks for its target: the active control, the form, then the
  // visible controls.
  bool DoExecuteAction(TBasicAction* Action, bool Update);

private:
  void CloseModal();

  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TModalResult FModalResult = mrNone;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TFormState FFormState;
  bool FActive = false;
  bool FKeyPreview = false;
  bool FDestroyRan = false;
  TMainMenu* FMenu = nullptr;
  int FPixelsPerInch = 96;
  bool FScaled = true;
  int FFocusCount = 0;
  std::unique_ptr<TControlCanvas> FCanvas;
};
