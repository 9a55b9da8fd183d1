#include "host/CallbackObjects.h"

#include "api/Boundary.h"
#include "api/MessageInput.h"
#include "api/NetworkInput.h"
#include "api/WordHelpers.h"
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
    OnCore("ReceiveMessage", [&](THostCore& core) { core.ReceiveMessage(key, Time, Message, Kind); });
  }
  void AddLog(const char* Line) override
  {
    OnCore("AddLog", [&](THostCore& core) { core.AddConsoleLine(StrPas(Line)); });
  }
  void RefreshStatus() override
  {
    OnCore("RefreshStatus", [&](THostCore& core) { core.RefreshStatus(); });
  }
  void RefreshContacts() override
  {
    OnCore("RefreshContacts", [&](THostCore& core) { core.RefreshContacts(); });
  }
  void UpdateNick(const UserID* Key, const ShortString* Nick) override
  {
    const UserID key = Key ? *Key : UserID();
    const ShortString nick = Nick ? *Nick : ShortString();
    OnCore("UpdateNick", [&](THostCore& core) { core.UpdateNick(key, nick); });
  }
  void AddNetworkMenuItem(std::int32_t Tag, HMODULE Module, const char* ProcName, const ShortString* Caption) override
  {
    const std::string caption = Caption ? Caption->str() : std::string();
    OnCore("AddNetworkMenuItem",
           [&](THostCore& core) { core.AddNetworkMenuItem(Tag, Module, ProcName, caption); });
  }
  void AddPopupItem(std::int32_t, HMODULE Module, const char* ProcName, const ShortString* Caption) override
  {
    const std::string caption = Caption ? Caption->str() : std::string();
    OnCore("AddPopupItem", [&](THostCore& core) { core.AddPopupItem(Module, ProcName, caption, false); });
  }
  void AddVisiblePopupItem(std::int32_t, HMODULE Module, const char* ProcName, const ShortString* Caption) override
  {
    const std::string caption = Caption ? Caption->str() : std::string();
    OnCore("AddVisiblePopupItem", [&](THostCore& core) { core.AddPopupItem(Module, ProcName, caption, true); });
  }
};

class TIMessageInput final : public TInterfacedObject<IMessageInput> {
public:
  void SendToContact(const UserID* Key, const char* Message) override
  {
    OnCore("SendToContact", [&](THostCore& core) {
      const TUserIDFields fields = SplitUserID(Key);
      NetworkOf(core, fields.Network).SendToContact(fields.Group, fields.Contact, Message);
    });
  }
  void ShowOwnMessage(const UserID* Key, const char* Message) override
  {
    const UserID key = Key ? *Key : UserID();
    OnCore("ShowOwnMessage", [&](THostCore& core) { core.ShowOwnMessage(key, Message); });
  }
  void AddLog(const char* Line) override
  {
    OnCore("AddLog", [&](THostCore& core) { core.AddConsoleLine(StrPas(Line)); });
  }
  void GetContactName(ShortString* Result, const UserID* Key) override
  {
    OnCore("GetContactName", [&](THostCore& core) {
      const TUserIDFields fields = SplitUserID(Key);
      const std::string name = StrPas(NetworkOf(core, fields.Network).GetContactName(fields.Group, fields.Contact));
      if (Result)
        *Result = ShortString(name);
    });
  }
  void GetNetworkName(ShortString* Result, const UserID* Key) override
  {
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
}

void UnregisterHostCore(THostCore* Core)
{
  if (CurrentCore == Core)
    CurrentCore = nullptr;
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
