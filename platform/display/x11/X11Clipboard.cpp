#include "platform/display/x11/X11Clipboard.h"

#include <chrono>
#include <thread>

namespace x11 {

namespace {

std::uint64_t NowMs()
{
  using namespace std::chrono;
  return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// CR LF (and lone CR) become LF for other programs.
std::string ToUnixLines(const std::string& s)
{
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n')
        ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Lone LF become CR LF for the layer.
std::string ToLayerLines(const std::string& s)
{
  std::string out;
  out.reserve(s.size() + s.size() / 16);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r'))
      out += '\r';
    out += s[i];
  }
  return out;
}

std::string Latin1ToUtf8(const std::vector<unsigned char>& bytes)
{
  std::u16string wide;
  for (unsigned char c : bytes)
    wide += char16_t(c);
  return UTF8Encode(wide);
}

std::string Utf8ToLatin1(const std::string& utf8)
{
  std::string out;
  for (char16_t c : UTF8Decode(utf8))
    out += c < 0x100 ? char(c) : '?';
  return out;
}

// The layer's clipboard text, read from the reader thread while the process
// owns the clipboard; false when it holds no text or stays busy.
bool LayerText(std::string& text)
{
  bool open = false;
  for (int attempt = 0; attempt < 50 && !open; ++attempt) {
    open = OpenClipboard(nullptr);
    if (!open)
      std::this_thread::sleep_for(std::chrono::milliseconds(4));
  }
  if (!open)
    return false;
  bool found = false;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    const auto* p = static_cast<const char16_t*>(GlobalLock(h));
    std::size_t units = GlobalSize(h) / 2;
    if (p) {
      std::size_t n = 0;
      while (n < units && p[n])
        ++n;
      text = UTF8Encode(std::u16string(p, n));
      found = true;
      GlobalUnlock(h);
    }
  } else if (HANDLE h = GetClipboardData(CF_TEXT)) {
    const auto* p = static_cast<const char*>(GlobalLock(h));
    if (p) {
      text.assign(p, strnlen(p, GlobalSize(h)));
      found = true;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return found;
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

bool TX11Clipboard::ReadProperty(Window w, Atom property, std::vector<unsigned char>& data, Atom& type, int& format)
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

bool TX11Clipboard::Convert(Atom target, std::vector<unsigned char>& data, Atom& type, int& format)
{
  // The reader answers these requests: it must never wait for itself.
  if (std::this_thread::get_id() == FReader)
    return false;
  std::lock_guard<std::mutex> serial(FFetchSerial);
  std::unique_lock<std::recursive_mutex> lock(FCore.Lock);
  if (XGetSelectionOwner(FCore.Dpy, FCore.A.Clipboard) == 0)
    return false;
  FFetch = TFetch();
  FFetch.Active = true;
  FFetch.Target = target;
  XDeleteProperty(FCore.Dpy, FCore.Leader, FCore.A.SelectionProperty);
  XConvertSelection(FCore.Dpy, FCore.A.Clipboard, target, FCore.A.SelectionProperty, FCore.Leader, FCore.LastTime);
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

std::vector<std::string> TX11Clipboard::ForeignFormats()
{
  {
    TLocked lock(FCore);
    if (FOwned || XGetSelectionOwner(FCore.Dpy, FCore.A.Clipboard) == 0)
      return {};
  }
  std::vector<unsigned char> data;
  Atom type;
  int format;
  bool text = true;  // an owner that lists nothing may still give text
  if (Convert(FCore.A.Targets, data, type, format) && format == 32) {
    text = false;
    const long* atoms = reinterpret_cast<const long*>(data.data());
    for (std::size_t i = 0; i < data.size() / sizeof(long); ++i) {
      Atom a = Atom(atoms[i]);
      text = text || a == FCore.A.Utf8String || a == XA_STRING || a == FCore.A.Text || a == FCore.A.TextPlainUtf8 ||
             a == FCore.A.TextPlain;
    }
  }
  if (!text)
    return {};
  return {"CF_TEXT", "CF_UNICODETEXT"};
}

bool TX11Clipboard::Fetch(const std::string& name, std::vector<BYTE>& out)
{
  if (name != "CF_TEXT" && name != "CF_UNICODETEXT" && name != "CF_OEMTEXT")
    return false;
  std::vector<unsigned char> data;
  Atom type;
  int format;
  std::string text;
  bool got = false;
  for (Atom target : {FCore.A.Utf8String, FCore.A.TextPlainUtf8, Atom(XA_STRING)}) {
    if (!Convert(target, data, type, format) || format != 8)
      continue;
    text = type == XA_STRING ? Latin1ToUtf8(data) : std::string(data.begin(), data.end());
    got = true;
    break;
  }
  if (!got)
    return false;
  text = ToLayerLines(text.substr(0, text.find('\0')));
  if (name == "CF_UNICODETEXT") {
    std::u16string wide = UTF8Decode(text);
    wide += u'\0';
    out.resize(wide.size() * 2);
    std::memcpy(out.data(), wide.data(), out.size());
  } else {
    out.assign(text.begin(), text.end());
    out.push_back(0);
  }
  return true;
}

void TX11Clipboard::Answer(const XSelectionRequestEvent& ev, Atom property)
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

void TX11Clipboard::SendText(const XSelectionRequestEvent& ev, Atom property, const std::string& utf8)
{
  std::string data = ev.target == XA_STRING ? Utf8ToLatin1(ToUnixLines(utf8)) : ToUnixLines(utf8);
  Atom type = ev.target == XA_STRING ? Atom(XA_STRING) : ev.target == FCore.A.TextPlainUtf8 ? ev.target : FCore.A.Utf8String;
  TErrorTrap trap(FCore.Dpy);
  if (data.size() <= ChunkSize) {
    XChangeProperty(FCore.Dpy, ev.requestor, property, type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    Answer(ev, property);
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
  Answer(ev, property);
}

void TX11Clipboard::OnSelectionRequest(const XSelectionRequestEvent& ev, TActions& actions)
{
  Atom property = ev.property ? ev.property : ev.target;  // as old clients ask
  const TAtoms& a = FCore.A;
  if (!FOwned || ev.selection != a.Clipboard || ev.owner != FCore.Leader) {
    Answer(ev, 0);
    return;
  }
  if (ev.target == a.Targets) {
    std::vector<long> targets = {long(a.Targets), long(a.Timestamp), long(a.Utf8String), long(a.TextPlainUtf8),
                                 long(a.Text), long(XA_STRING)};
    TErrorTrap trap(FCore.Dpy);
    FCore.SetLongs(ev.requestor, property, XA_ATOM, targets);
    Answer(ev, property);
    return;
  }
  if (ev.target == a.Timestamp) {
    TErrorTrap trap(FCore.Dpy);
    FCore.SetLongs(ev.requestor, property, XA_INTEGER, {long(FOwnTime)});
    Answer(ev, property);
    return;
  }
  if (ev.target != a.Utf8String && ev.target != a.TextPlainUtf8 && ev.target != a.Text && ev.target != XA_STRING) {
    Answer(ev, 0);
    return;
  }
  // The text lives in the layer's clipboard: read it without holding the lock.
  XSelectionRequestEvent request = ev;
  actions.push_back([this, request, property] {
    std::string text;
    bool found = LayerText(text);
    TLocked lock(FCore);
    if (found && FOwned)
      SendText(request, property, text);
    else
      Answer(request, 0);
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

void TX11Clipboard::OnSelectionNotify(const XSelectionEvent& ev)
{
  if (!FFetch.Active || FFetch.Done || ev.requestor != FCore.Leader || ev.selection != FCore.A.Clipboard ||
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

void TX11Clipboard::OnPropertyNotify(const XPropertyEvent& ev)
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

void TX11Clipboard::DropStaleTransfers()
{
  std::uint64_t now = NowMs();
  FOutgoing.remove_if([&](const TOutgoing& t) { return now - t.Started > 10000; });
}

}  // namespace x11
