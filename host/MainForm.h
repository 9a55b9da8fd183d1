// TcorvaneMain: the main window. It builds its components as the form
// describes them (four toolbar docks, the menu bar and the network toolbar
// in the top one; four multi-docks, the dockable panels "Plug-ins" and
// "Affichage" in the right one and "Console" in the bottom one; the contact
// tree filling the client area; the tray icon with its popup, the theme
// switcher, the image lists), lends them to its THostCore through the
// window's interfaces, and runs the start-up (OnCreate), show, closing
// (OnClose) and destruction (OnDestroy) steps. The commands of its menus,
// panels and tray popup are in MainFormCommands.cpp.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "host/HostCore.h"
#include "host/MainWindowBindings.h"
#include "platform/classes/forms/Form.h"

class TLazyStringTree;
class TListBox;
class TTBCustomItem;
class TTBImageList;
class TTBWAlignmentPanel;
class TTBWDockablePanel;
class TTBWPopupMenu;
class TTBWSwitcher;
class TUtTrayIcon;
class TUtxCheckListBox;
class TXTBDock;
class TXTBMultiDock;
class TXTBSubmenuItem;
class TXTBToolbar;

class TcorvaneMain : public TForm,
                     public IConsoleSink,
                     public ITrayIcon,
                     public IProcessorPanel,
                     public IWarningDialog {
public:
  static constexpr const char* Title = "Corvane 2.1";
  static constexpr int FirstWidth = 564, FirstHeight = 408;

  explicit TcorvaneMain(TComponent* AOwner, TMainWindowBindings Bindings = {},
                        std::string ChatLibrary = ChatLibraryFileName);
  ~TcorvaneMain() override;

  THostCore& Core() { return *FCore; }

  // The controls the binding units work on.
  TLazyStringTree* lstPlugContact() const { return FlstPlugContact; }
  TXTBToolbar* TbNetWorks() const { return FTbNetWorks; }
  TTBWPopupMenu* mnuPopup() const { return FmnuPopup; }
  TTBImageList* imgStatus() const { return FimgStatus; }
  TTBImageList* imgTray() const { return FimgTray; }
  TXTBSubmenuItem* mnuStyle() const { return FmnuStyle; }
  TXTBSubmenuItem* mnuPacks() const { return FmnuPacks; }
  TTBWSwitcher* Switcher() const { return FTBWSwitcher1; }
  TUtTrayIcon* TrayIcon() const { return FUtTrayIcon1; }
  TListBox* Console() const { return FListBox1; }
  TUtxCheckListBox* lstMsgProc() const { return FlstMsgProc; }
  TXTBToolbar* MenuBar() const { return FMenuBar; }
  TTBWDockablePanel* ConsolePanel() const { return FTBWDockablePanel2; }
  TTBWDockablePanel* PluginPanel() const { return FDockOptions; }
  TTBWDockablePanel* DisplayPanel() const { return FTBWDockablePanel3; }
  // The toolbar docks and the panels' multi-docks, left, top, right, bottom.
  const std::array<TXTBDock*, 4>& Docks() const { return FDocks; }
  const std::array<TXTBMultiDock*, 4>& MultiDocks() const { return FMultiDocks; }
  // A menu item of the menu bar by its form name ("mnuConsole", "chkDirect"...), or null.
  TTBCustomItem* MenuItem(const std::string& Name) const;

  // IConsoleSink, ITrayIcon, IProcessorPanel, IWarningDialog.
  void AddConsoleLine(const std::string& Line) override;
  void SetIconIndex(int Index) override;
  int IconIndex() const override;
  void ShowBalloonTip(const std::string& Title, const std::string& Text, TTrayBalloon Type, unsigned TimeoutMs,
                      bool CancelPrevious) override;
  void AddProcessorLine(const std::string& Name) override;
  bool ProcessorChecked(int Index) const override;
  void ShowWarning(const std::string& Text) override;

  void Dispatch(TMessage& Message) override;

private:
  // --- the component list (MainFormBuild.cpp) ---
  void CreateImageLists();
  void CreateDocks();
  void CreateMenuBar();
  void CreateNetworkToolbar();
  void CreatePanels();
  void CreateContactTree();
  void CreateTray();
  TTBCustomItem* AddMenuItem(TTBCustomItem* Parent, const std::string& Name, const std::string& Caption,
                             TNotifyEvent OnClick, bool Checked = false);
  TTBWDockablePanel* AddPanel(TXTBMultiDock* Dock, const std::string& Name, const std::string& Caption);
  void CreateDisplayPanel();
  TXTBSubmenuItem* AddPanelMenu(TWinControl* Parent, const std::string& Label, const std::string& Name,
                                const std::string& Caption, int Top);

  // --- life (MainForm.cpp) ---
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void MakeBindings();
  // The style menu: the switcher's themes; a click makes its theme current.
  void BuildStyleMenu();
  void StyleClick(TObject* Sender);

  // --- commands (MainFormCommands.cpp) ---
  void mnuConnectAllClick(TObject* Sender);
  void mnuDisconnectAllClick(TObject* Sender);
  void MnuExitClick(TObject* Sender);
  void mnuNetWorksClick(TObject* Sender);
  void mnuConsoleClick(TObject* Sender);
  void mnuPlugInsClick(TObject* Sender);
  void chkDirectClick(TObject* Sender);
  void mnuAboutClick(TObject* Sender);
  void mnuGestMsgClick(TObject* Sender);
  void mnuRefreshClick(TObject* Sender);
  void mnuTrayIconClick(TObject* Sender);
  void tbNetWorksClose(TObject* Sender);
  void TBWDockablePanel2Close(TObject* Sender);
  void DockOptionsClose(TObject* Sender);
  void TBWItem2Click(TObject* Sender);
  void lstMsgProcMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void WMCopyData(TMessage& Message);
  // A View item's check mark toggled, and the control it governs shown to match.
  void ToggleView(const std::string& Item, TControl* Control);

  TMainWindowBindings FBindings;
  std::unique_ptr<THostCore> FCore;
  std::shared_ptr<IContactTree> FTreeBinding;
  std::shared_ptr<TNetworkMenus> FMenusBinding;
  std::shared_ptr<void> FPacksBinding;
  std::vector<TTBCustomItem*> FMenuItems;

  TTBWSwitcher* FTBWSwitcher1 = nullptr;
  TTBImageList* FimgStatus = nullptr;
  TTBImageList* FimgTray = nullptr;
  TTBImageList* FTBImageList1 = nullptr;
  std::array<TXTBDock*, 4> FDocks{};
  std::array<TXTBMultiDock*, 4> FMultiDocks{};
  TXTBToolbar* FMenuBar = nullptr;
  TXTBToolbar* FTbNetWorks = nullptr;
  TTBWDockablePanel* FTBWDockablePanel2 = nullptr;
  TTBWDockablePanel* FDockOptions = nullptr;
  TTBWDockablePanel* FTBWDockablePanel3 = nullptr;
  TListBox* FListBox1 = nullptr;
  TUtxCheckListBox* FlstMsgProc = nullptr;
  TTBWAlignmentPanel* FDisplayLayout = nullptr;
  TXTBSubmenuItem* FmnuStyle = nullptr;
  TXTBSubmenuItem* FmnuPacks = nullptr;
  TLazyStringTree* FlstPlugContact = nullptr;
  TTBWPopupMenu* FmnuPopup = nullptr;
  TUtTrayIcon* FUtTrayIcon1 = nullptr;
  TTBWPopupMenu* FTBWPopupMenu1 = nullptr;
};
