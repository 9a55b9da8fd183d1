#include "platform/display/x11/X11DropTarget.h"

#include "platform/display/x11/X11Xdnd.h"

namespace x11 {

namespace {

// Other programs do not tell which keys are down: the button that drags is.
constexpr DWORD DragKeys = MK_LBUTTON;

}  // namespace

void TX11DropTarget::MakeAware(Window w) { FCore.SetLongs(w, FCore.A.XdndAware, XA_ATOM, {XdndVersion}); }

void TX11DropTarget::Enter(const XClientMessageEvent& ev, TActions& actions)
{
  const TAtoms& a = FCore.A;
  if (FSession && FSession->Drag) {
    // A source that never said goodbye: the targets hear the old drag left.
    std::shared_ptr<TForeignDrag> old = FSession->Drag;
    actions.push_back([old] { old->Leave(); });
  }
  FSession.reset();
  long version = (ev.data.l[1] >> 24) & 0xFF;
  if (version < 3)
    return;
  auto session = std::make_shared<TSession>();
  session->Source = Window(ev.data.l[0]);
  session->Target = ev.window;
  std::vector<long> types;
  if (ev.data.l[1] & 1)
    FCore.GetLongs(session->Source, a.XdndTypeList, XA_ATOM, types);
  else
    types = {ev.data.l[2], ev.data.l[3], ev.data.l[4]};
  if (types.size() > 256)
    types.resize(256);
  for (long t : types)
    if (t)
      if (std::string name = FCore.AtomName(Atom(t)); !name.empty())
        session->Types.push_back(name);
  auto* data = new TX11DragData(FCore, FTransfer, session->Types);
  session->Data = data;
  session->Drag = std::make_shared<TForeignDrag>(data);
  FSession = session;
}

bool TX11DropTarget::OnClientMessage(const XClientMessageEvent& ev, TActions& actions)
{
  const TAtoms& a = FCore.A;
  Atom type = ev.message_type;
  if (type == a.XdndEnter) {
    Enter(ev, actions);
    return true;
  }
  if (type != a.XdndPosition && type != a.XdndLeave && type != a.XdndDrop)
    return false;
  std::shared_ptr<TSession> session = FSession;
  if (!session || Window(ev.data.l[0]) != session->Source)
    return true;  // not the drag we know
  std::shared_ptr<TForeignDrag> drag = session->Drag;
  std::weak_ptr<TSession> asked = session;
  if (type == a.XdndPosition) {
    session->Point = POINTL{int((ev.data.l[2] >> 16) & 0xFFFF), int(ev.data.l[2] & 0xFFFF)};
    session->Allowed = EffectOfAction(a, Atom(ev.data.l[4]) ? Atom(ev.data.l[4]) : a.XdndActionCopy);
    session->Data->SetTime(Time(ev.data.l[3]));
    POINTL point = session->Point;
    DWORD allowed = session->Allowed;
    actions.push_back([this, drag, asked, point, allowed] {
      drag->Over(point, allowed, DragKeys, [this, asked](DWORD effect) { Answer(asked, FCore.A.XdndStatus, effect); });
    });
  } else if (type == a.XdndLeave) {
    FSession.reset();
    actions.push_back([drag] { drag->Leave(); });
  } else {
    if (ev.data.l[2])
      session->Data->SetTime(Time(ev.data.l[2]));
    POINTL point = session->Point;
    DWORD allowed = session->Allowed;
    actions.push_back([this, drag, asked, point, allowed] {
      drag->Drop(point, allowed, DragKeys, [this, asked](DWORD effect) { Answer(asked, FCore.A.XdndFinished, effect); });
    });
  }
  return true;
}

void TX11DropTarget::Answer(std::weak_ptr<TSession> asked, Atom type, DWORD effect)
{
  TLocked lock(FCore);
  std::shared_ptr<TSession> session = asked.lock();
  if (!session || session != FSession)
    return;
  Atom action = ActionOfEffect(FCore.A, effect);
  if (type == FCore.A.XdndStatus) {
    // Accepted or not, with every position asked for (no rectangle to skip).
    SendXdnd(FCore, session->Source, type, long(session->Target), (effect ? 1 : 0) | 2, 0, 0, long(action));
    return;
  }
  SendXdnd(FCore, session->Source, type, long(session->Target), effect ? 1 : 0, long(action));
  FSession.reset();
}

}  // namespace x11
