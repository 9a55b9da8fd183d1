// The one road of every message to the screen: the ticked processors, then
// the contact's chat window or the pending list with its tray notice; and the
// way back from the pending list into the chat window.
#include <cstring>

#include "host/HostCore.h"
#include "host/HostLog.h"
#include "platform/base/DateTime.h"

namespace {

UserID WithoutOwnMark(const UserID& Key)
{
  return Key.Length > 0 && Key.Data[0] == '-' ? UserID(Key.view().substr(1)) : Key;
}

UserID WithOwnMark(const UserID& Key)
{
  return UserID("-" + Key.str());
}

}  // namespace

void THostCore::ReceiveMessage(const UserID& Key, TDateTime Time, const char* Text, MessageKind Kind)
{
  HostLog(0, "Réception d'un message");
  std::string failure;
  const bool received = RunGuarded([&] {
    // The text is copied at once: neither the caller's buffer nor a
    // processor's answer has to live past the next call.
    std::string current = Text ? Text : "";
    MessageKind kind = Kind;
    for (int i = 0; i < ProcessorCount(); ++i) {
      HostLog(3, "Message Avant transformation processeur n°" + std::to_string(i) + ":");
      HostLog(3, current);
      if (!FParts.Processors || !FParts.Processors->ProcessorChecked(i))
        continue;
      IMessageProcessor* processor = Processor(i);
      if (!processor)
        continue;
      ProcessedMessage result{kind, nullptr};
      std::string processFailure;
      // A failing processor is passed over: the message goes on as it came.
      if (!RunGuarded([&] { processor->Process(&result, &Key, kind, current.c_str()); }, processFailure)) {
        HostLog(1, "Receivemessage userID: " + Key.str());
        HostLog(1, "Processeur n°" + std::to_string(i) + " : " + processFailure);
        continue;
      }
      if (!result.Text)
        continue;
      current = result.Text;
      kind = result.Kind;
    }
    HostLog(3, "Message final :");
    HostLog(3, current);

    const bool own = Key.Length > 0 && Key.Data[0] == '-';
    const UserID windowKey = WithoutOwnMark(Key);
    bool shown = false;
    if (FManager) {
      bool open = false;
      Guard("MessageIsOpen", [&] { open = FManager && FManager->MessageIsOpen(&windowKey); });
      if (open || FDirectDisplay) {
        HostLog(0, "Envoi directe sur ecran");
        // Shown only when the window is there after the call: a library that
        // swallowed its failure must not lose the message.
        Guard("NewMessage", [&] {
          FManager->NewMessage(&Key, Time, current.c_str(), kind);
          shown = FManager && FManager->MessageIsOpen(&windowKey);
        });
      }
    }
    if (!shown) {
      HostLog(0, "Envoi dans le gestionnaire de message");
      // Own messages wait under their window's key, marked as own, so that
      // opening the contact replays them with the others.
      FMessageList.Add(windowKey, current.c_str(), Time, kind, own);
      const int total = FMessageList.Total();
      if (FParts.Tray) {
        FParts.Tray->SetIconIndex(total > 0 ? 3 : 2);
        FParts.Tray->ShowBalloonTip("Corvane",
                                    "Vous avez reçu un message.\r\n" + std::to_string(total) + " messages en total.",
                                    TTrayBalloon::Info, 50000, true);
      }
    }
    RefreshStatus();
  }, failure);
  if (!received) {
    HostLog(1, "Receivemessage userID: " + Key.str());
    HostLog(1, failure);
  }
}

void THostCore::ShowOwnMessage(const UserID& Key, const char* Text)
{
  // "-" + a full key would not fit: cutting it would name another contact.
  if (Key.Length >= 255) {
    HostLog(1, "ShowOwnMessage : clé trop longue, message refusé");
    return;
  }
  ReceiveMessage(WithOwnMark(Key), Now(), Text, mkText);
}

int THostCore::OpenContact(const UserID& Key)
{
  if (!FManager) {
    HostLog(1, "Gestionnaire de fenêtre non chargé : " + Key.str());
    return 0;
  }
  const int count = FMessageList.Count(Key);
  if (count == 0) {
    Guard("NewMessageFromMe", [&] { FManager->NewMessageFromMe(&Key); });
    return 0;
  }
  int shown = 0;
  for (int n = 0; n < count && FManager; ++n) {
    const std::string text = FMessageList.GetText(n, Key);
    const UserID key = FMessageList.GetOwn(n, Key) ? WithOwnMark(Key) : Key;
    bool delivered = false;
    Guard("NewMessage", [&] {
      FManager->NewMessage(&key, FMessageList.GetTime(n, Key), text.c_str(), FMessageList.GetKind(n, Key));
      delivered = FManager && FManager->MessageIsOpen(&Key);
    });
    if (!delivered)
      break;
    ++shown;
  }
  HostLog(0, "Node2UserID: " + Key.str());
  // Only what reached the window is forgotten; the rest waits for the next try.
  FMessageList.DeleteFirst(Key, shown);
  if (FParts.Tray)
    FParts.Tray->SetIconIndex(FMessageList.Total() == 0 ? 2 : 3);
  return shown;
}

void THostCore::UpdateNick(const UserID& Key, const ShortString& Nick)
{
  HostLog(0, "Corvane -> Main / " + Nick.str(), "UpdateNick");
  HostLog(0, "main -> tessel / " + Nick.str(), "UpdateNick");
  if (!FManager) {
    HostLog(1, "Gestionnaire de fenêtre non chargé : " + Key.str(), "UpdateNick");
    return;
  }
  Guard("UpdateNick", [&] { FManager->UpdateNick(&Key, &Nick); });
}
