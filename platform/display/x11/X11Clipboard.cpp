#include "platform/display/x11/X11Clipboard.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/display/x11/X11Formats.h"

namespace x11 {

namespace {

// Runs body with the layer's clipboard open, from the reader thread while
// the process owns the clipboard; false when it stays busy.
bool WithLayerClipboard(const std::function<void()>& body)
{
  bool open = false;
  for (int attempt = 0; attempt < 50 && !open; ++attempt) {
    open = OpenClipboard(nullptr);
    if (!open)
      std::this_thread::sleep_for(std::chrono::milliseconds(4));
  }
  if (!open)
    return false;
  body();
  CloseClipboard();
  return true;
}

// The names of the formats on the layer's clipboard (open).
std::vector<std::string> LayerFormatNames()
{
  std::vector<std::string> names;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
    if (std::string name = ClipboardFormatBridgeName(f); !name.empty())
      names.push_back(name);
  return names;
}

// The layer's bytes of a format (clipboard open); false when it has none.
bool LayerBytes(const std::string& name, std::vector<BYTE>& bytes)
{
  HANDLE h = GetClipboardData(ClipboardFormatFromBridgeName(name));
  if (!h)
    return false;
  const BYTE* p = static_cast<const BYTE*>(GlobalLock(h));
  if (!p)
    return false;
  bytes.assign(p, p + GlobalSize(h));
  GlobalUnlock(h);
  return true;
}

// The format of the layer's that goes out as the target: wide text first.
std::string LayerFormatFor(const std::vector<std::string>& formats, const std::string& target)
{
  std::vector<std::string> ordered = formats;
  std::stable_partition(ordered.begin(), ordered.end(), [](const std::string& f) { return f == "CF_UNICODETEXT"; });
  for (const std::string& f : ordered) {
    std::vector<std::string> targets = XTargetsOf(f);
    if (std::find(targets.begin(), targets.end(), target) != targets.end())
      return f;
  }
  return std::string();
}

}  // namespace

void TX11Clipboard::Own(bool owned)
{
  TLocked lock(FCore);
  if (owned) {
    XSetSelectionOwner(FCore.Dpy, FCore.A.Clipboard, FCore.Leader, FCore.LastTime);
    FOwned = XGetSelectionOwner(FCore.Dpy, FCore.A.Clipboard) == FCore.Leader;
    FOwnTime = FCore.LastTime;
  } else if (FOwned) {
    XSetSelectionOwner(FCore.Dpy, FCore.A.Clipboard, 0, FCore.LastTime);
    FOwned = false;
  }
}

std::vector<std::string> TX11Clipboard::ForeignFormats()
{
  Time time;
  {
    TLocked lock(FCore);
    if (FOwned || XGetSelectionOwner(FCore.Dpy, FCore.A.Clipboard) == 0)
      return {};
    time = FCore.LastTime;
  }
  std::vector<std::string> targets = FTransfer.TargetNames(FCore.A.Clipboard, time);
  if (targets.empty())
    return {"CF_TEXT", "CF_UNICODETEXT"};  // an owner that lists nothing may still give text
  std::vector<std::string> formats;
  for (const std::string& target : targets)
    for (const std::string& f : LayerFormatsOf(target))
      if (std::find(formats.begin(), formats.end(), f) == formats.end())
        formats.push_back(f);
  return formats;
}

bool TX11Clipboard::Fetch(const std::string& name, std::vector<BYTE>& out)
{
  for (const std::string& source : XSourcesOf(name)) {
    Atom target;
    Time time;
    {
      TLocked lock(FCore);
      target = FCore.Intern(source.c_str());
      time = FCore.LastTime;
    }
    std::vector<unsigned char> data;
    Atom type;
    int format;
    if (FTransfer.Convert(FCore.A.Clipboard, target, time, data, type, format) && format == 8 &&
        XToLayer(source, name, data, out))
      return true;
  }
  return false;
}

void TX11Clipboard::OnSelectionRequest(const XSelectionRequestEvent& ev, TActions& actions)
{
  Atom property = ev.property ? ev.property : ev.target;  // as old clients ask
  const TAtoms& a = FCore.A;
  if (!FOwned || ev.selection != a.Clipboard || ev.owner != FCore.Leader) {
    FTransfer.Refuse(ev);
    return;
  }
  if (ev.target == a.Timestamp) {
    FTransfer.SendAtoms(ev, property, XA_INTEGER, {long(FOwnTime)});
    return;
  }
  // The data live in the layer's clipboard: read them without holding the lock.
  std::string target = ev.target == a.Targets ? std::string() : FCore.AtomName(ev.target);
  XSelectionRequestEvent request = ev;
  actions.push_back([this, request, property, target] {
    std::vector<std::string> formats;
    std::string format, data;
    std::vector<BYTE> bytes;
    bool found = WithLayerClipboard([&] {
      formats = LayerFormatNames();
      format = target.empty() ? std::string() : LayerFormatFor(formats, target);
      if (!format.empty())
        LayerBytes(format, bytes);
    });
    TLocked lock(FCore);
    if (!found || !FOwned) {
      FTransfer.Refuse(request);
    } else if (target.empty()) {
      std::vector<long> targets = {long(FCore.A.Targets), long(FCore.A.Timestamp)};
      for (const std::string& f : formats)
        for (const std::string& t : XTargetsOf(f))
          if (long atom = long(FCore.Intern(t.c_str())); std::find(targets.begin(), targets.end(), atom) == targets.end())
            targets.push_back(atom);
      FTransfer.SendAtoms(request, property, XA_ATOM, targets);
    } else if (!format.empty() && LayerToX(format, target, bytes, data)) {
      Atom type = request.target == FCore.A.Text ? FCore.A.Utf8String : request.target;
      FTransfer.Send(request, property, type, std::move(data));
    } else {
      FTransfer.Refuse(request);
    }
  });
}

void TX11Clipboard::OnSelectionClear(const XSelectionClearEvent& ev, TActions& actions)
{
  if (ev.selection != FCore.A.Clipboard || !FOwned)
    return;
  FOwned = false;
  actions.push_back([] { InputClipboardTaken(); });
}

void TX11Clipboard::OnOwnerChanged(TActions& actions)
{
  Window owner = XGetSelectionOwner(FCore.Dpy, FCore.A.Clipboard);
  if (owner == FCore.Leader)
    return;
  FOwned = false;
  // Contents the layer fetched before are stale now.
  actions.push_back([] { InputClipboardTaken(); });
}

}  // namespace x11
