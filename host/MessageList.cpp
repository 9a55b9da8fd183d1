#include "host/MessageList.h"

#include <memory>

#include "api/DEbugger.h"
#include "platform/base/Exception.h"

namespace {

void Log(BYTE Level, const std::string& Text)
{
  DebugLog(ShortString("MessageList"), Level, ShortString(Text));
}

std::string FailureText(const std::exception& e)
{
  if (auto* own = dynamic_cast<const Exception*>(&e))
    return own->Message();
  return e.what();
}

}  // namespace

TmessageList::~TmessageList()
{
  Clear();
}

void TmessageList::Clear()
{
  for (int i = TList::Count() - 1; i >= 0; --i)
    Delete(i);
  TList::Clear();
}

int TmessageList::IndexOf(const UserID& Key) const
{
  PendingUser* user = FindUser(Key);
  return user ? TList::IndexOf(user) : -1;
}

PendingUser* TmessageList::FindUser(const UserID& Key) const
{
  auto found = FIndex.find(Key.view());
  return found == FIndex.end() ? nullptr : found->second;
}

void TmessageList::Notify(void* Ptr, TListNotification Action)
{
  auto* user = static_cast<PendingUser*>(Ptr);
  // An entry's messages count while it is in the list (DeleteUser takes
  // them off before it lets the entry go, and leaves it without a list).
  const int messages = user->Messages ? user->Messages->Count() : 0;
  if (Action == lnAdded) {
    FIndex.emplace(user->Key.str(), user);
    FTotal += messages;
  } else {
    FTotal -= messages;
    auto found = FIndex.find(user->Key.view());
    if (found != FIndex.end() && found->second == user)
      FIndex.erase(found);
  }
  TList::Notify(Ptr, Action);
}

void TmessageList::Add(const UserID& Key, const char* Text, TDateTime Time, MessageKind Kind, bool Own)
{
  Log(0, "---Ajout de message dans la liste");
  try {
    int index = IndexOf(Key);
    Log(3, "Id du UserID: " + std::to_string(index));
    if (index == -1) {
      Log(3, "Pas encore de message de " + Key.str());
      Log(3, "Creation de l'utilisateur");
      auto user = std::make_unique<PendingUser>();
      auto messages = std::make_unique<TList>();
      user->Key = Key;
      user->Messages = messages.get();
      Log(3, "Creation du pointeur OK");
      Log(3, "Attribution des données OK");
      index = TList::Add(user.get());
      messages.release();
      user.release();
      Log(3, "Ajout du pointeur dans la liste: " + std::to_string(index));
    }
    Log(3, "Creation du message");
    auto message = std::make_unique<PendingMessage>();
    message->Time = Time;
    message->Text = Text ? Text : "";
    message->Kind = Kind;
    message->Own = Own;
    Log(3, "Creation du pointeur OK");
    Log(3, "Attribution des données OK");
    Entry(index)->Messages->Add(message.get());
    message.release();
    ++FTotal;
    Log(3, "Ajout du pointeur dans la liste OK");
  } catch (const std::exception& e) {
    Log(1, "Erreur lors de la creation : " + FailureText(e));
  }
}

void TmessageList::DeleteUser(const UserID& Key)
{
  Log(0, "---Effacement d'un userID dans la listd");
  try {
    Log(3, "Nb d'utilisateur: " + std::to_string(TList::Count()));
    if (PendingUser* user = FindUser(Key)) {
      int i = TList::IndexOf(user);
      Log(3, "C'est le bon userID !");
      Log(3, "Nb de message de lui: " + std::to_string(user->Messages->Count()));
      for (int m = 0, count = user->Messages->Count(); m < count; ++m) {
        Log(3, "Effacement du message " + std::to_string(m));
        delete static_cast<PendingMessage*>(user->Messages->Items(m));
        user->Messages->SetItems(m, nullptr);
        --FTotal;
      }
      Log(3, "Effacement de la liste");
      user->Messages->Clear();
      Log(3, "Liberation de la liste");
      FreeAndNil(user->Messages);
      Log(3, "Effacement de l'UserID");
      TList::Delete(i);
      delete user;
    }
  } catch (const std::exception& e) {
    Log(1, "Erreur lors de l'effacement : " + FailureText(e));
  }
}

void TmessageList::DeleteFirst(const UserID& Key, int Count)
{
  PendingUser* user = FindUser(Key);
  if (!user || Count <= 0)
    return;
  if (Count >= user->Messages->Count()) {
    DeleteUser(Key);
    return;
  }
  for (int m = 0; m < Count; ++m)
    delete static_cast<PendingMessage*>(user->Messages->Items(m));
  for (int m = Count - 1; m >= 0; --m)
    user->Messages->Delete(m);
  FTotal -= Count;
}

void TmessageList::Delete(int Index)
{
  PendingUser* user = Entry(Index);
  TList::Delete(Index);
  FreeEntry(user);
}

void TmessageList::FreeEntry(PendingUser* Entry)
{
  if (!Entry)
    return;
  if (Entry->Messages) {
    for (int m = Entry->Messages->Count() - 1; m >= 0; --m)
      delete static_cast<PendingMessage*>(Entry->Messages->Items(m));
    delete Entry->Messages;
  }
  delete Entry;
}

const PendingMessage* TmessageList::Find(int N, const UserID& Key) const
{
  // Keys are unique: at most one entry matches.
  const PendingUser* user = FindUser(Key);
  if (!user || N < 0 || N >= user->Messages->Count())
    return nullptr;
  return static_cast<PendingMessage*>(user->Messages->Items(N));
}

std::string TmessageList::GetText(int N, const UserID& Key) const
{
  const PendingMessage* message = Find(N, Key);
  return message ? message->Text : std::string();
}

MessageKind TmessageList::GetKind(int N, const UserID& Key) const
{
  const PendingMessage* message = Find(N, Key);
  return message ? message->Kind : MessageKind(0);
}

TDateTime TmessageList::GetTime(int N, const UserID& Key) const
{
  const PendingMessage* message = Find(N, Key);
  return message ? message->Time : 0.0;
}

bool TmessageList::GetOwn(int N, const UserID& Key) const
{
  const PendingMessage* message = Find(N, Key);
  return message && message->Own;
}

bool TmessageList::HasMessages(const UserID& Key) const
{
  return FindUser(Key) != nullptr;
}

int TmessageList::Count(const UserID& Key) const
{
  const PendingUser* user = FindUser(Key);
  return user ? user->Messages->Count() : 0;
}
