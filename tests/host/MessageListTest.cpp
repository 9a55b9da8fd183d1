#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/MessageList.h"
#include "platform/base/Exception.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"

namespace {

const UserID A("0;1;2");
const UserID B("1;0;0");

}  // namespace

TEST(MessageList, AddCountAndReadBack)
{
  TmessageList list;
  list.Add(A, "un", 45000.25, mkText);
  list.Add(A, "deux", 45000.5, mkRtf);
  list.Add(B, "autre", 45001.0, mkHtml);
  list.Add(A, "trois", 45000.75, mkHtml);

  EXPECT_EQ(list.Count(), 2);  // entries
  EXPECT_EQ(list.Count(A), 3);
  EXPECT_EQ(list.Count(B), 1);
  EXPECT_EQ(list.Total(), 4);  // messages, not keys
  EXPECT_EQ(list.IndexOf(B), 1);
  struct Case {
    int n;
    const char* text;
    MessageKind kind;
    TDateTime time;
  } cases[] = {
      {0, "un", mkText, 45000.25},
      {1, "deux", mkRtf, 45000.5},
      {2, "trois", mkHtml, 45000.75},
      {3, "", 0, 0.0},  // fewer messages: the defaults
      {-1, "", 0, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(list.GetText(c.n, A), c.text) << c.n;
    EXPECT_EQ(list.GetKind(c.n, A), c.kind) << c.n;
    EXPECT_EQ(list.GetTime(c.n, A), c.time) << c.n;
  }
  const UserID unknown("zz");
  EXPECT_EQ(list.GetText(0, unknown), "");
  EXPECT_EQ(list.GetKind(0, unknown), 0);
  EXPECT_EQ(list.GetTime(0, unknown), 0.0);
  EXPECT_EQ(list.Count(unknown), 0);
  EXPECT_EQ(list.IndexOf(unknown), -1);
  EXPECT_FALSE(list.HasMessages(unknown));
}

TEST(MessageList, KeepsItsOwnCopyOfTheText)
{
  TmessageList list;
  char text[] = "bonjour";
  list.Add(A, text, 1.0, mkText);
  std::memset(text, 'x', sizeof text - 1);
  EXPECT_EQ(list.GetText(0, A), "bonjour");
}

TEST(MessageList, KeysCompareExactly)
{
  TmessageList list;
  const UserID own("-0;1;2");
  const UserID longer("0;1;20");
  const UserID upper("A;b");
  const UserID lower("a;b");
  list.Add(A, "x", 1.0, mkText);
  list.Add(own, "y", 1.0, mkText);
  list.Add(longer, "z", 1.0, mkText);
  list.Add(upper, "u", 1.0, mkText);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.GetText(0, own), "y");
  EXPECT_EQ(list.GetText(0, longer), "z");
  EXPECT_FALSE(list.HasMessages(lower));
}

TEST(MessageList, DeletingEntries)
{
  TmessageList list;
  list.Add(A, "a1", 1.0, mkText);
  list.Add(A, "a2", 1.0, mkText);
  list.Add(B, "b1", 1.0, mkText);
  list.DeleteUser(A);
  EXPECT_FALSE(list.HasMessages(A));
  EXPECT_EQ(list.Total(), 1);
  EXPECT_EQ(list.IndexOf(B), 0);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list.Delete(0), EListError);
  // Entries left at destruction are freed with their messages (the sanitizers check).
  list.Add(A, "reste", 1.0, mkText);
}

TEST(MessageList, LogsEveryStep)
{
  TCDebugWindow console;
  ASSERT_TRUE(console.Valid());
  TmessageList list;
  list.Add(A, "un", 1.0, mkText);
  list.Add(A, "deux", 2.0, mkText);
  list.Add(B, "trois", 3.0, mkText);
  const std::string source = "MessageList";
  auto newEntry = [&](const std::string& key, int index) {
    return std::vector<TCDebugLine>{
        {source, 0, "---Ajout de message dans la liste"},
        {source, 3, "Id du UserID: -1"},
        {source, 3, "Pas encore de message de " + key},
        {source, 3, "Creation de l'utilisateur"},
        {source, 3, "Creation du pointeur OK"},
        {source, 3, "Attribution des données OK"},
        {source, 3, "Ajout du pointeur dans la liste: " + std::to_string(index)},
        {source, 3, "Creation du message"},
        {source, 3, "Creation du pointeur OK"},
        {source, 3, "Attribution des données OK"},
        {source, 3, "Ajout du pointeur dans la liste OK"},
    };
  };
  std::vector<TCDebugLine> expected = newEntry("0;1;2", 0);
  expected.insert(expected.end(), {
                                      {source, 0, "---Ajout de message dans la liste"},
                                      {source, 3, "Id du UserID: 0"},
                                      {source, 3, "Creation du message"},
                                      {source, 3, "Creation du pointeur OK"},
                                      {source, 3, "Attribution des données OK"},
                                      {source, 3, "Ajout du pointeur dans la liste OK"},
                                  });
  auto second = newEntry("1;0;0", 1);
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(console.Lines, expected);

  console.Lines.clear();
  list.DeleteUser(A);
  EXPECT_EQ(console.Lines, (std::vector<TCDebugLine>{
                               {source, 0, "---Effacement d'un userID dans la listd"},
                               {source, 3, "Nb d'utilisateur: 2"},
                               {source, 3, "C'est le bon userID !"},
                               {source, 3, "Nb de message de lui: 2"},
                               {source, 3, "Effacement du message 0"},
                               {source, 3, "Effacement du message 1"},
                               {source, 3, "Effacement de la liste"},
                               {source, 3, "Liberation de la liste"},
                               {source, 3, "Effacement de l'UserID"},
                           }));

  // An unknown key changes nothing and logs only the first two lines.
  console.Lines.clear();
  list.DeleteUser(UserID("9;9;9"));
  EXPECT_EQ(console.Lines, (std::vector<TCDebugLine>{
                               {source, 0, "---Effacement d'un userID dans la listd"},
                               {source, 3, "Nb d'utilisateur: 1"},
                           }));
  EXPECT_EQ(list.Total(), 1);
  // Delete and the lookups log nothing.
  console.Lines.clear();
  list.GetText(0, B);
  list.Delete(0);
  EXPECT_TRUE(console.Lines.empty());
}
