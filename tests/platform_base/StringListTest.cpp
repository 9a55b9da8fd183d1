#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "platform/base/AnsiStrings.h"
#include "platform/base/Exception.h"
#include "platform/base/HashedStringList.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/StringList.h"
#include "TempFolder.h"

namespace {

std::vector<std::string> Lines(const TStrings& s)
{
  std::vector<std::string> r;
  for (int i = 0; i < s.Count(); ++i)
    r.push_back(s.Strings(i));
  return r;
}

using V = std::vector<std::string>;

}  // namespace

TEST(Strings, TextSplitsOnEveryLineBreakAndJoinsWithCrLf)
{
  struct Case {
    const char* text;
    V lines;
  } cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\nb\r\n", {"a", "", "b"}},
      {"a\n\r", {"a", ""}},  // LF, then a CR of its own
      {"\r\n", {""}},
      {"", {}},
      {"é\r\r\n", {"é", ""}},
  };
  TStringList list;
  for (const auto& c : cases) {
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << c.text;
  }
  list.SetText("x\ny");
  EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(Strings, LoadFromFileReadsMixedBreaksAndSaveWritesCrLf)
{
  TTempFolder folder;
  std::string in = folder.Write("in.txt", "\xEF\xBB\xBFun\rdeux\r\ntrois\nquatre");
  TStringList list;
  list.LoadFromFile(in);
  EXPECT_EQ(Lines(list), (V{"un", "deux", "trois", "quatre"}));
  list.SaveToFile(folder / "out.txt");
  std::ifstream file(folder / "out.txt", std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_EQ(content.str(), "un\r\ndeux\r\ntrois\r\nquatre\r\n");
  EXPECT_THROW(list.LoadFromFile(folder / "missing.txt"), EFOpenError);
}

TEST(Strings, CommaAndDelimitedText)
{
  TStringList list;
  list.SetCommaText("a, \"b c\",\"d\"\"e\" f,,g,");
  EXPECT_EQ(Lines(list), (V{"a", "b c", "d\"e", "f", "", "g", ""}));
  EXPECT_EQ(list.CommaText(), "a,\"b c\",\"d\"\"e\",f,,g,");
  list.SetText("\r\n");
  EXPECT_EQ(list.CommaText(), "\"\"");  // one empty string stays one string
  list.SetCommaText("\"\"");
  EXPECT_EQ(Lines(list), (V{""}));
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("x;'y;z';w");
  EXPECT_EQ(Lines(list), (V{"x", "y;z", "w"}));
  EXPECT_EQ(list.DelimitedText(), "x;'y;z';w");
  list.SetCommaText("\"unclosed");
  EXPECT_EQ(Lines(list), (V{"unclosed"}));
}

TEST(Strings, NamesAndValues)
{
  TStringList list;
  list.SetText("Nom=Dupont\nville=Lyon\nsans valeur\n=vide");
  EXPECT_EQ(list.Names(0), "Nom");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Values("NOM"), "Dupont");  // names compare without case
  EXPECT_EQ(list.ValueFromIndex(1), "Lyon");
  EXPECT_EQ(list.ValueFromIndex(2), "");  // no separator, no value
  list.SetValues("Ville", "Paris");
  EXPECT_EQ(list.Strings(1), "Ville=Paris");
  list.SetValues("pays", "France");
  EXPECT_EQ(list.Strings(4), "pays=France");
  list.SetValues("nom", "");
  EXPECT_EQ(list.IndexOfName("Nom"), -1);
  list.SetNameValueSeparator(':');
  list.Add("clé:valeur");
  EXPECT_EQ(list.Values("CLÉ"), "valeur");
}

TEST(Strings, AssignEqualsMoveExchange)
{
  TStringList a, b;
  int x = 0;
  a.SetText("un\ndeux\ntrois");
  a.SetObjects(1, reinterpret_cast<TObject*>(&x));
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(&a));
  EXPECT_EQ(b.Objects(1), reinterpret_cast<TObject*>(&x));
  b.Move(1, 2);
  EXPECT_EQ(Lines(b), (V{"un", "trois", "deux"}));
  EXPECT_EQ(b.IndexOfObject(reinterpret_cast<TObject*>(&x)), 2);
  EXPECT_FALSE(b.Equals(&a));
  b.Exchange(0, 2);
  EXPECT_EQ(Lines(b), (V{"deux", "trois", "un"}));
  EXPECT_EQ(b.Objects(0), reinterpret_cast<TObject*>(&x));
  EXPECT_THROW(b.Strings(3), EStringListError);
  try {
    b.Delete(7);
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Indice de liste hors limites (7)");
  }
}

TEST(StringList, SortedListsAndDuplicates)
{
  struct Case {
    TDuplicates duplicates;
    bool caseSensitive;
    V expected;
  } cases[] = {
      {dupIgnore, false, {"alpha", "Beta", "élan", "zèbre"}},
      {dupAccept, false, {"alpha", "beta", "Beta", "élan", "zèbre"}},  // before the equal one
      {dupIgnore, true, {"alpha", "beta", "Beta", "élan", "zèbre"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.duplicates);
    list.SetCaseSensitive(c.caseSensitive);
    for (const char* s : {"zèbre", "Beta", "alpha", "élan", "beta"})
      list.Add(s);
    EXPECT_EQ(Lines(list), c.expected);
  }
  TStringList strict;
  strict.SetSorted(true);
  strict.SetDuplicates(dupError);
  strict.Add("un");
  try {
    strict.Add("UN");
    ADD_FAILURE() << "no exception";
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Doublons non autorisés dans cette liste");
  }
  EXPECT_THROW(strict.Insert(0, "x"), EStringListError);
  EXPECT_THROW(strict.SetStrings(0, "x"), EStringListError);
}

TEST(StringList, FindAndIndexOfFollowCaseSensitivity)
{
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  for (const char* s : {"b", "a", "B", "c", "b"})
    list.Add(s);
  int index = -1;
  EXPECT_TRUE(list.Find("B", index));
  EXPECT_EQ(index, 1);  // the first of the equal strings
  EXPECT_FALSE(list.Find("bb", index));
  EXPECT_EQ(index, 4);  // where it would go
  // Switching case sensitivity re-sorts, so bisection still finds everything.
  list.SetCaseSensitive(true);
  EXPECT_EQ(Lines(list), (V{"a", "b", "b", "B", "c"}));
  EXPECT_EQ(list.IndexOf("B"), 3);
  EXPECT_EQ(list.IndexOf("b"), 1);

  TStringList plain;  // unsorted: a linear search
  plain.SetCaseSensitive(true);
  plain.SetText("Abc\nabc");
  EXPECT_EQ(plain.IndexOf("abc"), 1);
  plain.SetCaseSensitive(false);
  EXPECT_EQ(plain.IndexOf("ABC"), 0);
}

TEST(StringList, SortAndCustomSort)
{
  TStringList list;
  list.SetText("b\nC\na");
  list.Sort();
  EXPECT_EQ(Lines(list), (V{"a", "b", "C"}));
  list.CustomSort([](TStringList* l, int i, int j) { return -AnsiCompareText(l->Strings(i), l->Strings(j)); });
  EXPECT_EQ(Lines(list), (V{"C", "b", "a"}));
  // A comparison that contradicts itself cannot make the sort leave the list.
  TStringList many;
  for (int i = 0; i < 200; ++i)
    many.Add(std::to_string(i % 7));
  many.CustomSort([](TStringList*, int, int) { return -1; });
  many.CustomSort([](TStringList*, int, int) { return 1; });
  EXPECT_EQ(many.Count(), 200);
}

TEST(StringList, ChangeEventsFrameChangesAndUpdates)
{
  struct Recorder {
    std::string log;
    void Changing(TObject*) { log += "<"; }
    void Changed(TObject*) { log += ">"; }
  } recorder;
  TStringList list;
  list.OnChanging = TNotifyEvent(&recorder, &Recorder::Changing);
  list.OnChange = TNotifyEvent(&recorder, &Recorder::Changed);
  list.Add("a");
  list.SetStrings(0, "b");
  list.Delete(0);
  EXPECT_EQ(recorder.log, "<><><>");
  recorder.log.clear();
  list.BeginUpdate();
  list.Add("x");
  list.Add("y");
  list.EndUpdate();
  EXPECT_EQ(recorder.log, "<>");
  recorder.log.clear();
  list.SetText("p\nq\nr");  // one update for the whole text
  EXPECT_EQ(recorder.log, "<>");
}

TEST(HashedStringList, LookupsStayRightAfterEveryChange)
{
  THashedStringList list;
  list.SetText("Alpha=1\nbeta=2\ngamma=3\nBETA=4");
  EXPECT_EQ(list.IndexOf("GAMMA=3"), 2);
  EXPECT_EQ(list.IndexOfName("Beta"), 1);
  list.Delete(0);
  EXPECT_EQ(list.IndexOf("gamma=3"), 1);
  EXPECT_EQ(list.IndexOfName("alpha"), -1);
  list.SetStrings(0, "delta=5");  // a rename
  EXPECT_EQ(list.IndexOfName("beta"), 2);
  EXPECT_EQ(list.IndexOfName("DELTA"), 0);
  EXPECT_EQ(list.Values("delta"), "5");
  list.Insert(0, "beta=0");
  EXPECT_EQ(list.IndexOfName("beta"), 0);
  list.Exchange(0, 3);
  EXPECT_EQ(list.IndexOfName("beta"), 0);  // BETA=4 now comes first
  EXPECT_EQ(list.Strings(0), "BETA=4");
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOfName("beta"), 3);
  EXPECT_EQ(list.IndexOf("GAMMA=3"), -1);
  list.SetNameValueSeparator(':');
  EXPECT_EQ(list.IndexOfName("beta"), -1);
  list.Add("beta:9");
  EXPECT_EQ(list.IndexOfName("beta"), 4);
  list.Clear();
  EXPECT_EQ(list.IndexOf("BETA=4"), -1);
}
