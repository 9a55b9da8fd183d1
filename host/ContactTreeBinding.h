// The contact list: a lazy string tree that stores nothing itself and asks
// the network plug-ins and the pending-message list for everything it shows.
// Level 0 holds the networks, level 1 their groups, level 2 the groups'
// contacts; a node's sibling index is its index in the plug-in's numbering,
// so a contact node's path is its UserID.
#pragma once

#include <string>

#include "api/ContractTypes.h"
#include "api/Forward.h"
#include "controls/vtree/LazyStringTree.h"
#include "host/HostParts.h"
#include "platform/classes/controls/ControlTypes.h"

class TCustomImageList;
class THostCore;
class TNetworkMenus;

// Text colour (0xBBGGRR) for a presence status; false for a status that has none.
bool StatusTextColor(int Status, TColor& Color);

// Images of the status list: 0-5 the statuses, then these.
inline constexpr int InfosImage = 6;
inline constexpr int ConfigureImage = 7;
inline constexpr int WaitingImage = 8;
inline constexpr int GroupImage = 9;

class TContactTreeBinding final : public IContactTree {
public:
  // Binds the tree's events and gives it the contact list's settings, with
  // StatusImages as its state images. Menus prepares the popup of a node
  // (may be null: no popup).
  TContactTreeBinding(TLazyStringTree* Tree, TCustomImageList* StatusImages, TNetworkMenus* Menus);
  ~TContactTreeBinding();
  TContactTreeBinding(const TContactTreeBinding&) = delete;
  TContactTreeBinding& operator=(const TContactTreeBinding&) = delete;

  // The networks and pending messages the tree shows; null shows nothing.
  void Attach(THostCore* Core) { FCore = Core; }
  TLazyStringTree* Tree() const { return FTree; }

  // IContactTree
  void SetRootCount(int Count) override;
  void SetChildCount(int Network, int Count) override;
  // The refresh runs once at the next turn of the message loop, before the
  // tree is painted: a burst of messages asks for it once per message, and
  // the tree shows the plug-ins' state as it is by then either way.
  void ReinitNodes() override;
  // Whether a refresh waits for the next turn of the loop.
  bool RefreshPending() const { return FRefreshPending; }
  // Runs the waiting refresh now, if any.
  void FlushRefresh();

  // The n-th top-level node, or null.
  PLazyNode NodeByIndex(int N) const;
  // "network;group;contact" of a contact node.
  static UserID Node2UserID(PLazyNode Node);

private:
  int Level(PLazyNode Node) const { return int(FTree->NodeLevel(Node)); }
  // The plug-in of a node's network, or null.
  INetwork* NetworkOf(PLazyNode Node) const;

  void InitNode(TBaseLazyTree* Sender, PLazyNode ParentNode, PLazyNode Node, TLazyNodeInitStates& InitialStates);
  void GetText(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, TLSTTextType TextType,
               WideString& CellText);
  void PaintText(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, TColumnIndex Column,
                 TLSTTextType TextType);
  void GetImageIndex(TBaseLazyTree* Sender, PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, bool& Ghosted,
                     int& ImageIndex);
  void DblClick(TObject* Sender);
  void MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void RefreshWindowProc(TMessage& Message);
  void ReinitNow();

  TLazyStringTree* FTree;
  TNetworkMenus* FMenus;
  THostCore* FCore = nullptr;
  // The node of the last press (compared, never read: it may be gone).
  PLazyNode FPressedNode = nullptr;
  // The hidden window that hears the deferred refresh (made on first use).
  HWND FRefreshWindow = nullptr;
  bool FRefreshPending = false;
  // A plug-in asked during the refresh (from InitNode) would otherwise make
  // it run again at every turn of the loop.
  bool FRefreshing = false;
};
