#include "platform/classes/forms/MenuPresenter.h"

#include <map>

#include "platform/classes/forms/AllocateHWnd.h"
#include "platform/classes/menus/MenuItem.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/win.h"

namespace {

// One popup under way: the handles of its submenus and their items.
class TPopupSession : public TObject {
public:
  explicit TPopupSession(TPopupMenu* Menu) : FMenu(Menu) {}
  ~TPopupSession() override
  {
    if (FRoot)
      DestroyMenu(FRoot);
    DeallocateHWnd(FOwner);
  }

  TMenuItem* Run(int X, int Y, UINT Flags)
  {
    FOwner = AllocateHWnd(TWndMethod(this, &TPopupSession::WndProc));
    FRoot = CreatePopupMenu();
    Fill(FRoot, FMenu->Items());
    UINT command = UINT(TrackPopupMenu(FRoot, Flags | TPM_RETURNCMD, X, Y, 0, FOwner, nullptr));
    return command ? FMenu->FindItem(command, fkCommand) : nullptr;
  }

private:
  void Fill(HMENU Handle, TMenuItem* Parent)
  {
    for (int i = 0; i < Parent->Count(); ++i) {
      TMenuItem* item = Parent->Items(i);
      if (!item->Visible())
        continue;
      UINT flags = 0;
      if (item->IsLine()) {
        AppendMenu(Handle, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      if (item->Checked())
        flags |= MF_CHECKED;
      if (!item->Enabled())
        flags |= MF_GRAYED;
      if (item->Break() == mbBreak)
        flags |= MF_MENUBREAK;
      else if (item->Break() == mbBarBreak)
        flags |= MF_MENUBARBREAK;
      std::string caption = item->Caption();
      if (item->Count() > 0) {
        HMENU sub = CreatePopupMenu();
        FSubmenus[sub] = item;
        Fill(sub, item);
        AppendMenu(Handle, flags | MF_POPUP, UINT_PTR(sub), caption.c_str());
      } else {
        AppendMenu(Handle, flags, item->Command(), caption.c_str());
      }
      int position = GetMenuItemCount(Handle) - 1;
      if (item->RadioItem()) {
        MENUITEMINFO info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfo(Handle, UINT(position), TRUE, &info);
        info.fType |= MFT_RADIOCHECK;
        SetMenuItemInfo(Handle, UINT(position), TRUE, &info);
      }
      if (item->Default())
        SetMenuDefaultItem(Handle, UINT(position), TRUE);
    }
  }

  // The submenus inside Handle are about to go with their items.
  void Forget(HMENU Handle)
  {
    for (int i = 0; i < GetMenuItemCount(Handle); ++i)
      if (HMENU sub = GetSubMenu(Handle, i)) {
        Forget(sub);
        FSubmenus.erase(sub);
      }
  }

  void WndProc(TMessage& Message)
  {
    if (Message.Msg == WM_INITMENUPOPUP) {
      auto it = FSubmenus.find(HMENU(Message.WParam));
      if (it != FSubmenus.end()) {
        // The submenu's item may fill it now: its items are read again.
        TMenuItem* item = it->second;
        item->Click();
        HMENU handle = it->first;
        Forget(handle);
        while (GetMenuItemCount(handle) > 0)
          DeleteMenu(handle, 0, MF_BYPOSITION);
        Fill(handle, item);
      }
      return;
    }
    Message.Result = DefWindowProc(FOwner, Message.Msg, Message.WParam, Message.LParam);
  }

  TPopupMenu* FMenu;
  HWND FOwner = nullptr;
  HMENU FRoot = nullptr;
  std::map<HMENU, TMenuItem*> FSubmenus;
};

}  // namespace

TMenuItem* PresentPopupMenu(TPopupMenu* Menu, int X, int Y, UINT Flags)
{
  TPopupSession session(Menu);
  return session.Run(X, Y, Flags);
}

void InstallPopupMenuPresenter()
{
  TPopupMenu::SetPresenter(&PresentPopupMenu);
}
