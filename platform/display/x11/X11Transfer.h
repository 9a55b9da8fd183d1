// Data through X selections, for the clipboard and for drag and drop: asking
// a selection's owner for a target and waiting for the answer (INCR pieces
// included), and answering other programs' requests with data (in INCR pieces
// when big). One request of ours at a time.
#pragma once

#include <condition_variable>
#include <list>

#include "platform/display/x11/X11Core.h"

namespace x11 {

class TX11Transfer {
public:
  explicit TX11Transfer(TCore& core) : FCore(core) {}

  // From any thread but the reader (it takes the lock itself): the owner's
  // data of the selection for a target. False when there is no owner, it
  // refused, stayed silent, or sent more than MaxForeignSize.
  bool Convert(Atom selection, Atom target, Time time, std::vector<unsigned char>& data, Atom& type, int& format);
  // Convert of TARGETS: the names of the targets the owner offers.
  std::vector<std::string> TargetNames(Atom selection, Time time);

  // Under the lock: the requestor's property gets the data (in INCR pieces
  // when bigger than ChunkSize) and the requestor is told; Refuse tells it
  // there is nothing.
  void Send(const XSelectionRequestEvent& ev, Atom property, Atom type, std::string data);
  void SendAtoms(const XSelectionRequestEvent& ev, Atom property, Atom type, const std::vector<long>& values);
  void Refuse(const XSelectionRequestEvent& ev);

  // From the reader, under the lock.
  void OnSelectionNotify(const XSelectionEvent& ev);
  void OnPropertyNotify(const XPropertyEvent& ev);
  // Requestors gone quiet for 10 s are dropped.
  void DropStaleTransfers();
  void SetReaderThread(std::thread::id id) { FReader = id; }

  // Pieces bigger than this go in INCR steps.
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
    std::uint64_t Started = 0;
  };
  struct TFetch {
    bool Active = false;
    bool Done = false;
    bool Ok = false;
    bool Incr = false;
    Atom Selection = 0;
    Atom Target = 0;
    Atom Type = 0;
    int Format = 0;
    std::vector<unsigned char> Data;
  };

  bool ReadProperty(Window w, Atom property, std::vector<unsigned char>& data, Atom& type, int& format);
  void Notify(const XSelectionRequestEvent& ev, Atom property);

  TCore& FCore;
  std::list<TOutgoing> FOutgoing;
  std::mutex FFetchSerial;
  std::condition_variable_any FFetchDone;
  TFetch FFetch;
  std::thread::id FReader;
};

}  // namespace x11
