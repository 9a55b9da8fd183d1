#include "platform/display/x11/X11DragSource.h"

#include <algorithm>
#include <chrono>

#include "platform/display/x11/X11Formats.h"
#include "platform/display/x11/X11Xdnd.h"

namespace x11 {

namespace {

constexpr DWORD OfferedMedia = TYMED_HGLOBAL | TYMED_ISTREAM;

// The bytes of a medium in global memory or a stream (read from its start).
bool MediumBytes(const STGMEDIUM& medium, std::vector<BYTE>& bytes)
{
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(medium.hGlobal));
    if (!p)
      return false;
    bytes.assign(p, p + GlobalSize(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    return true;
  }
  if (medium.tymed != TYMED_ISTREAM || !medium.pstm || FAILED(medium.pstm->Seek(0, STREAM_SEEK_SET, nullptr)))
    return false;
  bytes.clear();
  BYTE buffer[65536];
  for (;;) {
    ULONG read = 0;
    HRESULT hr = medium.pstm->Read(buffer, sizeof buffer, &read);
    if (FAILED(hr))
      return false;
    bytes.insert(bytes.end(), buffer, buffer + read);
    if (read == 0 || bytes.size() > TX11Transfer::MaxForeignSize)
      return read == 0;
  }
}

// The data object's formats that other programs can read, as X targets with
// their bytes, in the order offered (wide text before 8-bit text).
std::vector<std::pair<std::string, std::string>> Render(IDataObject* data)
{
  std::vector<std::pair<std::string, std::string>> offered;
  IEnumFORMATETC* raw = nullptr;
  if (FAILED(data->EnumFormatEtc(DATADIR_GET, &raw)) || !raw)
    return offered;
  InterfacePtr<IEnumFORMATETC> formats = InterfacePtr<IEnumFORMATETC>::Adopt(raw);
  std::vector<FORMATETC> listed;
  FORMATETC f;
  ULONG fetched = 0;
  while (formats->Next(1, &f, &fetched) == S_OK && fetched == 1)
    if ((f.tymed & OfferedMedia) && f.dwAspect == DVASPECT_CONTENT)
      listed.push_back(f);
  std::stable_partition(listed.begin(), listed.end(), [](const FORMATETC& e) { return e.cfFormat == CF_UNICODETEXT; });
  for (FORMATETC& format : listed) {
    std::string name = ClipboardFormatBridgeName(format.cfFormat);
    std::vector<std::string> targets = XTargetsOf(name);
    bool taken = std::any_of(targets.begin(), targets.end(), [&](const std::string& t) {
      return std::any_of(offered.begin(), offered.end(), [&](const auto& o) { return o.first == t; });
    });
    if (targets.empty() || taken)
      continue;
    std::vector<BYTE> bytes;
    bool got = false;
    for (DWORD tymed : {TYMED_HGLOBAL, TYMED_ISTREAM}) {
      if (got || !(format.tymed & tymed))
        continue;
      FORMATETC ask = format;
      ask.tymed = tymed;
      STGMEDIUM medium;
      if (FAILED(data->GetData(&ask, &medium)))
        continue;
      got = MediumBytes(medium, bytes);
      ReleaseStgMedium(&medium);
    }
    std::string converted;
    for (const std::string& target : targets)
      if (got && LayerToX(name, target, bytes, converted))
        offered.emplace_back(target, converted);
  }
  return offered;
}

}  // namespace

// The target the drag loop talks to while the pointer is over one window of
// another program.
class TX11DragSource::TForeignTarget : public TInterfacedObject<IDropTarget> {
public:
  TForeignTarget(TX11DragSource& owner, Window target, Window mailbox, long version)
      : FOwner(owner), FTarget(target), FMailbox(mailbox), FVersion(version)
  {
  }
  Window Target() const { return FTarget; }

  HRESULT DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override
  {
    if (!data || !effect)
      return E_INVALIDARG;
    auto offered = Render(data);
    {
      TLocked lock(FOwner.FCore);
      TCore& core = FOwner.FCore;
      FOwner.FOffered.clear();
      for (auto& [target, bytes] : offered)
        FOwner.FOffered.emplace_back(target, bytes);
      FOwner.FPeer = TPeer();
      FOwner.FPeer.Target = FTarget;
      FOwner.FPeer.Mailbox = FMailbox;
      FOwner.FPeer.Version = FVersion;
      XSetSelectionOwner(core.Dpy, core.A.XdndSelection, core.Leader, core.LastTime);
      std::vector<long> types;
      for (auto& [target, bytes] : offered)
        types.push_back(long(core.Intern(target.c_str())));
      if (types.size() > 3)
        core.SetLongs(core.Leader, core.A.XdndTypeList, XA_ATOM, types);
      types.resize(std::max<std::size_t>(types.size(), 3), 0);
      SendXdnd(core, FMailbox, core.A.XdndEnter, long(core.Leader), (FVersion << 24) | (types.size() > 3 ? 1 : 0),
               types[0], types[1], types[2]);
    }
    return Over(keys, point, effect);
  }

  HRESULT DragOver(DWORD keys, POINTL point, DWORD* effect) override
  {
    if (!effect)
      return E_INVALIDARG;
    return Over(keys, point, effect);
  }

  HRESULT DragLeave() override
  {
    TLocked lock(FOwner.FCore);
    if (FOwner.FPeer.Target == FTarget) {
      SendXdnd(FOwner.FCore, FMailbox, FOwner.FCore.A.XdndLeave, long(FOwner.FCore.Leader));
      FOwner.FPeer = TPeer();
    }
    return S_OK;
  }

  HRESULT Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override
  {
    if (!effect)
      return E_INVALIDARG;
    TCore& core = FOwner.FCore;
    TPeer& peer = FOwner.FPeer;
    std::unique_lock<std::recursive_mutex> lock(core.Lock);
    DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    if (peer.Target != FTarget)
      return S_OK;
    if (!peer.Accepted) {
      SendXdnd(core, FMailbox, core.A.XdndLeave, long(core.Leader));
      peer = TPeer();
      XFlush(core.Dpy);
      return S_OK;
    }
    peer.Finished = false;
    SendXdnd(core, FMailbox, core.A.XdndDrop, long(core.Leader), 0, long(core.LastTime));
    XFlush(core.Dpy);
    // The other program asks for the data (the reader answers) and says when it is done.
    FOwner.FPeerChanged.wait_for(lock, std::chrono::milliseconds(FinishMs),
                                 [&] { return peer.Finished || peer.Target != FTarget; });
    if (peer.Finished && peer.Target == FTarget) {
      if (FVersion < 5)
        *effect = EffectOfAction(core.A, peer.Action) & allowed;
      else if (peer.FinishedAccepted)
        *effect = EffectOfAction(core.A, peer.FinishedAction ? peer.FinishedAction : peer.Action) & allowed;
    }
    peer = TPeer();
    return S_OK;
  }

private:
  HRESULT Over(DWORD keys, POINTL point, DWORD* effect)
  {
    TCore& core = FOwner.FCore;
    TPeer& peer = FOwner.FPeer;
    DWORD allowed = *effect;
    DWORD wanted = ChooseDropEffect(allowed, allowed, keys) & ~DROPEFFECT_SCROLL;
    *effect = DROPEFFECT_NONE;
    std::unique_lock<std::recursive_mutex> lock(core.Lock);
    if (peer.Target != FTarget)
      return S_OK;
    Atom action = ActionOfEffect(core.A, wanted);
    TPoint p(point.x, point.y);
    if (peer.StatusPending) {
      // One position at a time: the latest goes when the status comes.
      peer.PositionWanted = true;
      peer.WantedPoint = p;
      peer.WantedAction = action;
    } else {
      FOwner.SendPosition(p, action);
    }
    XFlush(core.Dpy);
    FOwner.FPeerChanged.wait_for(lock, std::chrono::milliseconds(StatusMs),
                                 [&] { return !peer.StatusPending || peer.Target != FTarget; });
    if (peer.Target == FTarget && peer.StatusSeen && peer.Accepted) {
      DWORD answered = peer.Action ? EffectOfAction(core.A, peer.Action) : wanted;
      *effect = ChooseDropEffect(answered, allowed, keys) & ~DROPEFFECT_SCROLL;
    }
    return S_OK;
  }

  TX11DragSource& FOwner;
  const Window FTarget;
  const Window FMailbox;
  const long FVersion;
};

TX11DragSource::TX11DragSource(TCore& core, TX11Transfer& transfer, std::function<bool(Window)> ours)
    : FCore(core), FTransfer(transfer), FOurs(std::move(ours))
{
}

TX11DragSource::~TX11DragSource()
{
  if (FCurrent)
    FCurrent->Release();
}

Window TX11DragSource::FindAware(TPoint p, long& version, Window& mailbox)
{
  TErrorTrap trap(FCore.Dpy);
  Window w = FCore.Root;
  // Down from the root through the windows that hold the point (a window
  // manager's frame first, then the program's window, ...).
  for (int depth = 0; depth < 32; ++depth) {
    Window child = 0;
    int x, y;
    if (!XTranslateCoordinates(FCore.Dpy, FCore.Root, w, p.x, p.y, &x, &y, &child) || !child)
      return 0;
    w = child;
    if (FOurs(w))
      return 0;
    std::vector<long> proxy, proxyOfProxy, aware;
    mailbox = w;
    // A proxy counts only when it names itself too (else it is a leftover).
    if (FCore.GetLongs(w, FCore.A.XdndProxy, XA_WINDOW, proxy) && !proxy.empty() &&
        FCore.GetLongs(Window(proxy[0]), FCore.A.XdndProxy, XA_WINDOW, proxyOfProxy) && !proxyOfProxy.empty() &&
        proxyOfProxy[0] == proxy[0])
      mailbox = Window(proxy[0]);
    if (FCore.GetLongs(mailbox, FCore.A.XdndAware, XA_ATOM, aware) && !aware.empty()) {
      version = std::min<long>(aware[0], XdndVersion);
      return version >= 3 ? w : 0;
    }
  }
  return 0;
}

IDropTarget* TX11DragSource::ForeignDropTargetAt(POINTL screenPoint)
{
  TLocked lock(FCore);
  long version = 0;
  Window mailbox = 0;
  Window w = FindAware(TPoint(screenPoint.x, screenPoint.y), version, mailbox);
  if (!w)
    return nullptr;
  if (!FCurrent || FCurrent->Target() != w) {
    if (FCurrent)
      FCurrent->Release();
    FCurrent = new TForeignTarget(*this, w, mailbox, version);
    FCurrent->AddRef();
  }
  FCurrent->AddRef();
  return FCurrent;
}

void TX11DragSource::SendPosition(TPoint p, Atom action)
{
  SendXdnd(FCore, FPeer.Mailbox, FCore.A.XdndPosition, long(FCore.Leader), 0, (long(p.x) << 16) | (p.y & 0xFFFF),
           long(FCore.LastTime), long(action));
  FPeer.StatusPending = true;
}

bool TX11DragSource::OnClientMessage(const XClientMessageEvent& ev)
{
  const TAtoms& a = FCore.A;
  if (ev.message_type != a.XdndStatus && ev.message_type != a.XdndFinished)
    return false;
  if (Window(ev.data.l[0]) != FPeer.Target || !FPeer.Target)
    return true;
  if (ev.message_type == a.XdndStatus) {
    FPeer.StatusPending = false;
    FPeer.StatusSeen = true;
    FPeer.Accepted = ev.data.l[1] & 1;
    FPeer.Action = FPeer.Version >= 2 ? Atom(ev.data.l[4]) : a.XdndActionCopy;
    if (FPeer.PositionWanted) {
      FPeer.PositionWanted = false;
      SendPosition(FPeer.WantedPoint, FPeer.WantedAction);
    }
  } else {
    FPeer.Finished = true;
    FPeer.FinishedAccepted = ev.data.l[1] & 1;
    FPeer.FinishedAction = Atom(ev.data.l[2]);
  }
  FPeerChanged.notify_all();
  return true;
}

void TX11DragSource::OnSelectionRequest(const XSelectionRequestEvent& ev)
{
  Atom property = ev.property ? ev.property : ev.target;
  if (ev.owner != FCore.Leader || FOffered.empty()) {
    FTransfer.Refuse(ev);
    return;
  }
  if (ev.target == FCore.A.Targets) {
    std::vector<long> targets = {long(FCore.A.Targets)};
    for (auto& [target, bytes] : FOffered)
      targets.push_back(long(FCore.Intern(target.c_str())));
    FTransfer.SendAtoms(ev, property, XA_ATOM, targets);
    return;
  }
  std::string name = FCore.AtomName(ev.target);
  for (auto& [target, bytes] : FOffered)
    if (target == name) {
      FTransfer.Send(ev, property, ev.target == FCore.A.Text ? FCore.A.Utf8String : ev.target, bytes);
      return;
    }
  FTransfer.Refuse(ev);
}

}  // namespace x11
