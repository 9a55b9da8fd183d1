// The six exports of "tessel.so". Each runs inside the module's boundary: a
// failure is logged under "tessel.dll" with the operation's own prefix and
// the export returns normally, never letting an exception into the host.
#include "api/Boundary.h"
#include "api/ChatLibrary.h"
#include "chatwin/msgman.h"
#include "platform/base/Exception.h"

#define TESSEL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const ShortString& Source()
{
  static const ShortString source("tessel.dll");
  return source;
}

// Before InitManager (or after a failed one) there is nothing to talk to.
TChatManager& Manager()
{
  if (!TChatManager::Current())
    throw Exception("Le gestionnaire de fenêtre n'est pas initialisé");
  return *TChatManager::Current();
}

// The caller's key and texts are copied before use: the caller owns them.
UserID Copy(const ShortString* Key) { return Key ? UserID(std::string_view(Key->Data, Key->Length)) : UserID(); }

}  // namespace

TESSEL_EXPORT void UpdateNick(const UserID* Key, const ShortString* Nick)
{
  const UserID key = Copy(Key);
  const ShortString nick = Copy(Nick);
  CatchAtBoundary(Source(), "UpdateNick : ", [&] { Manager().UpdateNick(key, nick); });
}

TESSEL_EXPORT bool MessageIsOpen(const UserID* Key)
{
  const UserID key = Copy(Key);
  return CatchAtBoundary(Source(), "MessageIsOpen : ", false, [&] { return Manager().MessageIsOpen(key); });
}

TESSEL_EXPORT void EndManager()
{
  CatchAtBoundary(Source(), "Déchargement : ", [] { EndChatManager(); });
}

TESSEL_EXPORT void InitManager()
{
  CatchAtBoundary(Source(), "initialisation : ", [] { StartChatManager(); });
}

TESSEL_EXPORT void NewMessageFromMe(const UserID* Key)
{
  const UserID key = Copy(Key);
  CatchAtBoundary(Source(), "NewMessageFromMe : ", [&] { Manager().NewMessageFromMe(key); });
}

TESSEL_EXPORT void NewMessage(const UserID* Key, TDateTime Time, const char* Text, MessageKind Kind)
{
  const UserID key = Copy(Key);
  // The host keeps the text for the call: a large message is not copied.
  const std::string_view text = Text ? Text : "";
  CatchAtBoundary(Source(), "NewMessage : ", [&] { Manager().NewMessage(key, Time, text, Kind); });
}

// The contract's types, checked against the exports.
static_assert(std::is_same_v<decltype(&UpdateNick), TUpdateNick>);
static_assert(std::is_same_v<decltype(&MessageIsOpen), TMessageIsOpen>);
static_assert(std::is_same_v<decltype(&EndManager), TEndManager>);
static_assert(std::is_same_v<decltype(&InitManager), TInitManager>);
static_assert(std::is_same_v<decltype(&NewMessageFromMe), TNewMessageFromMe>);
static_assert(std::is_same_v<decltype(&NewMessage), TNewMessage>);
