#include "controls/utility/placement/UtFormPlacement.h"

#include <algorithm>

#include "controls/utility/placement/UtPlacementValues.h"
#include "controls/utility/placement/UtWndProcHook.h"
#include "controls/utility/storage/UtAppStorage.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/menus/MainMenu.h"
#include "platform/win/win.h"

// Links

TUtIniLink::~TUtIniLink()
{
  OnSave = nullptr;
  OnLoad = nullptr;
  SetStorage(nullptr);
}

void TUtIniLink::SetStorage(TUtFormPlacement* Value)
{
  if (FStorage == Value)
    return;
  if (FStorage)
    std::erase(FStorage->FLinks, this);
  FStorage = Value;
  if (FStorage)
    FStorage->FLinks.push_back(this);
}

// Tracking sizes

bool TUtWinMinMaxInfo::Empty() const
{
  const MINMAXINFO& i = FInfo;
  return !i.ptMaxPosition.x && !i.ptMaxPosition.y && !i.ptMaxSize.x && !i.ptMaxSize.y && !i.ptMaxTrackSize.x &&
         !i.ptMaxTrackSize.y && !i.ptMinTrackSize.x && !i.ptMinTrackSize.y;
}

void TUtWinMinMaxInfo::SetValue(int& Member, int Value)
{
  if (Member == Value)
    return;
  Member = Value;
  FOwner->MinMaxChanged();
}

void TUtWinMinMaxInfo::Assign(const TUtWinMinMaxInfo& Source)
{
  FInfo = Source.FInfo;
  FOwner->MinMaxChanged();
}

// The placement

TUtFormPlacement::TUtFormPlacement(TComponent* AOwner) : TUtComponent(AOwner)
{
  if (dynamic_cast<TCustomForm*>(AOwner))
    FOptions = {fpState, fpPosition};
  FHook = new TUtWindowHook(nullptr);
  FHook->SetAfterMessage(TUtHookMessageEvent(this, &TUtFormPlacement::AfterMessage));
}

TUtFormPlacement::~TUtFormPlacement()
{
  while (!FLinks.empty())
    FLinks.back()->SetStorage(nullptr);
  if (!ComponentState().Contains(csDesigning)) {
    FHook->SetControl(nullptr);
    GiveBackForm();
  }
  delete FHook;
}

TCustomForm* TUtFormPlacement::Form() const
{
  return dynamic_cast<TCustomForm*>(Owner());
}

void TUtFormPlacement::SetAppStorage(TUtCustomAppStorage* Value)
{
  if (FAppStorage)
    FAppStorage->RemoveFreeNotification(this);
  FAppStorage = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TUtFormPlacement::SetAppStoragePath(const std::string& Value)
{
  FAppStoragePath = Value;
  if (!Value.empty() && Value.back() != '\\')
    FAppStoragePath += '\\';
}

void TUtFormPlacement::Notification(TComponent* AComponent, TOperation Operation)
{
  TUtComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAppStorage)
    FAppStorage = nullptr;
}

void TUtFormPlacement::Loaded()
{
  TUtComponent::Loaded();
  if (ComponentState().Contains(csDesigning))
    return;
  TakeOverForm();
  UpdateHook();
}

void TUtFormPlacement::TakeOverForm()
{
  TCustomForm* form = Form();
  if (!form || FTookOver)
    return;
  FSavedShow = form->OnShow;
  FSavedCloseQuery = form->OnCloseQuery;
  FSavedDestroy = form->OnDestroy;
  form->OnShow = TNotifyEvent(this, &TUtFormPlacement::FormShow);
  form->OnCloseQuery = TCloseQueryEvent(this, &TUtFormPlacement::FormCloseQuery);
  form->OnDestroy = TNotifyEvent(this, &TUtFormPlacement::FormDestroy);
  FTookOver = true;
  FHadMaxIcon = form->BorderIcons().Contains(biMaximize);
  if (FPreventResize)
    UpdateBorderIcons();
}

void TUtFormPlacement::GiveBackForm()
{
  TCustomForm* form = Form();
  if (!form || !FTookOver)
    return;
  form->OnShow = FSavedShow;
  form->OnCloseQuery = FSavedCloseQuery;
  form->OnDestroy = FSavedDestroy;
  FTookOver = false;
}

// The hook watches the form only while there is something to enforce.
void TUtFormPlacement::UpdateHook()
{
  bool watch = !ComponentState().Contains(csDesigning) && (!FMinMaxInfo.Empty() || FPreventResize);
  FHook->SetControl(watch ? Form() : nullptr);
}

bool TUtFormPlacement::Loading() const
{
  TCustomForm* form = Form();
  return ComponentState().Contains(csLoading) || (form && form->ComponentState().Contains(csLoading));
}

void TUtFormPlacement::MinMaxChanged()
{
  CorrectPlacement();
  if (!ComponentState().Contains(csLoading))
    UpdateHook();
}

void TUtFormPlacement::SetPreventResize(bool Value)
{
  if (!Form() || FPreventResize == Value)
    return;
  FPreventResize = Value;
  CorrectPlacement();
  UpdateBorderIcons();
}

// Without limits of its own, a maximised form sits with its frame just off
// the screen's edges, whatever the stored placement said.
void TUtFormPlacement::CorrectPlacement()
{
  TCustomForm* form = Form();
  if (!form || !form->HandleAllocated() || Loading() || FPreventResize || !FMinMaxInfo.Empty())
    return;
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  if (!GetWindowPlacement(form->Handle(), &placement))
    return;
  if (!IsWindowVisible(form->Handle()))
    placement.showCmd = SW_HIDE;
  int frameX = 0, frameY = 0;
  switch (form->BorderStyle()) {
  case bsSingle:
  case bsToolWindow: frameX = SM_CXBORDER, frameY = SM_CYBORDER; break;
  case bsSizeable:
  case bsSizeToolWin: frameX = SM_CXFRAME, frameY = SM_CYFRAME; break;
  case bsDialog: frameX = SM_CXDLGFRAME, frameY = SM_CYDLGFRAME; break;
  default: break;
  }
  placement.ptMaxPosition = frameX ? TPoint(-GetSystemMetrics(frameX), -GetSystemMetrics(frameY)) : TPoint(0, 0);
  SetWindowPlacement(form->Handle(), &placement);
}

// A form that may not be resized has no maximise icon; it gets it back
// afterwards only when it had one and is no dialog.
void TUtFormPlacement::UpdateBorderIcons()
{
  TCustomForm* form = Form();
  if (!form || ComponentState().Contains(csDesigning))
    return;
  TBorderIcons icons = form->BorderIcons();
  if (FPreventResize)
    FHadMaxIcon = icons.Contains(biMaximize);
  {
    // Changing the icons may re-create the window: no saving or restoring meanwhile.
    bool active = FActive;
    FActive = false;
    ScopeExit restored([&] { FActive = active; });
    if (FPreventResize || !FHadMaxIcon || form->BorderStyle() == bsDialog)
      icons.Exclude(biMaximize);
    else
      icons.Include(biMaximize);
    form->SetBorderIcons(icons);
  }
  if (!ComponentState().Contains(csLoading))
    UpdateHook();
}

void TUtFormPlacement::AfterMessage(TObject*, TMessage& Msg, bool&)
{
  TCustomForm* form = Form();
  if (FPreventResize && form) {
    switch (Msg.Msg) {
    case WM_GETMINMAXINFO:
      if (form->HandleAllocated() && IsWindowVisible(form->Handle())) {
        auto* info = reinterpret_cast<MINMAXINFO*>(Msg.LParam);
        info->ptMinTrackSize = TPoint(form->Width(), form->Height());
        info->ptMaxTrackSize = info->ptMinTrackSize;
      }
      Msg.Result = 1;
      break;
    case WM_NCHITTEST:
      if (Msg.Result >= HTLEFT && Msg.Result <= HTBOTTOMRIGHT)
        Msg.Result = HTNOWHERE;
      break;
    case WM_INITMENUPOPUP:
      if (HIWORD(Msg.LParam)) {
        // The popup being opened is the system menu itself; the form's main
        // menu sees it first, as it sees every popup of the form.
        HMENU menu = reinterpret_cast<HMENU>(Msg.WParam);
        if (TMainMenu* mainMenu = form->Menu())
          mainMenu->DispatchPopup(menu);
        EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
        Msg.Result = 1;
      }
      break;
    }
  } else if (Msg.Msg == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(Msg.LParam);
    const MINMAXINFO& own = FMinMaxInfo.Info();
    if (FMinMaxInfo.Empty()) {
      info->ptMaxPosition = TPoint(0, 0);
    } else {
      auto take = [](LONG& member, LONG value) {
        if (value)
          member = value;
      };
      take(info->ptMinTrackSize.x, own.ptMinTrackSize.x);
      take(info->ptMinTrackSize.y, own.ptMinTrackSize.y);
      take(info->ptMaxTrackSize.x, own.ptMaxTrackSize.x);
      take(info->ptMaxTrackSize.y, own.ptMaxTrackSize.y);
      take(info->ptMaxSize.x, own.ptMaxSize.x);
      take(info->ptMaxSize.y, own.ptMaxSize.y);
      take(info->ptMaxPosition.x, own.ptMaxPosition.x);
      take(info->ptMaxPosition.y, own.ptMaxPosition.y);
    }
    Msg.Result = 1;
  }
}

// Saving and restoring

void TUtFormPlacement::StoreAll()
{
  if (!FAppStorage)
    return;
  FAppStorage->WriteInteger(FAppStoragePath + "FormVersion", FVersion);
  WriteValues();
  if (OnSavePlacement)
    OnSavePlacement(this);
  FSaved = true;
}

void TUtFormPlacement::LoadAll()
{
  FSaved = false;
  // A placement older than Version is not read, but the form is still taken
  // as restored and its placement corrected.
  if (FAppStorage && FAppStorage->ReadInteger(FAppStoragePath + "FormVersion", 0) >= FVersion) {
    ReadValues();
    FRestored = true;
    if (OnRestorePlacement)
      OnRestorePlacement(this);
    TCustomForm* form = Form();
    if (form && FOptions.Contains(fpActiveControl)) {
      std::string name = FAppStorage->ReadString(FAppStoragePath + "ActiveControl", "");
      if (auto* control = dynamic_cast<TWinControl*>(form->FindComponent(name)); control && control->CanFocus())
        form->SetActiveControl(control);
    }
  }
  FRestored = true;
  CorrectPlacement();
}

void TUtFormPlacement::WriteValues()
{
  TCustomForm* form = Form();
  if (form && (FOptions.Contains(fpState) || FOptions.Contains(fpPosition)))
    WriteFormPlacement(form, FAppStorage, FAppStoragePath, FOptions.Contains(fpState),
                       FOptions.Contains(fpPosition));
  FAppStorage->WriteInteger(FAppStoragePath + "Visible", FSavingOnDestroy ? 1 : 0);
  if (form && FOptions.Contains(fpActiveControl) && form->ActiveControl())
    FAppStorage->WriteString(FAppStoragePath + "ActiveControl", form->ActiveControl()->Name());
  for (TUtIniLink* link : std::vector<TUtIniLink*>(FLinks))
    if (link->OnSave)
      link->OnSave(link);
}

void TUtFormPlacement::ReadValues()
{
  if (TCustomForm* form = Form())
    ReadFormPlacement(form, FAppStorage, FAppStoragePath, FOptions.Contains(fpState), FOptions.Contains(fpPosition));
  for (TUtIniLink* link : std::vector<TUtIniLink*>(FLinks))
    if (link->OnLoad)
      link->OnLoad(link);
}

// The form's events

void TUtFormPlacement::FormShow(TObject* Sender)
{
  if (FActive && FAppStorage) {
    try {
      LoadAll();
    } catch (...) {
      if (Application())
        Application()->HandleException(this);
    }
  }
  if (FSavedShow)
    FSavedShow(Sender);
}

void TUtFormPlacement::FormCloseQuery(TObject* Sender, bool& CanClose)
{
  if (FSavedCloseQuery)
    FSavedCloseQuery(Sender, CanClose);
  if (CanClose && FActive && FAppStorage && Form() && Form()->HandleAllocated()) {
    try {
      StoreAll();
    } catch (...) {
      if (Application())
        Application()->HandleException(this);
    }
  }
}

void TUtFormPlacement::FormDestroy(TObject* Sender)
{
  if (FActive && FAppStorage && !FSaved) {
    FSavingOnDestroy = true;
    try {
      StoreAll();
    } catch (...) {
      if (Application())
        Application()->HandleException(this);
    }
    FSavingOnDestroy = false;
  }
  if (FSavedDestroy)
    FSavedDestroy(Sender);
}
