// The pending-message list: the messages that arrived for a contact whose chat
// window was closed, kept per contact key until they are replayed.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "api/ContractTypes.h"
#include "platform/base/List.h"

// One pending message; the text is the list's own copy.
struct PendingMessage {
  TDateTime Time = 0;
  std::string Text;
  MessageKind Kind = mkText;
  // The user's own message, queued under its window's key (without "-").
  bool Own = false;
};

// The messages of one key, in arrival order (a list of PendingMessage).
struct PendingUser {
  UserID Key;
  TList* Messages = nullptr;
};

// A list of PendingUser entries with unique keys, compared byte for byte (a
// key with a leading "-" is another key). Add and DeleteUser log under the
// source "MessageList" and never let a failure out. Entries enter through Add
// only; a hash table of the keys and the number of all messages, kept by
// Notify and the operations that add or free messages, spare the look-ups a
// walk over every entry.
class TmessageList : public TList {
public:
  TmessageList() = default;
  ~TmessageList() override;

  // The list index of the key's entry, or -1.
  int IndexOf(const UserID& Key) const;
  // Appends a copy of the message to the key's entry, creating it if needed.
  void Add(const UserID& Key, const char* Text, TDateTime Time, MessageKind Kind, bool Own = false);
  // Removes the key's entry and all its messages; an unknown key changes nothing.
  void DeleteUser(const UserID& Key);
  // Removes the key's first Count messages (all of them: the entry goes too).
  void DeleteFirst(const UserID& Key, int Count);
  // Removes the entry at Index and all its messages (EListError for a bad index).
  void Delete(int Index);
  // Deletes every entry, the last first.
  void Clear() override;

  // The N-th message (from 0) of the key: its text ("" when absent), kind (0)
  // and time stamp (0.0).
  std::string GetText(int N, const UserID& Key) const;
  MessageKind GetKind(int N, const UserID& Key) const;
  TDateTime GetTime(int N, const UserID& Key) const;
  // Whether the N-th message is the user's own (false when absent).
  bool GetOwn(int N, const UserID& Key) const;

  bool HasMessages(const UserID& Key) const;
  // The number of the key's messages (0 without an entry); Count() without a
  // key is the number of entries.
  int Count(const UserID& Key) const;
  using TList::Count;
  // The number of messages of all keys (kept as they come and go: the
  // receive path asks for it with every message).
  int Total() const { return FTotal; }

protected:
  void Notify(void* Ptr, TListNotification Action) override;

private:
  struct TKeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
  };
  using TKeyIndex = std::unordered_map<std::string, PendingUser*, TKeyHash, std::equal_to<>>;

  PendingUser* Entry(int Index) const { return static_cast<PendingUser*>(Items(Index)); }
  PendingUser* FindUser(const UserID& Key) const;
  const PendingMessage* Find(int N, const UserID& Key) const;
  static void FreeEntry(PendingUser* Entry);

  TKeyIndex FIndex;
  int FTotal = 0;
};
