#include "host/CallbackObjects.h"

#include <functional>
#include <string>

#include "api/Boundary.h"
#include "api/MessageInput.h"
#include "api/NetworkInput.h"
#include "api/WordHelpers.h"
#include "host/GuiThreadCalls.h"
#include "host/HostCore.h"
#include "host/HostLog.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/IntConversions.h"
#include "platform/base/PCharRoutines.h"
#include "platform/base/SysConsts.h"

namespace {

THostCore* CurrentCore = nullptr;

const ShortString& Source()
{
  static const ShortString source(HostLogSource);
  return source;
}

// Runs one callback on the current core: never lets a failure out to the
// plug-in, and refuses calls nested too deep.
template <class F>
void OnCore(const char* Name, F&& Body) noexcept
{
  CatchAtBoundary(Source(), std::string(Name) + " : ", [&] {
    THostCore* core = THostCore::Current();
    if (!core || !core->EnterCallback(Name))
      return;
    struct TLeave {
      THostCore* Core;
      ~TLeave() { Core->LeaveCallback(); }
    } leave{core};
    Body(*core);
  });
}

// Hands a call to the GUI thread; when too many wait already it is dropped,
// and that is logged there. Never throws.
void HandToGuiThread(const char* Name, std::function<void()> Call) noexcept
{
  try {
    if (!PostToGuiThread(std::move(Call)))
      PostToGuiThread([Name] { HostLog(1, std::string(Name) + " : appel refusé, trop d'appels en attente"); });
  } catch (...) {
    // No memory left for the call: it is dropped, as a full queue drops it.
  }
}

// Runs a callback that answers nothing: at once on the GUI thread; from a
// plug-in's own thread it is handed to the GUI thread (Body holds copies of
// everything it needs) and the plug-in's thread goes on at once.
template <class F>
void OnCoreFromAnyThread(const char* Name, F Body) noexcept
{
  if (OnGuiThread())
    OnCore(Name, Body);
  else
    HandToGuiThread(Name, [Name, Body]() mutable { OnCore(Name, Body); });
}

// A callback whose answer the caller reads at once is served only on the
// GUI thread: from another thread it is refused (logged on the GUI thread,
// so the log never waits on it) and answers an empty text.
bool RefusedOffGuiThread(const char* Name, ShortString* Result) noexcept
{
  if (OnGuiThread())
    return false;
  if (Result)
    *Result = ShortString();
  HandToGuiThread(Name, [Name] { HostLog(1, std::string(Name) + " : appel refusé hors du fil principal"); });
  return true;
}

// Text handed by a plug-in, kept as a copy (null stays null).
struct TTextCopy {
  explicit TTextCopy(const char* Text) : Null(!Text), Value(Text ? Text : "") {}
  const char* c_str() const { return Null ? nullptr : Value.c_str(); }
  bool Null;
  std::string Value;
};

struct TUserIDFields {
  int Network;
  std::int32_t Group;
  std::int32_t Contact;
};

// Field N (from 1) of a key, words parted by ";" (runs count as one), as
// an integer; EConvertError for a field that is no decimal integer.
int UserIDField(const UserID* Key, int N)
{
  const std::string key = Key ? Key->str() : std::string();
  return StrToInt(NthWord(N, key, TWordDelimiters{';'}));
}

TUserIDFields SplitUserID(const UserID* Key)
{
  return {UserIDField(Key, 1), UserIDField(Key, 2), UserIDField(Key, 3)};
}

// The network of a key's first field; the list-index error outside the list.
INetwork& NetworkOf(THostCore& Core, int Index)
{
  INetwork* network = Core.Network(Index);
  if (!network)
    throw EListError(Format(SListIndexError, Index));
  return *network;
}

class TINetworkInput final : public TInterfacedObject<INetworkInput> {
public:
  void ReceiveMessage(const UserID* Key, TDateTime Time, const char* Message, MessageKind Kind) override
  {
    // The key is copied before anything else can change the caller's area.
    const UserID key = Key ? *Key : UserID();
    OnCoreFromAnyThread("ReceiveMessage", [key, Time, text = TTextCopy(Message), Kind](THostCore& core) {
      core.ReceiveMessage(key, Time, text.c_str(), Kind);
    });
  }
  void AddLog(const char* Line) override
  {
    OnCoreFromAnyThread("AddLog", [line = StrPas(Line)](THostCore& core) { core.AddConsoleLine(line); });
  }
  void RefreshStatus() override
  {
    OnCoreFromAnyThread("RefreshStatus", [](THostCore& core) { core.RefreshStatus(); });
  }
  void RefreshContacts() override
  {
    OnCoreFromAnyThread("RefreshContacts", [](THostCore& core) { core.RefreshContacts(); });
  }
  void UpdateNick(const UserID* Key, const ShortString* Nick) override
  {
    const UserID key = Key ? *Key : UserID();
    const ShortString nick = Nick ? *Nick : ShortString();
    OnCoreFromAnyThread("UpdateNick", [key, nick](THostCore& core) { core.UpdateNick(key, nick); });
  }
  void AddNetworkMenuItem(std::int32_t Tag, HMODULE Module, const char* ProcName, const ShortString* Caption) override
  {
    const std::string caption = Caption ? Caption->str() : std::string();
    OnCoreFromAnyThread("AddNetworkMenuItem", [Tag, Module, proc = TTextCopy(ProcName), caption](THostCore& core) {
      core.AddNetworkMenuItem(Tag, Module, proc.c_str(), caption);
    });
  }
  void AddPopupItem(std::int32_t, HMODULE Module, const char* ProcName, const ShortString* Caption) override
  {
    const std::string caption = Caption ? Caption->str() : std::string();
    OnCoreFromAnyThread("AddPopupItem", [Module, proc = TTextCopy(ProcName), caption](THostCore& core) {
      core.AddPopupItem(Module, proc.c_str(), caption, false);
    });
  }
  void AddVisiblePopupItem(std::int32_t, HMODULE Module, const char* ProcName, const ShortString* Caption) override
  {
    const std::string caption = Caption ? Caption->str() : std::string();
    OnCoreFromAnyThread("AddVisiblePopupItem", [Module, proc = TTextCopy(ProcName), caption](THostCore& core) {
      core.AddPopupItem(Module, proc.c_str(), caption, true);
    });
  }
};

class TIMessageInput final : public TInterfacedObject<IMessageInput> {
public:
  void SendToContact(const UserID* Key, const char* Message) override
  {
    const UserID key = Key ? *Key : UserID();
    OnCoreFromAnyThread("SendToContact", [key, text = TTextCopy(Message)](THostCore& core) {
      const TUserIDFields fields = SplitUserID(&key);
      NetworkOf(core, fields.Network).SendToContact(fields.Group, fields.Contact, text.c_str());
    });
  }
  void ShowOwnMessage(const UserID* Key, const char* Message) override
  {
    const UserID key = Key ? *Key : UserID();
    OnCoreFromAnyThread("ShowOwnMessage",
                        [key, text = TTextCopy(Message)](THostCore& core) { core.ShowOwnMessage(key, text.c_str()); });
  }
  void AddLog(const char* Line) override
  {
    OnCoreFromAnyThread("AddLog", [line = StrPas(Line)](THostCore& core) { core.AddConsoleLine(line); });
  }
  void GetContactName(ShortString* Result, const UserID* Key) override
  {
    if (RefusedOffGuiThread("GetContactName", Result))
      return;
    OnCore("GetContactName", [&](THostCore& core) {
      const TUserIDFields fields = SplitUserID(Key);
      const std::string name = StrPas(NetworkOf(core, fields.Network).GetContactName(fields.Group, fields.Contact));
      if (Result)
        *Result = ShortString(name);
    });
  }
  void GetNetworkName(ShortString* Result, const UserID* Key) override
  {
    if (RefusedOffGuiThread("GetNetworkName", Result))
      return;
    OnCore("GetNetworkName", [&](THostCore& core) {
      // Only the network field counts: a key's other two fields may be anything.
      const std::string name = StrPas(NetworkOf(core, UserIDField(Key, 1)).GetName());
      if (Result)
        *Result = ShortString(name);
    });
  }
};

template <class Object, class Interface>
void HandOut(Interface** Intf)
{
  CatchAtBoundary(Source(), "Create : ", [&] {
    if (!Intf)
      return;
    *Intf = nullptr;
    auto* object = new Object;
    object->AddRef();
    *Intf = object;
  });
}

}  // namespace

THostCore* THostCore::Current()
{
  return CurrentCore;
}

void RegisterHostCore(THostCore* Core)
{
  CurrentCore = Core;
  AttachGuiThreadCalls();
}

void UnregisterHostCore(THostCore* Core)
{
  if (CurrentCore == Core) {
    CurrentCore = nullptr;
    DetachGuiThreadCalls();
  }
}

// The host's exports, found by modules that load the running program by name.
extern "C" __attribute__((visibility("default"))) void CreateMessageInput(IMessageInput** Intf)
{
  HandOut<TIMessageInput>(Intf);
}

extern "C" __attribute__((visibility("default"))) void CreateNetworkInput(INetworkInput** Intf)
{
  HandOut<TINetworkInput>(Intf);
}
