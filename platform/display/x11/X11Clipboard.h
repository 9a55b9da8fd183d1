// The clipboard bridge: the layer's text formats exchanged with the X
// CLIPBOARD selection. While the process owns the clipboard we answer other
// programs' requests (TARGETS, TIMESTAMP, UTF8_STRING, TEXT, STRING and
// text/plain;charset=utf-8, large texts in INCR pieces); otherwise the
// layer's requests are asked of the owner. Line ends are LF on the X side
// and CR LF on the layer's.
#pragma once

#include <condition_variable>
#include <functional>
#include <list>

#include "platform/display/x11/X11Core.h"

namespace x11 {

class TX11Clipboard {
public:
  explicit TX11Clipboard(TCore& core) : FCore(core) {}

  // From the window system's threads (they take the lock themselves).
  void Own(bool owned);
  std::vector<std::string> ForeignFormats();
  bool Fetch(const std::string& format, std::vector<BYTE>& data);

  // From the reader, under the lock; actions run once it is let go.
  void OnSelectionRequest(const XSelectionRequestEvent& ev, TActions& actions);
  void OnSelectionClear(const XSelectionClearEvent& ev, TActions& actions);
  void OnSelectionNotify(const XSelectionEvent& ev);
  void OnPropertyNotify(const XPropertyEvent& ev);
  void OnOwnerChanged(TActions& actions);
  void DropStaleTransfers();
  void SetReaderThread(std::thread::id id) { FReader = id; }

  // Text pieces bigger than this go in INCR steps.
  static constexpr std::size_t ChunkSize = 256 * 1024;
  // Foreign data bigger than this is refused.
  static constexpr std::size_t MaxForeignSize = 64u << 20;

private:
  struct TOutgoing {
    Window Requestor = 0;
    Atom Property = 0;
    Atom Type = 0;
    std::string Data;
    std::size_t Offset = 0;
    bool Finished = false;
    std::uint64_t Started = 0;
  };
  struct TFetch {
    bool Active = false;
    bool Done = false;
    bool Ok = false;
    bool Incr = false;
    Atom Target = 0;
    Atom Type = 0;
    int Format = 0;
    std::vector<unsigned char> Data;
  };

  bool Convert(Atom target, std::vector<unsigned char>& data, Atom& type, int& format);
  bool ReadProperty(Window w, Atom property, std::vector<unsigned char>& data, Atom& type, int& format);
  void Answer(const XSelectionRequestEvent& ev, Atom property);
  void SendText(const XSelectionRequestEvent& ev, Atom property, const std::string& utf8);

  TCore& FCore;
  bool FOwned = false;
  Time FOwnTime = CurrentTime;
  std::list<TOutgoing> FOutgoing;
  std::mutex FFetchSerial;  // one request to another program at a time
  std::condition_variable_any FFetchDone;
  TFetch FFetch;
  std::thread::id FReader;
};

}  // namespace x11
