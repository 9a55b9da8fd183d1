// The main window's controls that the host binds, on a headless form, without
// the main window: the contact tree, the network toolbar, the contact popup
// and the status image list, bound to a THostCore whose other parts are the
// recorder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HostHarness.h"
#include "controls/themes/TBWPopups.h"
#include "controls/themes/TBWToolbars.h"
#include "controls/vtree/LazyStringTree.h"
#include "host/ContactTreeBinding.h"
#include "host/NetworkMenus.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"

// Ten 16x16 status images, image i a square of Colors[i] on a transparent ground.
std::unique_ptr<TCustomImageList> NewStatusList(const std::vector<COLORREF>& Colors);
extern const std::vector<COLORREF> ClassicColors;

class TInfoRecorder final : public IInfoDialog {
public:
  void ShowInformation(const std::string& Text) override { Texts.push_back(Text); }
  std::vector<std::string> Texts;
};

class THostControls : public THostHarness {
public:
  THostControls();
  ~THostControls() override;

  // The core with the bound controls in place of the recorder's tree and menus.
  THostCore& Bound();
  THostCore& BoundStarted()
  {
    Bound().Start();
    return *Core;
  }

  // Top-level node Path "n", or a node below it "n.g" / "n.g.c" (initialised on the way).
  PLazyNode Node(const std::string& Path);
  std::string TextOf(PLazyNode Node) { return UTF8Encode(Tree->Text(Node, NoColumn)); }
  int ImageOf(PLazyNode Node)
  {
    bool ghosted = false;
    return Tree->DoGetImageIndex(Node, ikState, NoColumn, ghosted);
  }
  void ExpandAll();
  // Client point of a node's state image and of its text.
  TPoint ImagePoint(PLazyNode Node);
  TPoint TextPoint(PLazyNode Node);
  void Pump() { Application()->ProcessMessages(); }
  void ClickAt(TPoint Client, int Button = 0);
  void DoubleClickAt(TPoint Client);
  // A press of the right button on the tree, released once the popup state
  // was read (Check), without running the popup's menu loop.
  template <class F>
  void RightPressAt(TPoint Client, F&& Check)
  {
    TPoint s = Tree->ClientToScreen(Client);
    Display->MoveMouse(s.x, s.y);
    Display->Press(1);
    Pump();
    Check();
    Tree->SetPopupMenu(nullptr);
    Display->Release(1);
    Pump();
  }
  // The tree painted now, as a person would see it.
  TPixelImage TreePicture();

  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  TLazyStringTree* Tree = nullptr;
  TTBWToolbar* Toolbar = nullptr;
  TTBWPopupMenu* Popup = nullptr;
  std::unique_ptr<TCustomImageList> Status;
  std::unique_ptr<TNetworkMenus> Menus;
  std::unique_ptr<TContactTreeBinding> Binding;
  TInfoRecorder Info;
};

// A test network with two groups: "Amis" (Alice online, Bruno away, Chloé
// offline) and "Travail" (Denis busy).
TTestNetworkModel TwoGroups(const std::string& Name = "Réseau Test", PresenceStatus Status = psOnline);
