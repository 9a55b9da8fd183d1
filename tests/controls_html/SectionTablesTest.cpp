// What a finished text section keeps of its characters besides the text
// (break flags, source runs) and the lines of its last layout, in their
// compact forms: short sections keep them inside the object, longer ones
// in one allocation, and the answers must not depend on which.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionIndex.h"
#include "controls/html/document/SectionText.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/layout/LineList.h"
#include "controls/html/styles/PropStack.h"

namespace {

TEST(SectionTablesTest, IndexAnswersEveryFlagAndRunWhereverItKeepsThem)
{
  struct TCase {
    const char* Name;
    std::size_t FlagCount;
    std::vector<int> Map;  // source positions, one per character
  };
  auto Straight = [](std::size_t N, int From) {
    std::vector<int> M(N);
    for (std::size_t I = 0; I < N; ++I)
      M[I] = From + int(I);
    return M;
  };
  std::vector<int> Gapped = Straight(130, 7);
  for (std::size_t I = 40; I < Gapped.size(); ++I)
    Gapped[I] += 5;  // an entity's extra bytes
  for (std::size_t I = 100; I < Gapped.size(); ++I)
    Gapped[I] += 2;
  std::vector<int> ShortGapped = {3, 4, 9, 10, 11};
  const TCase Cases[] = {
      {"no source index", 10, {}},
      {"one flag", 1, {}},
      {"short, one run", 12, Straight(11, 40)},
      {"short, several runs", 6, ShortGapped},
      {"63 characters", 64, Straight(63, 0)},
      {"64 characters", 65, Straight(64, 1000)},
      {"long, several runs", 131, Gapped},
  };
  for (const TCase& C : Cases) {
    std::string Flags(C.FlagCount, 'n');
    for (std::size_t I = 0; I < Flags.size(); ++I)
      if (I % 3 == 0 || I % 7 == 2 || I + 1 == Flags.size())
        Flags[I] = 'y';
    TSectionIndex Index;
    Index.Assign(Flags, C.Map.data(), C.Map.size());
    ASSERT_EQ(Index.FlagCount(), C.FlagCount) << C.Name;
    for (std::size_t I = 0; I < Flags.size(); ++I)
      EXPECT_EQ(Index.MayBreak(I), Flags[I] == 'y') << C.Name << " at " << I;
    EXPECT_FALSE(Index.MayBreak(Flags.size())) << C.Name << ": past the end";
    // The runs rebuild every character's source.
    for (std::size_t I = 0; I < C.Map.size(); ++I) {
      IndexObj Run{-1, -1};
      for (std::size_t R = 0; R < Index.RunCount(); ++R)
        if (Index.Run(R).Pos <= int(I))
          Run = Index.Run(R);
      ASSERT_GE(Run.Pos, 0) << C.Name;
      EXPECT_EQ(int(I) - Run.Pos + Run.Source, C.Map[I]) << C.Name << " at " << I;
    }
    EXPECT_EQ(Index.RunCount() == 0, C.Map.empty()) << C.Name;
    // A floating picture's mark may break after it, later: only that flag changes.
    const std::size_t Last = Flags.size() - 1;
    const std::size_t Marked = Last > 1 ? Last - 1 : 0;
    Index.AllowBreak(Marked);
    Flags[Marked] = 'y';
    for (std::size_t I = 0; I < Flags.size(); ++I)
      EXPECT_EQ(Index.MayBreak(I), Flags[I] == 'y') << C.Name << " after the change, at " << I;
    // Taken again, it holds only the new content.
    Index.Assign("yn", nullptr, 0);
    EXPECT_EQ(Index.FlagCount(), 2u) << C.Name;
    EXPECT_TRUE(Index.MayBreak(0));
    EXPECT_FALSE(Index.MayBreak(1));
    EXPECT_EQ(Index.RunCount(), 0u);
  }
}

TEST(SectionTablesTest, ATextReadsAsTheCharactersItWasGiven)
{
  struct TCase {
    const char* Name;
    std::u16string Chars;
  };
  const TCase Cases[] = {
      {"empty", u""},
      {"a line break, inside", u"\x08"},
      {"12 narrow, inside", u"d\u00E9j\u00E0 vu !!!\u00FF"},
      {"13 narrow, allocated", u"caf\u00E9 au lait."},
      {"6 wide, inside", u"\u0410\u0431\u0432 ab"},
      {"7 wide, allocated", u"\u20AC 12,50 !"},
      {"a surrogate pair", u"x\U0001F600y"},
      {"past the narrow limit", std::u16string(65537, u'a')},
  };
  for (const TCase& C : Cases) {
    TSectionText Text;
    Text.Assign(u"something else, long enough to be allocated");
    Text.Assign(C.Chars);  // taken again, it holds only the new characters
    ASSERT_EQ(Text.size(), C.Chars.size()) << C.Name;
    EXPECT_TRUE(Text == C.Chars) << C.Name;
    EXPECT_EQ(Text.Str(), C.Chars) << C.Name;
    EXPECT_EQ(std::u16string(Text.begin(), Text.end()), C.Chars) << C.Name;
    std::u16string Scratch;
    if (!C.Chars.empty()) {
      const std::size_t From = C.Chars.size() / 2;
      const std::size_t Count = C.Chars.size() - From;
      EXPECT_EQ(std::u16string(Text.Wide(From, Count, Scratch), Count), C.Chars.substr(From)) << C.Name;
      EXPECT_EQ(Text.substr(From, 3), C.Chars.substr(From, 3)) << C.Name;
      EXPECT_EQ(Text.back(), C.Chars.back()) << C.Name;
      EXPECT_EQ(Text.find(C.Chars.substr(From, 2)), C.Chars.find(C.Chars.substr(From, 2))) << C.Name;
    }
    EXPECT_EQ(Text.find(u"zz"), TSectionText::npos) << C.Name;
    EXPECT_EQ(Text.find(u"", C.Chars.size()), C.Chars.size()) << C.Name;
    EXPECT_THROW((void)Text.substr(C.Chars.size() + 1), std::out_of_range) << C.Name;
  }
}

// The text sections of Body, built and laid out at Width.
std::unique_ptr<TSectionList> Built(const std::string& Html, int Width)
{
  auto Doc = MakeDocument();
  Doc->MarginWidth = Doc->MarginHeight = 0;
  ParseHtmlIntoSections(Html, *Doc);
  Doc->DoLogic(Width, 400);
  return Doc;
}

TEST(SectionTablesTest, EveryCharacterMapsToItsSourceAndBack)
{
  const std::string Long(70, 'q');
  const char* Bodies[] = {
      "hello world",
      "a&amp;b  c<B>d</B>e",
      "x  &lt;y&gt;   z",
      "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijk",   // 63
      "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijkl",  // 64
  };
  std::vector<std::string> Cases(std::begin(Bodies), std::end(Bodies));
  Cases.push_back(Long + " &amp; " + Long + "  <I>tail</I>&quot;end");
  for (const std::string& Body : Cases) {
    const std::string Html = "<BODY>" + Body;
    auto Doc = Built(Html, 3000);
    int Checked = 0;
    for (TSection* S : AllOf<TSection>(*Doc)) {
      for (int P = S->StartPos; P < S->StartPos + S->CharCount; ++P) {
        const int Source = S->DocToSource(P);
        ASSERT_GE(Source, 0) << Body << " at " << P;
        ASSERT_LT(Source, int(Html.size())) << Body << " at " << P;
        const char16_t Ch = S->Text[std::size_t(P - S->StartPos)];
        if (Ch < 128 && std::isalpha(int(Ch))) {
          EXPECT_EQ(char16_t(Html[std::size_t(Source)]), Ch) << Body << " at " << P;
          ++Checked;
        }
        EXPECT_EQ(S->SourceToDoc(Source, false), P) << Body << " at " << P;
        EXPECT_EQ(S->SourceToDoc(Source, true), P) << Body << " at " << P;
      }
    }
    EXPECT_GT(Checked, 0) << Body;
  }
}

TEST(SectionTablesTest, NoLineBreaksInsideNobrWhereverItStands)
{
  const std::string Words = [] {
    std::string W;
    for (int I = 0; I < 30; ++I)
      W += "ab ";
    return W;
  }();
  struct TCase {
    const char* Name;
    std::string Before, Kept, After;
  };
  const TCase Cases[] = {
      {"short section", "", "cd ef gh", " ij kl mn"},
      {"past the first 64 characters", Words, "cd ef gh", " ij kl mn"},
  };
  for (const TCase& C : Cases) {
    auto Doc = Built("<BODY>" + C.Before + "<NOBR>" + C.Kept + "</NOBR>" + C.After, 40);
    TSection* S = AllOf<TSection>(*Doc).at(0);
    const std::size_t KeptAt = S->Text.find(u"cd");
    ASSERT_NE(KeptAt, std::u16string::npos) << C.Name;
    ASSERT_GE(S->Lines.size(), 3u) << C.Name << ": the breakable words wrap";
    for (const LineRec& L : S->Lines)
      EXPECT_FALSE(L.Start > int(KeptAt) && L.Start < int(KeptAt + 8)) << C.Name << ": a line starts at " << L.Start;
  }
}

TEST(SectionTablesTest, SectionsBuiltAtOnceKeepTheirOwnFlagsAndSources)
{
  // Two sections of one document grow in turns, a third is dropped
  // unfinished between them, and they are finished in the other order: each
  // collapses its double space by its own break flags and keeps its own
  // source positions.
  auto Doc = MakeDocument();
  TPropStack Stack{TestFonts()};
  TProperties& Props = *Stack.Push("p", "", "", "", "", nullptr);
  auto Breaking = std::make_unique<TSection>(Doc.get(), true, nullptr, Props, nullptr);
  auto Kept = std::make_unique<TSection>(Doc.get(), true, nullptr, Props, nullptr);
  const char16_t Chars[] = {u'a', u' ', u' ', u'b'};
  for (int I = 0; I < 4; ++I) {
    Breaking->AppendChar(Chars[I], 10 + I);
    if (I == 2) {
      auto Dropped = std::make_unique<TSection>(Doc.get(), false, nullptr, Props, nullptr);
      Dropped->AppendChar(u'z', 99, true);
    }
    Kept->AppendChar(Chars[I], 50 + I, true);
  }
  Kept->FinishText();
  Breaking->FinishText();
  struct TCase {
    const char* Name;
    const TSection& Section;
    std::vector<int> Sources;  // one per character left
    bool BreaksAfterFirst;
  };
  // The second space goes where a line may break after the first; where it
  // may not, the first goes.
  const TCase Cases[] = {{"breaking", *Breaking, {10, 11, 13}, true}, {"kept together", *Kept, {50, 52, 53}, false}};
  for (const TCase& C : Cases) {
    EXPECT_EQ(C.Section.Text, u"a b") << C.Name;
    for (std::size_t I = 0; I < C.Sources.size(); ++I)
      EXPECT_EQ(C.Section.DocToSource(int(I)), C.Sources[I]) << C.Name << " at " << I;
    EXPECT_EQ(C.Section.Index.MayBreak(0), C.BreaksAfterFirst) << C.Name;
    EXPECT_TRUE(C.Section.Index.MayBreak(3)) << C.Name << ": after the last character";
  }
  EXPECT_TRUE(Doc->SectionBuilds.empty()) << "finished and dropped sections keep no building state";
}

TEST(SectionTablesTest, AMeasuredRunMeasuresAgainOnceItsFontChanges)
{
  auto Doc = MakeDocument();
  TPropStack Stack{TestFonts()};
  TProperties& Props = *Stack.Push("p", "", "", "", "", nullptr);
  // Sections are measured once finished: their text no longer changes.
  auto Make = [&](std::u16string_view Chars) {
    auto S = std::make_unique<TSection>(Doc.get(), false, nullptr, Props, nullptr);
    for (char16_t C : Chars)
      S->AppendChar(C, 0);
    S->FinishText();
    return S;
  };
  auto Enlarge = [&](TSection& S) {
    TMyFont Big(*S.Fonts.Last()->Font);
    Big.Height = -3 * S.Fonts.Last()->FontHeight();  // a character three lines high
    S.Fonts.Last()->ReplaceFont(*Doc, Doc->FontPool.Intern(Big));
  };
  // The run below was measured (and its extents kept) before the change; a
  // fresh section measures the same text in the same font with nothing kept.
  auto Changed = Make(u"abcd");
  const int Before = Changed->RunWidth(0, 4);
  Enlarge(*Changed);
  auto Fresh = Make(u"abcd");
  Enlarge(*Fresh);
  EXPECT_EQ(Changed->RunWidth(0, 4), Fresh->RunWidth(0, 4));
  EXPECT_EQ(Changed->RunWidth(1, 2), Fresh->RunWidth(1, 2));
  EXPECT_GT(Changed->RunWidth(0, 4), Before) << "the larger font is wider";
}

TEST(SectionTablesTest, LaidOutAgainAtAnotherWidthTheLinesAreThoseOfAFreshLayout)
{
  std::string Body;
  for (int I = 0; I < 12; ++I)
    Body += "word" + std::to_string(I) + " ";
  Body += "<BR>short<BR><BR>" + Body;
  const std::vector<int> Widths[] = {{600, 80, 600}, {80, 2000, 45}, {45, 45, 300}};
  for (const std::vector<int>& Sequence : Widths) {
    auto Doc = Built("<BODY>" + Body, Sequence.front());
    for (int Width : Sequence) {
      Doc->DoLogic(Width, 400);
      auto Fresh = Built("<BODY>" + Body, Width);
      const std::vector<TSection*> Again = AllOf<TSection>(*Doc), Once = AllOf<TSection>(*Fresh);
      ASSERT_EQ(Again.size(), Once.size());
      for (std::size_t K = 0; K < Again.size(); ++K) {
        const TLineList& A = Again[K]->Lines;
        const TLineList& B = Once[K]->Lines;
        ASSERT_EQ(A.size(), B.size()) << "width " << Width << ", section " << K;
        for (std::size_t I = 0; I < A.size(); ++I) {
          const LineRec& X = A[I];
          const LineRec& Y = B[I];
          const int Xs[] = {X.Start, X.LeadAbove, X.LeadBelow, X.TextHeight, X.BoxHeight(), X.CharsInLine, X.MaxDescent,
                            X.OffsetX, X.PaintY, X.PaintX, X.RoomWidth, X.SpaceCount, X.SpareWidth};
          const int Ys[] = {Y.Start, Y.LeadAbove, Y.LeadBelow, Y.TextHeight, Y.BoxHeight(), Y.CharsInLine, Y.MaxDescent,
                            Y.OffsetX, Y.PaintY, Y.PaintX, Y.RoomWidth, Y.SpaceCount, Y.SpareWidth};
          for (std::size_t F = 0; F < std::size(Xs); ++F)
            EXPECT_EQ(Xs[F], Ys[F]) << "width " << Width << ", section " << K << ", line " << I << ", field " << F;
        }
      }
    }
  }
}

LineRec NumberedLine(int I)
{
  LineRec L;
  L.Start = I;
  L.PaintY = 1000 + I;
  L.SpareWidth = -I;
  return L;
}

TEST(SectionTablesTest, ALineListKeepsItsLinesWhereverItHoldsThem)
{
  // One line lives inside the list, more on the heap: a layout of each
  // count follows a layout of each count, with its room fitted after each.
  const int Counts[] = {0, 1, 2, 3, 7};
  for (int First : Counts)
    for (int Second : Counts) {
      TLineList Lines;
      for (int I = 0; I < First; ++I)
        Lines.push_back(NumberedLine(I));
      Lines.Fit();
      ASSERT_EQ(Lines.size(), std::size_t(First));
      for (int I = 0; I < First; ++I)
        EXPECT_EQ(Lines[std::size_t(I)].PaintY, 1000 + I) << First;
      Lines.clear();
      EXPECT_TRUE(Lines.empty());
      for (int I = 0; I < Second; ++I)
        Lines.push_back(NumberedLine(10 + I));
      if (Second % 2 == 1)
        Lines.Fit();
      ASSERT_EQ(Lines.size(), std::size_t(Second)) << First << " then " << Second;
      int I = 10;
      for (const LineRec& L : Lines) {
        EXPECT_EQ(L.Start, I) << First << " then " << Second;
        EXPECT_EQ(L.SpareWidth, -I) << First << " then " << Second;
        ++I;
      }
      if (Second > 0) {
        EXPECT_EQ(Lines.front().Start, 10);
        EXPECT_EQ(Lines.back().Start, 9 + Second);
      }
      EXPECT_THROW(Lines.at(std::size_t(Second)), std::out_of_range);
    }
  // A line of the list pushed again while the list moves to the heap.
  TLineList Own;
  Own.push_back(NumberedLine(5));
  for (int I = 0; I < 4; ++I)
    Own.push_back(Own.back());
  ASSERT_EQ(Own.size(), 5u);
  for (const LineRec& L : Own)
    EXPECT_EQ(L.PaintY, 1005);
}

TEST(SectionTablesTest, ParagraphsPastTheExtentStoreLayOutAsEachDoesAlone)
{
  // Paragraphs of many runs: together past the bound of the measured
  // extents' store (so later ones push out what earlier ones measured, and
  // the earlier ones measure again for their lines), each alone within it.
  std::vector<std::string> Paragraphs;
  for (int Seed = 0; Seed < 3; ++Seed) {
    std::string P = "<P>";
    for (int I = 0; I < 3500; ++I)
      P += I % 3 == 0 ? "<B>mot" + std::to_string((I * 7 + Seed) % 100) + "</B> "
                      : "<I>long" + std::to_string((I * 3 + Seed) % 1000) + "</I> ";
    Paragraphs.push_back(P);
  }
  const int Width = 300;
  auto Together = Built("<BODY>" + Paragraphs[0] + Paragraphs[1] + Paragraphs[2], Width);
  EXPECT_LE(Together->ExtentStore.capacity(), TSectionList::ExtentStoreBound);
  const std::vector<TSection*> All = AllOf<TSection>(*Together);
  ASSERT_EQ(All.size(), Paragraphs.size());
  std::size_t Characters = 0;
  for (TSection* S : All) {
    EXPECT_LT(std::size_t(S->CharCount), TSectionList::ExtentStoreBound);
    Characters += std::size_t(S->CharCount);
  }
  ASSERT_GT(Characters, TSectionList::ExtentStoreBound) << "the paragraphs must pass the store together";
  for (std::size_t K = 0; K < Paragraphs.size(); ++K) {
    auto Alone = Built("<BODY>" + Paragraphs[K], Width);
    const std::vector<TSection*> One = AllOf<TSection>(*Alone);
    ASSERT_EQ(One.size(), 1u);
    const TLineList& A = All[K]->Lines;
    const TLineList& B = One[0]->Lines;
    ASSERT_EQ(A.size(), B.size()) << "paragraph " << K;
    ASSERT_GT(A.size(), 100u);
    const int Dy = A[0].PaintY - B[0].PaintY;
    for (std::size_t I = 0; I < A.size(); ++I) {
      const LineRec& X = A[I];
      const LineRec& Y = B[I];
      const int Xs[] = {X.Start, X.LeadAbove, X.LeadBelow, X.TextHeight, X.BoxHeight(), X.CharsInLine, X.MaxDescent,
                        X.OffsetX, X.PaintY - Dy, X.PaintX, X.RoomWidth, X.SpaceCount, X.SpareWidth};
      const int Ys[] = {Y.Start, Y.LeadAbove, Y.LeadBelow, Y.TextHeight, Y.BoxHeight(), Y.CharsInLine, Y.MaxDescent,
                        Y.OffsetX, Y.PaintY, Y.PaintX, Y.RoomWidth, Y.SpaceCount, Y.SpareWidth};
      for (std::size_t F = 0; F < std::size(Xs); ++F)
        ASSERT_EQ(Xs[F], Ys[F]) << "paragraph " << K << ", line " << I << ", field " << F;
    }
    // Widths asked after the layout (as painting and clicks do) measure
    // again what the store let go.
    for (int Start : {0, 17, All[K]->CharCount / 2})
      EXPECT_EQ(All[K]->RunWidth(Start, 40), One[0]->RunWidth(Start, 40)) << "paragraph " << K << " at " << Start;
    EXPECT_EQ(All[K]->RunWidth(0, All[K]->CharCount), One[0]->RunWidth(0, One[0]->CharCount)) << K;
  }
}

}  // namespace
