#include "tests/api/FakeHost.h"

#include <sstream>

#include "api/MessageInput.h"
#include "api/NetworkInput.h"

namespace fake_host {
namespace {

int live = 0;
bool refuseMessageInput = false;

std::string Text(const char* text) { return text ? text : "(null)"; }
std::string Key(const ShortString* key) { return key ? key->str() : "(null)"; }

class TFakeNetworkInput final : public TInterfacedObject<INetworkInput> {
public:
  TFakeNetworkInput() { ++live; }
  ~TFakeNetworkInput() override { --live; }
  void ReceiveMessage(const UserID* Key, TDateTime Time, const char* Message, MessageKind Kind) override
  {
    std::ostringstream line;
    line << "ReceiveMessage(" << fake_host::Key(Key) << "," << Time << "," << Text(Message) << "," << int(Kind) << ")";
    Calls().push_back(line.str());
  }
  void AddLog(const char* Line) override { Calls().push_back("AddLog(" + Text(Line) + ")"); }
  void RefreshStatus() override { Calls().push_back("RefreshStatus"); }
  void RefreshContacts() override { Calls().push_back("RefreshContacts"); }
  void UpdateNick(const UserID* Key, const ShortString* Nick) override
  {
    Calls().push_back("UpdateNick(" + fake_host::Key(Key) + "," + fake_host::Key(Nick) + ")");
  }
  void AddNetworkMenuItem(std::int32_t Tag, HMODULE, const char* ProcName, const ShortString* Caption) override
  {
    Calls().push_back("AddNetworkMenuItem(" + std::to_string(Tag) + "," + Text(ProcName) + "," + Key(Caption) + ")");
  }
  void AddPopupItem(std::int32_t Unused, HMODULE, const char* ProcName, const ShortString* Caption) override
  {
    Calls().push_back("AddPopupItem(" + std::to_string(Unused) + "," + Text(ProcName) + "," + Key(Caption) + ")");
  }
  void AddVisiblePopupItem(std::int32_t Unused, HMODULE, const char* ProcName, const ShortString* Caption) override
  {
    Calls().push_back("AddVisiblePopupItem(" + std::to_string(Unused) + "," + Text(ProcName) + "," + Key(Caption) +
                      ")");
  }
};

class TFakeMessageInput final : public TInterfacedObject<IMessageInput> {
public:
  TFakeMessageInput() { ++live; }
  ~TFakeMessageInput() override { --live; }
  void SendToContact(const UserID* Key, const char* Message) override
  {
    Calls().push_back("SendToContact(" + fake_host::Key(Key) + "," + Text(Message) + ")");
  }
  void ShowOwnMessage(const UserID* Key, const char* Message) override
  {
    Calls().push_back("ShowOwnMessage(" + fake_host::Key(Key) + "," + Text(Message) + ")");
  }
  void AddLog(const char* Line) override { Calls().push_back("AddLog(" + Text(Line) + ")"); }
  void GetContactName(ShortString* Result, const UserID* Key) override
  {
    Calls().push_back("GetContactName(" + fake_host::Key(Key) + ")");
    *Result = ShortString("Bob");
  }
  void GetNetworkName(ShortString* Result, const UserID* Key) override
  {
    Calls().push_back("GetNetworkName(" + fake_host::Key(Key) + ")");
    *Result = ShortString("TestNet");
  }
};

}  // namespace

std::vector<std::string>& Calls()
{
  static std::vector<std::string> calls;
  return calls;
}

int LiveObjects() { return live; }

void SetRefuseMessageInput(bool Refuse) { refuseMessageInput = Refuse; }

}  // namespace fake_host

extern "C" __attribute__((visibility("default"))) void CreateMessageInput(IMessageInput** Intf)
{
  if (fake_host::refuseMessageInput)
    return;
  auto* input = new fake_host::TFakeMessageInput;
  input->AddRef();
  *Intf = input;
}

extern "C" __attribute__((visibility("default"))) void CreateNetworkInput(INetworkInput** Intf)
{
  auto* input = new fake_host::TFakeNetworkInput;
  input->AddRef();
  *Intf = input;
}
