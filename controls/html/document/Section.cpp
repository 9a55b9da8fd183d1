#include "controls/html/document/Section.h"

#include <algorithm>
#include <stdexcept>

#include "controls/html/document/SectionList.h"
#include "controls/html/document/SlotPool.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/styles/PropStack.h"
#include "controls/html/text/TokenObj.h"
#include "platform/base/StringRoutines.h"

// A conversation keeps every section it ever showed: a section stays within
// a 168-byte slot.
static_assert(sizeof(TSection) <= 168);

void* TSection::operator new(std::size_t Size) { return AllocateSlot(SlotPoolOf<TSection>(), Size); }

void TSection::operator delete(void* Object, std::size_t Size) noexcept { FreeSlot(SlotPoolOf<TSection>(), Object, Size); }

TSection::TSection(TSectionList* ADocument, bool FirstInParagraph, const TUrlTarget* Link, TProperties& Props,
                   TAttributeList* Attributes)
    : TSectionBase(ADocument)
{
  Fonts.Items.push_back(std::make_unique<TFontObj>(*ADocument, 0, ADocument->FontPool.Intern(Props.Font())));
  TFontObj* F = Fonts.Last();
  F->SetTitle(Props.PropTitle);
  if (Link && !Link->URL.empty()) {
    F->EditUrlTarget().Copy(*Link);
    F->SetFIArray(*ADocument, ADocument->LinkFonts(Props));
    ADocument->AddLinkRun(F);
  }
  LineBoxHeight = Props.GetLineHeight(F->FontHeight());
  if (FirstInParagraph) {
    bool Percent = false;
    const int Indent = Props.GetTextIndent(Percent);
    if (Percent)
      FirstIndentPercent = std::clamp(Indent, 0, 90);
    else
      FirstIndent = std::clamp(Indent, -10000, 10000);
  }
  if (Attributes) {
    if (const TAttribute* Clear = Attributes->Find(ClearSy)) {
      // "none" and unknown values clear nothing; only the named sides clear.
      const std::string S = LowerCase(Clear->Name);
      ClearMode = S == "left" ? 1 : S == "right" ? 2 : S == "all" || S == "both" ? 3 : 0;
    }
  }
  TClearAttrType Clear;
  if (Props.GetClear(Clear))
    ClearMode = int(Clear);
  const TPropValue& Align = Props.Props[piTextAlign];
  const std::string_view A = Align.IsString() ? std::string_view(Align.AsString()) : std::string_view();
  Alignment = A == "right" ? 3 : A == "center" ? 2 : A == "justify" ? 4 : 1;
  // Last, so that a constructor that throws leaves no state behind under
  // this address.
  std::unique_ptr<TSectionBuild> Build =
      ADocument->SpareBuild ? std::move(ADocument->SpareBuild) : std::make_unique<TSectionBuild>();
  // Built in the document's spare buffers (none when another section is
  // being built at the same time: this one then grows its own).
  Build->Text.clear();
  Build->BreakFlags.clear();
  Build->SourceMap.clear();
  ADocument->SectionBuilds.emplace_back(this, std::move(Build));
}

TSection::~TSection()
{
  if (Document) {
    for (auto& F : Fonts.Items)
      Document->ForgetLink(F.get());
    // Another section may be made where this one was.
    if (Document->MarkerSearch.Section == this)
      Document->MarkerSearch = {};
    // One dropped before it was finished (an empty paragraph) lends its
    // building part on.
    if (FBuilding)
      ReleaseBuild();
  }
}

std::size_t TSection::FindBuild() const
{
  // The section appended to last is the one built: it is searched from the end.
  const auto& Builds = Document->SectionBuilds;
  for (std::size_t I = Builds.size(); I-- > 0;)
    if (Builds[I].first == this)
      return I;
  return Builds.size();
}

TSectionBuild& TSection::Build() const
{
  const std::size_t At = FindBuild();
  if (At == Document->SectionBuilds.size())
    throw std::logic_error("TSection: no building state");
  return *Document->SectionBuilds[At].second;
}

void TSection::ReleaseBuild()
{
  FBuilding = false;
  auto& Builds = Document->SectionBuilds;
  const std::size_t At = FindBuild();
  if (At == Builds.size())
    return;
  std::unique_ptr<TSectionBuild> Build = std::move(Builds[At].second);
  Builds.erase(Builds.begin() + std::ptrdiff_t(At));
  // The roomier buffers serve the next section.
  if (!Document->SpareBuild || Build->BreakFlags.capacity() > Document->SpareBuild->BreakFlags.capacity())
    Document->SpareBuild = std::move(Build);
}

void TSection::AppendText(std::u16string_view S, const int* Positions, std::size_t PositionCount, char Flag)
{
  TSectionBuild& B = Build();
  B.Text += S;
  B.SourceMap.insert(B.SourceMap.end(), Positions, Positions + PositionCount);
  B.BreakFlags.append(S.size(), Flag);
  CharCount = int(B.Text.size());
}

void TSection::AllowBreak(int I)
{
  if (FBuilding)
    Build().BreakFlags[std::size_t(I)] = 'y';
  else
    Index.AllowBreak(std::size_t(I));
}

void TSection::AppendToken(const TokenObj& Token, bool NoBreak, TPropStack* Stack)
{
  if (Token.Count() == 0)
    return;
  const std::u16string& Source = Token.Text();
  const char Flag = NoBreak || Preformatted ? 'n' : 'y';
  TProperties* Top = Stack ? Stack->Last() : nullptr;
  const TTextTransformType T = Top ? Top->GetTextTransform() : txNone;
  // Read in place: the variant getter returns a copy of the string.
  const TPropValue* Variant = Top ? &Top->Props[piFontVariant] : nullptr;
  const bool SmallCaps = Variant && Variant->IsString() && Variant->AsString() == "small-caps";
  if (!SmallCaps) {
    // Transform the characters in place, past the end of the text built so far.
    std::u16string& Built = Build().Text;
    const std::size_t Start = Built.size();
    AppendText(Source, Token.Positions().data(), Token.Positions().size(), Flag);
    if (T == txUpper || T == txLower)
      for (std::size_t I = Start; I < Built.size(); ++I)
        if (Built[I] < 128)
          Built[I] = T == txUpper ? char16_t(std::toupper(Built[I])) : char16_t(std::tolower(Built[I]));
    return;
  }
  std::u16string S = Source;
  if (T == txUpper || T == txLower)
    for (char16_t& C : S)
      if (C < 128)
        C = T == txUpper ? char16_t(std::toupper(C)) : char16_t(std::tolower(C));
  // Small capitals: lower-case letters are shown upper-cased in the smaller
  // font of a pushed "small" level.
  bool InSmall = false;
  for (std::size_t I = 0; I < S.size(); ++I) {
    const char16_t C = S[I];
    const bool Lower = C < 128 && std::islower(C);
    const bool Upper = C < 128 && std::isupper(C);
    if ((Lower && !InSmall) || (Upper && InSmall)) {
      if (Lower)
        Stack->Push("small", "", "", "", "", nullptr);
      else
        Stack->Pop();
      InSmall = Lower;
      ChangeFont(*Stack->Last());
    }
    const char16_t Shown = Lower ? char16_t(std::toupper(C)) : C;
    AppendText(std::u16string_view(&Shown, 1), &Token.Positions()[I], 1, Flag);
  }
  if (InSmall) {
    Stack->Pop();
    ChangeFont(*Stack->Last());
  }
}

void TSection::AppendChar(char16_t Ch, int SourcePos, bool NoBreak)
{
  AppendText(std::u16string_view(&Ch, 1), &SourcePos, 1, NoBreak || Preformatted ? 'n' : 'y');
}

void TSection::ChangeFont(TProperties& Props)
{
  TFontObj* Last = Fonts.Last();
  TFontObj* F;
  const int Length = int(TextLength());
  if (Last && Last->Pos == Length) {
    Last->ReplaceFont(*Document, Document->FontPool.Intern(Props.Font()));
    F = Last;
  } else {
    Fonts.Items.push_back(std::make_unique<TFontObj>(*Document, Length, Document->FontPool.Intern(Props.Font())));
    F = Fonts.Last();
    // A run that is no link holds an empty target: only a link's is copied.
    if (Last && Last->IsLink())
      F->EditUrlTarget().Copy(Last->UrlTarget());
    if (F->IsLink()) {
      F->SetFIArray(*Document, Document->LinkFonts(Props));
      Document->AddLinkRun(F);
    }
  }
  F->SetTitle(Props.PropTitle);
  TAlignmentStyle VA;
  F->VertAlign = Props.GetVertAlign(VA) && (VA == aSub || VA == aSuper) ? (VA == aSub ? 8 : 9) : 0;
}

void TSection::ChangeLink(const TUrlTarget* Target, TProperties& Props)
{
  TFontObj* Last = Fonts.Last();
  const bool WasLink = Last && Last->IsLink();
  ChangeFont(Props);
  TFontObj* F = Fonts.Last();
  if (Target && !Target->URL.empty()) {
    F->EditUrlTarget().Copy(*Target);
    F->SetFIArray(*Document, Document->LinkFonts(Props));
    if (std::find(Document->LinkList.begin(), Document->LinkList.end(), F) == Document->LinkList.end())
      Document->AddLinkRun(F);
  } else {
    if (WasLink || F->IsLink())
      Document->ForgetLink(F);
    F->ClearUrlTarget();
    F->DropFIArray();
  }
}

TImageObj* TSection::AppendImage(TAttributeList& Attributes, TProperties& Props, int SourcePos)
{
  auto Image = std::make_unique<TImageObj>(Document, int(TextLength()), Attributes);
  Image->ApplyStyle(Props);
  return AppendObject(std::move(Image), SourcePos);
}

TImageObj* TSection::AppendObject(std::unique_ptr<TImageObj> Object, int SourcePos)
{
  Object->Pos = int(TextLength());
  TImageObj* Result = Object.get();
  Images.Add(std::move(Object));
  AppendChar(ImgPanMark, SourcePos);
  return Result;
}

void TSection::DeleteChars(const std::vector<char>& Drop)
{
  TSectionBuild& B = Build();
  const std::size_t N = B.Text.size();
  // Dropped[I]: characters taken out before I; a run or image starting at
  // I moves back by that many (one starting on a dropped character starts
  // on the one after it).
  std::vector<int> Dropped(N + 1, 0);
  for (std::size_t I = 0; I < N; ++I)
    Dropped[I + 1] = Dropped[I] + (Drop[I] ? 1 : 0);
  if (Dropped[N] == 0)
    return;
  auto Compact = [&](auto& Buffer) {
    std::size_t Out = 0;
    for (std::size_t I = 0; I < Buffer.size(); ++I)
      if (I >= N || !Drop[I])
        Buffer[Out++] = Buffer[I];
    Buffer.resize(Out);
  };
  Compact(B.Text);
  Compact(B.BreakFlags);
  Compact(B.SourceMap);
  auto Moved = [&](int Pos) { return Pos - Dropped[std::size_t(std::clamp(Pos, 0, int(N)))]; };
  for (auto& F : Fonts.Items) {
    F->ForgetExtents();
    F->Pos = Moved(F->Pos);
  }
  Fonts.DropEmptyRuns(Document);
  for (auto& Image : Images.Items)
    Image->Pos = Moved(Image->Pos);
}

bool TSection::HasSpaceToCollapse() const
{
  const std::u16string& Built = Build().Text;
  for (std::size_t I = 1; I < Built.size(); ++I) {
    const char16_t B = Built[I];
    if (B != u' ' && B != BrkMark)
      continue;
    const char16_t A = Built[I - 1];
    if ((B == u' ' && (A == u' ' || A == ImgPanMark || A == BrkMark)) || (A == u' ' && B == BrkMark))
      return true;
  }
  return false;
}

void TSection::CollapseSpaces()
{
  const std::u16string& Built = Build().Text;
  std::vector<char> Drop;
  auto Fresh = [&] { Drop.assign(Built.size(), 0); };
  // 2. Pairs of spaces: the second goes, or the first when it may not break
  // (the one kept then meets the next space).
  Fresh();
  int Kept = -1;
  for (int I = 0; I < int(Built.size()); ++I) {
    if (Kept >= 0 && Built[std::size_t(Kept)] == u' ' && Built[std::size_t(I)] == u' ') {
      if (!MayBreak(Kept)) {
        Drop[std::size_t(Kept)] = 1;
        Kept = I;
      } else {
        Drop[std::size_t(I)] = 1;
      }
    } else {
      Kept = I;
    }
  }
  DeleteChars(Drop);
  // 3. A space right after a floating image.
  Fresh();
  for (int I = 1; I < int(Built.size()); ++I)
    if (Built[std::size_t(I)] == u' ' && Built[std::size_t(I) - 1] == ImgPanMark) {
      TImageObj* Image = Images.FindImage(I - 1);
      if (Image && Image->Floating())
        Drop[std::size_t(I)] = 1;
    }
  DeleteChars(Drop);
  // 4. Spaces before and after a line break.
  Fresh();
  for (int I = 1; I < int(Built.size()); ++I) {
    if (Built[std::size_t(I)] != BrkMark)
      continue;
    for (int K = I - 1; K >= 0 && Built[std::size_t(K)] == u' '; --K)
      Drop[std::size_t(K)] = 1;
  }
  DeleteChars(Drop);
  Fresh();
  for (int I = 0; I + 1 < int(Built.size()); ++I) {
    if (Built[std::size_t(I)] != BrkMark)
      continue;
    for (int K = I + 1; K < int(Built.size()) && Built[std::size_t(K)] == u' '; ++K)
      Drop[std::size_t(K)] = 1;
  }
  DeleteChars(Drop);
}

void TSection::FinishText()
{
  if (!FBuilding)
    return;  // finished already: its building flags are gone
  // Taking characters out changes the text in place: the reference holds.
  const std::u16string& Built = Build().Text;
  if (!Preformatted) {
    // 1. Leading spaces.
    std::vector<char> Drop(Built.size(), 0);
    for (std::size_t I = 0; I < Built.size() && Built[I] == u' '; ++I)
      Drop[I] = 1;
    DeleteChars(Drop);
    // Steps 2 to 4 only remove a space next to a space, a picture or a break:
    // most sections have none, and one look saves the four scans.
    if (HasSpaceToCollapse())
      CollapseSpaces();
    // 5. One trailing space, then a final break of a longer section.
    auto DropLast = [&] {
      std::vector<char> Last(Built.size(), 0);
      Last.back() = 1;
      DeleteChars(Last);
    };
    if (!Built.empty() && Built.back() == u' ')
      DropLast();
    if (Built.size() > 1 && Built.back() == BrkMark)
      DropLast();
  }
  // 6. Close.
  CharCount = int(Built.size());
  if (Document && Document->MarkerSearch.Section == this)
    Document->MarkerSearch = {};
  KeepExactText();
  Fonts.Items.shrink_to_fit();
  if (CharCount > 0)
    ++Document->TextSectionCount;
}

void TSection::KeepExactText()
{
  // A conversation keeps every section it ever showed: no room to grow. The
  // building buffers go back to the document with the rest of the build.
  TSectionBuild& B = Build();
  Text.Assign(B.Text);
  std::string& Flags = B.BreakFlags;
  Flags.resize(std::size_t(CharCount), 'n');
  Flags += 'y';  // after the last character
  const std::vector<int>& Map = B.SourceMap;
  Index.Assign(Flags, Map.data(), CharCount > 0 ? std::min(Map.size(), std::size_t(CharCount)) : 0);
  ReleaseBuild();
}

const char16_t* TSection::WideText(int Start, int Count) const
{
  return Text.Wide(std::size_t(Start), std::size_t(Count), Document->WideScratch);
}

bool TSection::CharAt(int Pos, char16_t& Ch) const
{
  if (Pos < StartPos || Pos >= StartPos + CharCount)
    return false;
  Ch = Text[std::size_t(Pos - StartPos)];
  return true;
}

int TSection::DocToSource(int Pos) const
{
  const std::size_t Runs = Index.RunCount();
  if (Pos < StartPos || Pos >= StartPos + CharCount || Runs == 0)
    return -1;
  const int Offset = Pos - StartPos;
  IndexObj Run = Index.Run(0);
  for (std::size_t I = 1; I < Runs; ++I) {
    const IndexObj R = Index.Run(I);
    if (R.Pos <= Offset)
      Run = R;
  }
  return Offset + Run.Source - Run.Pos;
}

int TSection::SourceToDoc(int Source, bool TowardsPrevious) const
{
  const std::size_t Runs = Index.RunCount();
  if (Runs == 0 || CharCount == 0)
    return -1;
  auto NextPos = [&](std::size_t I) {  // the character just past run I
    return I + 1 < Runs ? Index.Run(I + 1).Pos : CharCount;
  };
  auto RunEnd = [&](std::size_t I) {  // the source just past run I
    const IndexObj R = Index.Run(I);
    return R.Source + NextPos(I) - R.Pos;
  };
  const int LastSource = RunEnd(Runs - 1);
  const IndexObj First = Index.Run(0);
  if (TowardsPrevious) {
    if (Source < First.Source)
      return -1;
    if (Source >= LastSource)
      return StartPos + CharCount - 1;
    for (std::size_t I = Runs; I-- > 0;) {
      const IndexObj R = Index.Run(I);
      if (Source >= R.Source) {
        if (Source < RunEnd(I))
          return StartPos + R.Pos + Source - R.Source;
        // In the gap after run I: the last character before it.
        return StartPos + NextPos(I) - 1;
      }
    }
    return -1;
  }
  if (Source >= LastSource)
    return -1;
  if (Source <= First.Source)
    return StartPos;
  for (std::size_t I = 0; I < Runs; ++I) {
    const IndexObj R = Index.Run(I);
    if (Source >= R.Source && Source < RunEnd(I))
      return StartPos + R.Pos + Source - R.Source;
    if (I + 1 < Runs) {
      const IndexObj Next = Index.Run(I + 1);
      if (Source >= RunEnd(I) && Source < Next.Source)
        return StartPos + Next.Pos;  // in the gap: the first character after it
    }
  }
  return -1;
}
