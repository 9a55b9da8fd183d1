// The chat window's conversation lines: one text with where each line
// starts must read back, line by line and whole, as a string list of the
// same lines does, whatever was added, inserted or deleted; the text the
// viewer shares only grows, unless a change says it was rewritten.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "chatwin/ConversationLines.h"
#include "platform/base/Exception.h"
#include "platform/base/StringList.h"

namespace {

void ExpectSameLines(const TConversationLines& Lines, const TStringList& Expected)
{
  ASSERT_EQ(Lines.Count(), Expected.Count());
  for (int I = 0; I < Expected.Count(); ++I)
    EXPECT_EQ(Lines.Strings(I), Expected.Strings(I)) << "line " << I;
  EXPECT_EQ(Lines.Text(), Expected.Text());
}

}  // namespace

TEST(ConversationLinesTest, ReadsBackAsAStringListOfTheSameLines)
{
  struct TStep {
    char Op;  // 'a' add, 'i' insert at Index, 'd' delete Index
    int Index;
    const char* Line;
  };
  const std::string Long(300, 'x');  // past any string's inline room
  const TStep Steps[] = {
      {'a', 0, "<HTML>"},
      {'a', 0, ""},
      {'a', 0, "Premi\xC3\xA8re ligne<BR>\nDeuxi\xC3\xA8me ligne"},  // a message keeps its LF
      {'a', 0, "</DIV>"},
      {'i', 0, "<!-- first -->"},
      {'i', 2, "au milieu"},
      {'i', 6, "\xC3\xA0 la fin"},
      {'d', 0, nullptr},
      {'d', 3, nullptr},
      {'d', 4, nullptr},
      {'a', 0, Long.c_str()},
  };
  TConversationLines Lines;
  TStringList Expected;
  for (const TStep& S : Steps) {
    SCOPED_TRACE(std::string(1, S.Op) + " " + std::to_string(S.Index));
    switch (S.Op) {
    case 'a':
      Lines.Add(S.Line);
      Expected.Add(S.Line);
      break;
    case 'i':
      Lines.Insert(S.Index, S.Line);
      Expected.Insert(S.Index, S.Line);
      break;
    default:
      Lines.Delete(S.Index);
      Expected.Delete(S.Index);
      break;
    }
    ExpectSameLines(Lines, Expected);
  }
  Lines.Clear();
  EXPECT_EQ(Lines.Count(), 0);
  EXPECT_EQ(Lines.Text(), "");
}

TEST(ConversationLinesTest, AnIndexOutsideTheLinesRaises)
{
  TConversationLines Lines;
  Lines.Add("a");
  EXPECT_THROW(Lines.Strings(1), EStringListError);
  EXPECT_THROW(Lines.Strings(-1), EStringListError);
  EXPECT_THROW(Lines.Delete(1), EStringListError);
  EXPECT_THROW(Lines.Insert(2, "b"), EStringListError);
  EXPECT_EQ(Lines.Text(), "a\r\n");
}

TEST(ConversationLinesTest, ALineWrittenInPlaceReadsBackAsAnAddedOne)
{
  const std::string Long(100000, 'y');
  TConversationLines Lines;
  TStringList Expected;
  for (const std::string& Line : {std::string("<HTML>"), std::string(), Long, std::string("x\ny")}) {
    Lines.Reserve(Line.size() + 2, 1);
    Lines.AddWritten(Line.size(), [&Line](std::string& Text) { Text += Line; });
    Lines.Add("</DIV>");
    Expected.Add(Line);
    Expected.Add("</DIV>");
    ExpectSameLines(Lines, Expected);
  }
}

TEST(ConversationLinesTest, TheSharedTextGrowsInPlaceAndAnyOtherChangeIsARewrite)
{
  // The viewer reads the shared text where it is and reads on only what was
  // appended: every change that is not an append must say so.
  struct TStep {
    char Op;  // 'a' add, 'w' written in place, 'i' insert at Index, 'd' delete Index, 'c' clear
    int Index;
    bool Rewrites;
  };
  const TStep Steps[] = {
      {'a', 0, false}, {'w', 0, false}, {'a', 0, false}, {'i', 3, false},
      {'i', 1, true},  {'d', 4, true},  {'a', 0, false}, {'c', 0, true},
  };
  TConversationLines Lines;
  const std::shared_ptr<const TAppendOnlyText> Shared = Lines.SharedText();
  for (const TStep& S : Steps) {
    SCOPED_TRACE(std::string(1, S.Op) + " " + std::to_string(S.Index));
    const std::uint64_t Revision = Shared->Revision();
    const std::string Before = Shared->Str();
    switch (S.Op) {
    case 'a':
      Lines.Add("<DIV>ligne</DIV>");
      break;
    case 'w':
      Lines.AddWritten(5, [](std::string& Text) { Text += "<BR>!"; });
      break;
    case 'i':
      Lines.Insert(S.Index, "<P>ins\xC3\xA9r\xC3\xA9""e");
      break;
    case 'd':
      Lines.Delete(S.Index);
      break;
    default:
      Lines.Clear();
      break;
    }
    EXPECT_EQ(Shared->Revision() != Revision, S.Rewrites);
    if (!S.Rewrites) {
      EXPECT_TRUE(Shared->Str().starts_with(Before));
    }
    EXPECT_EQ(Shared->Str(), Lines.Text());
    EXPECT_EQ(Lines.SharedText(), Shared);
  }
}
