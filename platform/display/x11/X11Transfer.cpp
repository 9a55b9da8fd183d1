#include "platform/display/x11/X11Transfer.h"

#include <chrono>

namespace x11 {

namespace {

std::uint64_t NowMs()
{
  using namespace std::chrono;
  return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

bool TX11Transfer::ReadProperty(Window w, Atom property, std::vector<unsigned char>& data, Atom& type, int& format)
{
  unsigned long count = 0, after = 0;
  unsigned char* bytes = nullptr;
  TErrorTrap trap(FCore.Dpy);
  if (XGetWindowProperty(FCore.Dpy, w, property, 0, long(MaxForeignSize / 4), True, AnyPropertyType, &type, &format,
                         &count, &after, &bytes) != Success) {
    return false;
  }
  std::size_t unit = format == 32 ? sizeof(long) : format == 16 ? sizeof(short) : 1;
  data.clear();
  if (bytes) {
    data.assign(bytes, bytes + count * unit);
    XFree(bytes);
  }
  return after == 0;
}

bool TX11Transfer::Convert(Atom selection, Atom target, Time time, std::vector<unsigned char>& data, Atom& type,
                           int& format)
{
  // The reader answers these requests: it must never wait for itself.
  if (std::this_thread::get_id() == FReader)
    return false;
  std::lock_guard<std::mutex> serial(FFetchSerial);
  std::unique_lock<std::recursive_mutex> lock(FCore.Lock);
  if (XGetSelectionOwner(FCore.Dpy, selection) == 0)
    return false;
  FFetch = TFetch();
  FFetch.Active = true;
  FFetch.Selection = selection;
  FFetch.Target = target;
  XDeleteProperty(FCore.Dpy, FCore.Leader, FCore.A.SelectionProperty);
  XConvertSelection(FCore.Dpy, selection, target, FCore.A.SelectionProperty, FCore.Leader, time);
  XFlush(FCore.Dpy);
  FCore.WakeReader();
  // A program that does not answer is given up on; an INCR transfer that
  // keeps coming is given time piece by piece.
  std::size_t lastSize = 0;
  while (!FFetch.Done) {
    if (FFetchDone.wait_for(lock, std::chrono::milliseconds(2000)) == std::cv_status::timeout &&
        (!FFetch.Incr || FFetch.Data.size() == lastSize))
      break;
    lastSize = FFetch.Data.size();
  }
  bool ok = FFetch.Done && FFetch.Ok;
  if (ok) {
    data = std::move(FFetch.Data);
    type = FFetch.Type;
    format = FFetch.Format;
  }
  FFetch = TFetch();
  return ok;
}

std::vector<std::string> TX11Transfer::TargetNames(Atom selection, Time time)
{
  std::vector<unsigned char> data;
  Atom type;
  int format;
  std::vector<std::string> names;
  if (!Convert(selection, FCore.A.Targets, time, data, type, format) || format != 32)
    return names;
  const long* atoms = reinterpret_cast<const long*>(data.data());
  std::size_t count = std::min<std::size_t>(data.size() / sizeof(long), 4096);
  TLocked lock(FCore);
  for (std::size_t i = 0; i < count; ++i)
    if (std::string name = FCore.AtomName(Atom(atoms[i])); !name.empty())
      names.push_back(name);
  return names;
}

void TX11Transfer::Notify(const XSelectionRequestEvent& ev, Atom property)
{
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = FCore.Dpy;
  reply.xselection.requestor = ev.requestor;
  reply.xselection.selection = ev.selection;
  reply.xselection.target = ev.target;
  reply.xselection.property = property;
  reply.xselection.time = ev.time;
  TErrorTrap trap(FCore.Dpy);
  XSendEvent(FCore.Dpy, ev.requestor, False, 0, &reply);
}

void TX11Transfer::Refuse(const XSelectionRequestEvent& ev) { Notify(ev, 0); }

void TX11Transfer::SendAtoms(const XSelectionRequestEvent& ev, Atom property, Atom type, const std::vector<long>& values)
{
  TErrorTrap trap(FCore.Dpy);
  FCore.SetLongs(ev.requestor, property, type, values);
  Notify(ev, property);
}

void TX11Transfer::Send(const XSelectionRequestEvent& ev, Atom property, Atom type, std::string data)
{
  TErrorTrap trap(FCore.Dpy);
  if (data.size() <= ChunkSize) {
    XChangeProperty(FCore.Dpy, ev.requestor, property, type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    Notify(ev, property);
    return;
  }
  // Too big for one piece: the requestor deletes the property for each next one.
  if (ev.requestor != FCore.Leader)
    XSelectInput(FCore.Dpy, ev.requestor, PropertyChangeMask);
  long size = long(data.size());
  XChangeProperty(FCore.Dpy, ev.requestor, property, FCore.A.Incr, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&size), 1);
  TOutgoing t;
  t.Requestor = ev.requestor;
  t.Property = property;
  t.Type = type;
  t.Data = std::move(data);
  t.Started = NowMs();
  FOutgoing.push_back(std::move(t));
  Notify(ev, property);
}

void TX11Transfer::OnSelectionNotify(const XSelectionEvent& ev)
{
  if (!FFetch.Active || FFetch.Done || ev.requestor != FCore.Leader || ev.selection != FFetch.Selection ||
      ev.target != FFetch.Target)
    return;
  if (ev.property == 0) {
    FFetch.Done = true;
    FFetchDone.notify_all();
    return;
  }
  Atom type = 0;
  int format = 0;
  std::vector<unsigned char> data;
  bool complete = ReadProperty(FCore.Leader, ev.property, data, type, format);
  if (type == FCore.A.Incr) {
    FFetch.Incr = true;  // the pieces follow as the property is set again
    return;
  }
  FFetch.Ok = complete;
  FFetch.Type = type;
  FFetch.Format = format;
  FFetch.Data = std::move(data);
  FFetch.Done = true;
  FFetchDone.notify_all();
}

void TX11Transfer::OnPropertyNotify(const XPropertyEvent& ev)
{
  if (ev.window == FCore.Leader && ev.atom == FCore.A.SelectionProperty && ev.state == PropertyNewValue &&
      FFetch.Active && FFetch.Incr && !FFetch.Done) {
    Atom type = 0;
    int format = 0;
    std::vector<unsigned char> piece;
    ReadProperty(FCore.Leader, ev.atom, piece, type, format);
    if (piece.empty()) {
      FFetch.Ok = true;
      FFetch.Done = true;
    } else if (FFetch.Data.size() + piece.size() > MaxForeignSize) {
      FFetch.Done = true;  // refused: too big
    } else {
      FFetch.Type = type;
      FFetch.Format = format;
      FFetch.Data.insert(FFetch.Data.end(), piece.begin(), piece.end());
    }
    FFetchDone.notify_all();
    return;
  }
  if (ev.state != PropertyDelete)
    return;
  for (auto it = FOutgoing.begin(); it != FOutgoing.end(); ++it) {
    if (it->Requestor != ev.window || it->Property != ev.atom)
      continue;
    TErrorTrap trap(FCore.Dpy);
    std::size_t n = std::min(ChunkSize, it->Data.size() - it->Offset);
    XChangeProperty(FCore.Dpy, it->Requestor, it->Property, it->Type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(it->Data.data() + it->Offset), int(n));
    it->Offset += n;
    it->Started = NowMs();
    if (n == 0) {  // the empty piece ends it
      if (it->Requestor != FCore.Leader)
        XSelectInput(FCore.Dpy, it->Requestor, NoEventMask);
      FOutgoing.erase(it);
    }
    return;
  }
}

void TX11Transfer::DropStaleTransfers()
{
  std::uint64_t now = NowMs();
  FOutgoing.remove_if([&](const TOutgoing& t) { return now - t.Started > 10000; });
}

}  // namespace x11
