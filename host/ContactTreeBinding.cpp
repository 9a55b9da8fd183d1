#include "host/ContactTreeBinding.h"

#include "api/Protocols.h"
#include "controls/toolbar/TBPopupMenu.h"
#include "host/HostCore.h"
#include "host/HostLog.h"
#include "host/NetworkMenus.h"
#include "platform/classes/forms/AllocateHWnd.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"

namespace {

constexpr UINT WM_REFRESHCONTACTTREE = WM_USER + 0x3C2;

// Asks a plug-in something for the tree: a plug-in that fails costs a log
// line and leaves the tree's default answer.
template <class F>
void Ask(const char* Place, F&& Body)
{
  std::string failure;
  if (!RunGuarded(Body, failure))
    HostLog(1, std::string(Place) + " : " + failure);
}

std::int32_t IndexOf(PLazyNode Node)
{
  return std::int32_t(Node->SiblingIndex);
}

void ApplyContactListSettings(TLazyStringTree* Tree, TCustomImageList* StatusImages)
{
  Tree->SetStateImages(StatusImages);
  Tree->SetDrawSelectionMode(smBlendedRectangle);
  Tree->SetSelectionBlendFactor(200);
  Tree->SetSelectionCurveRadius(20);
  Tree->Colors()->SetColor(SelectionRectangleBlendColor, clSkyBlue);
  Tree->Colors()->SetColor(SelectionRectangleBorderColor, clCream);
  Tree->SetButtonFillMode(fmTransparent);
  TCustomLazyTreeOptions* options = Tree->TreeOptions();
  options->SetAnimationOptions({toAnimatedToggle});
  options->SetAutoOptions(
      {toAutoDropExpand, toAutoExpand, toAutoScroll, toAutoTristateTracking, toAutoDeleteMovedNodes});
  options->SetMiscOptions({toAcceptOLEDrop, toCheckSupport, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick,
                           toWheelPanning});
  options->SetPaintOptions({toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware,
                            toUseBlendedImages, toGhostedIfUnfocused, toUseBlendedSelection});
}

}  // namespace

bool StatusTextColor(int Status, TColor& Color)
{
  static const TColor colors[] = {0x0000FF, 0x008000, 0x002400, 0x000000, 0x800080, 0x808000};
  if (Status < 0 || Status >= int(std::size(colors)))
    return false;
  Color = colors[Status];
  return true;
}

TContactTreeBinding::TContactTreeBinding(TLazyStringTree* Tree, TCustomImageList* StatusImages, TNetworkMenus* Menus)
    : FTree(Tree), FMenus(Menus)
{
  ApplyContactListSettings(FTree, StatusImages);
  FTree->OnInitNode = TLTInitNodeEvent(this, &TContactTreeBinding::InitNode);
  FTree->OnGetText = TLSTGetTextEvent(this, &TContactTreeBinding::GetText);
  FTree->OnPaintText = TLTPaintText(this, &TContactTreeBinding::PaintText);
  FTree->OnGetImageIndex = TLTGetImageEvent(this, &TContactTreeBinding::GetImageIndex);
  FTree->OnDblClick = TNotifyEvent(this, &TContactTreeBinding::DblClick);
  FTree->OnMouseDown = TMouseEvent(this, &TContactTreeBinding::MouseDown);
}

TContactTreeBinding::~TContactTreeBinding()
{
  // A refresh still waiting is dropped with its window: the tree may be
  // going too.
  if (FRefreshWindow)
    DeallocateHWnd(FRefreshWindow);
  FTree->OnInitNode = {};
  FTree->OnGetText = {};
  FTree->OnPaintText = {};
  FTree->OnGetImageIndex = {};
  FTree->OnDblClick = {};
  FTree->OnMouseDown = {};
}

void TContactTreeBinding::SetRootCount(int Count)
{
  // A refresh asked before keeps its place before this change.
  FlushRefresh();
  FTree->SetRootNodeCount(Cardinal(Count < 0 ? 0 : Count));
}

void TContactTreeBinding::SetChildCount(int Network, int Count)
{
  FlushRefresh();
  if (PLazyNode node = NodeByIndex(Network))
    FTree->SetNodeChildCount(node, Cardinal(Count < 0 ? 0 : Count));
}

void TContactTreeBinding::ReinitNodes()
{
  if (FRefreshing || FRefreshPending)
    return;
  if (!FRefreshWindow)
    FRefreshWindow = AllocateHWnd(TWndMethod(this, &TContactTreeBinding::RefreshWindowProc));
  // Posted messages come before input and painting: the refresh is done
  // before anything reads the tree at the next turn.
  if (FRefreshWindow && PostMessage(FRefreshWindow, WM_REFRESHCONTACTTREE, 0, 0)) {
    FRefreshPending = true;
    return;
  }
  ReinitNow();
}

void TContactTreeBinding::FlushRefresh()
{
  if (FRefreshPending)
    ReinitNow();
}

void TContactTreeBinding::ReinitNow()
{
  FRefreshPending = false;
  FRefreshing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FRefreshing};
  FTree->ReinitializeNode(FTree->HiddenRoot(), true);
  FTree->Invalidate();
}

void TContactTreeBinding::RefreshWindowProc(TMessage& Message)
{
  if (Message.Msg != WM_REFRESHCONTACTTREE) {
    Message.Result = DefWindowProc(FRefreshWindow, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // The tree's own handlers catch plug-in failures; anything else must not
  // leave the loop.
  std::string failure;
  if (FRefreshPending && !RunGuarded([&] { ReinitNow(); }, failure))
    HostLog(1, "RefreshStatus : " + failure);
}

PLazyNode TContactTreeBinding::NodeByIndex(int N) const
{
  if (N < 0)
    return nullptr;
  PLazyNode node = FTree->FirstTopLevelNode();
  for (int i = 0; node && i < N; ++i)
    node = FTree->NextSiblingNode(node);
  return node;
}

UserID TContactTreeBinding::Node2UserID(PLazyNode Node)
{
  PLazyNode group = Node->ParentNode;
  PLazyNode network = group->ParentNode;
  return UserID(std::to_string(network->SiblingIndex) + ";" + std::to_string(group->SiblingIndex) + ";" +
                std::to_string(Node->SiblingIndex));
}

INetwork* TContactTreeBinding::NetworkOf(PLazyNode Node) const
{
  if (!FCore)
    return nullptr;
  while (Node->ParentNode && Node->ParentNode != FTree->HiddenRoot())
    Node = Node->ParentNode;
  return FCore->Network(IndexOf(Node));
}

void TContactTreeBinding::InitNode(TBaseLazyTree*, PLazyNode, PLazyNode Node, TLazyNodeInitStates&)
{
  // Contacts have no children: the plug-in is not even looked for (a
  // refresh passes here once for every contact of every group).
  PLazyNode root = FTree->HiddenRoot();
  if (Node->ParentNode != root && Node->ParentNode->ParentNode != root)
    return;
  const int level = Node->ParentNode == root ? 0 : 1;
  INetwork* network = NetworkOf(Node);
  if (!network)
    return;
  std::int32_t count = -1;
  switch (level) {
    case 0:
      Ask("InitNode", [&] { count = network->GetGroupCount(); });
      break;
    case 1:
      Ask("InitNode", [&] { count = network->GetContactCount(IndexOf(Node)); });
      break;
    default:
      return;
  }
  if (count >= 0)
    FTree->SetNodeChildCount(Node, Cardinal(count));
}

void TContactTreeBinding::GetText(TBaseLazyTree*, PLazyNode Node, TColumnIndex, TLSTTextType, WideString& CellText)
{
  INetwork* network = NetworkOf(Node);
  if (!network)
    return;
  // The plug-in's answer lives until its next call: it is widened at once.
  Ask("GetText", [&] {
    const char* text = nullptr;
    switch (Level(Node)) {
      case 0:
        text = network->GetName();
        break;
      case 1:
        text = network->GetGroupName(IndexOf(Node));
        break;
      default:
        text = network->GetContactName(IndexOf(Node->ParentNode), IndexOf(Node));
        break;
    }
    CellText = UTF8Decode(text ? text : "");
  });
}

void TContactTreeBinding::PaintText(TBaseLazyTree*, TCanvas* TargetCanvas, PLazyNode Node, TColumnIndex,
                                    TLSTTextType)
{
  INetwork* network = NetworkOf(Node);
  const int level = Level(Node);
  if (!network || level == 1)
    return;
  int status = -1;
  Ask("PaintText", [&] {
    status = level == 0 ? network->GetStatus() : network->GetContactStatus(IndexOf(Node->ParentNode), IndexOf(Node));
  });
  TColor color;
  if (StatusTextColor(status, color))
    TargetCanvas->Font()->SetColor(color);
}

void TContactTreeBinding::GetImageIndex(TBaseLazyTree*, PLazyNode Node, TLTImageKind, TColumnIndex, bool&,
                                        int& ImageIndex)
{
  INetwork* network = NetworkOf(Node);
  if (!network)
    return;
  switch (Level(Node)) {
    case 0:
      Ask("GetImageIndex", [&] { ImageIndex = network->GetStatus(); });
      return;
    case 1:
      ImageIndex = GroupImage;
      return;
    default:
      if (FCore->MessageList().HasMessages(Node2UserID(Node))) {
        ImageIndex = WaitingImage;
        return;
      }
      Ask("GetImageIndex",
          [&] { ImageIndex = network->GetContactStatus(IndexOf(Node->ParentNode), IndexOf(Node)); });
  }
}

void TContactTreeBinding::DblClick(TObject*)
{
  // The node focused by the press (MouseDown), for the replay and for an
  // empty chat alike; a double click beside the nodes opens nothing.
  PLazyNode node = FTree->FocusedNode();
  if (!node || node != FPressedNode || !FCore || Level(node) != 2)
    return;
  const UserID key = Node2UserID(node);
  std::string failure;
  if (!RunGuarded([&] { FCore->OpenContact(key); }, failure)) {
    HostLog(1, "Double click sur la liste");
    HostLog(1, "UserID : " + key.str());
  }
  // The contact's image returns from "waiting" to its status.
  FTree->Invalidate();
}

void TContactTreeBinding::MouseDown(TObject*, TMouseButton, TShiftState, int, int Y)
{
  if (FMenus)
    FMenus->ClearPopup();
  PLazyNode node = FTree->NodeAtPoint(0, Y);
  FPressedNode = node;
  if (!node) {
    FTree->SetPopupMenu(nullptr);
    if (FMenus)
      FMenus->UnlinkPopup();
    return;
  }
  // The tree itself focuses only a press on the text; a press on the status
  // image must focus the node too, or the double click that follows would
  // open the contact focused before.
  FTree->ClearSelection();
  FTree->SetNodeSelected(node, true);
  FTree->SetFocusedNode(node);
  if (!FMenus) {
    FTree->SetPopupMenu(nullptr);
    return;
  }
  TTBPopupMenu* popup = FMenus->Popup();
  FTree->SetPopupMenu(popup);
  const int level = Level(node);
  if (level == 0) {
    FMenus->LinkPopupToNetwork(IndexOf(node));
    return;
  }
  FMenus->UnlinkPopup();
  INetwork* network = NetworkOf(node);
  // The plug-in adds its items now; it may refresh the tree meanwhile, so
  // the node is not used after the call.
  const std::int32_t group = level == 1 ? IndexOf(node) : IndexOf(node->ParentNode);
  const std::int32_t contact = IndexOf(node);
  if (network)
    Ask("MouseDown", [&] {
      if (level == 1)
        network->BuildGroupMenu(group);
      else
        network->BuildContactMenu(group, contact);
    });
  if (!popup || popup->Items()->Count() == 0)
    FTree->SetPopupMenu(nullptr);
}
