#include "tests/chatwin/RecordingHost.h"

#include "api/MessageInput.h"
#include "platform/base/Exception.h"

namespace recording_host {
namespace {

int live = 0;

std::string Text(const char* text) { return text ? text : "(null)"; }

void FailIfAsked(const std::string& Call)
{
  if (FailingCalls().count(Call))
    throw Exception("Échec simulé de " + Call);
}

class TRecordingMessageInput final : public TInterfacedObject<IMessageInput> {
public:
  TRecordingMessageInput() { ++live; }
  ~TRecordingMessageInput() override { --live; }
  void SendToContact(const UserID* Key, const char* Message) override
  {
    Calls().push_back("SendToContact(" + Key->str() + "," + Text(Message) + ")");
  }
  void ShowOwnMessage(const UserID* Key, const char* Message) override
  {
    Calls().push_back("ShowOwnMessage(" + Key->str() + "," + Text(Message) + ")");
    if (OwnMessageEcho())
      OwnMessageEcho()(UserID("-" + Key->str()), Text(Message));
  }
  void AddLog(const char* Line) override { Calls().push_back("AddLog(" + Text(Line) + ")"); }
  void GetContactName(ShortString* Result, const UserID* Key) override
  {
    Calls().push_back("GetContactName(" + Key->str() + ")");
    FailIfAsked("GetContactName");
    *Result = ShortString(ContactName());
  }
  void GetNetworkName(ShortString* Result, const UserID* Key) override
  {
    Calls().push_back("GetNetworkName(" + Key->str() + ")");
    FailIfAsked("GetNetworkName");
    *Result = ShortString(NetworkName());
  }
};

}  // namespace

std::vector<std::string>& Calls()
{
  static std::vector<std::string> calls;
  return calls;
}

std::string& ContactName()
{
  static std::string name = "Bob";
  return name;
}

std::string& NetworkName()
{
  static std::string name = "TestNet";
  return name;
}

std::function<void(const UserID&, const std::string&)>& OwnMessageEcho()
{
  static std::function<void(const UserID&, const std::string&)> echo;
  return echo;
}

std::set<std::string>& FailingCalls()
{
  static std::set<std::string> failing;
  return failing;
}

int LiveObjects() { return live; }

}  // namespace recording_host

extern "C" __attribute__((visibility("default"))) void CreateMessageInput(IMessageInput** Intf)
{
  *Intf = nullptr;
  if (recording_host::FailingCalls().count("CreateMessageInput"))
    return;
  auto* input = new recording_host::TRecordingMessageInput;
  input->AddRef();
  *Intf = input;
}
