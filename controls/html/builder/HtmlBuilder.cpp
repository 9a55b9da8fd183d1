#include "controls/html/builder/HtmlBuilder.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/html/builder/LinkedStyleSheet.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/HorzLine.h"
#include "controls/html/document/MapItem.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/forms/PanelObj.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/parser/DocumentSink.h"
#include "controls/html/parser/HtmlParser.h"
#include "controls/html/parser/MarkupTables.h"
#include "controls/html/styles/ColorNames.h"
#include "controls/html/tables/TableBlock.h"
#include "controls/html/tables/TableLayout.h"
#include "controls/html/text/CodePageText.h"
#include "controls/html/text/TokenObj.h"
#include "platform/base/Exception.h"
#include "platform/base/StringRoutines.h"

namespace {

bool IsInlineFont(Symb Sy)
{
  switch (Sy) {
  case BSy: case ISy: case EmSy: case StrongSy: case USy: case CiteSy: case VarSy: case SSy: case StrikeSy:
  case TTSy: case CodeSy: case KbdSy: case SampSy: case SpanSy: case LabelSy: case SubSy: case SupSy:
  case BigSy: case SmallSy:
    return true;
  default:
    return false;
  }
}

// One open block-level element.
// Blocks nest at most this deep; deeper block elements add no box.
constexpr std::size_t MaxBlockDepth = 100;

struct TFrame {
  Symb Sy;
  TCellBasic* Cell;  // where its content goes
  TBlock* Block;     // null for CENTER and the body
  int ListNumber = 1;
  char TypeChar = '1';
  bool Plain = false;
  bool IsList = false;
};

// Elements whose frames a closing tag from outside may not end: an end tag
// inside a cell closes only what opened inside that cell.
bool IsTableFrame(Symb Sy)
{
  return Sy == TableSy || Sy == TDSy || Sy == THSy || Sy == CaptionSy;
}

// Tables nest at most this deep; a deeper TABLE tag is passed over and its
// cells' content flows into the enclosing cell.
constexpr std::size_t MaxTableDepth = 10;

// One open table.
struct TTableFrame {
  ThtmlTable* Table;
  TTableBlock* Block;
  TTableAndCaptionBlock* Pair = nullptr;
  TCellBasic* Enclosing;
  std::size_t FrameIndex;  // its entry in the frames
  std::unique_ptr<TCellList> Row;
  std::unique_ptr<TCellObj> Cell;
  int SavedListLevel;
  bool SavedNoBreak;
  bool CellsSeen = false;
  TColObj GroupSpec;
  bool InGroup = false;
  // Which columns of each row are taken ('x') or free ('o'), for the COL
  // specifications of the cells.
  std::vector<std::string> Taken;
  int RowIndex = -1;
};

class THtmlBuilder : public TDocumentSink {
public:
  THtmlBuilder(TSectionList& ADoc, THtmlParser& AParser) : Doc(ADoc), Parser(AParser) {}

  void Start()
  {
    NewBody(nullptr);
  }
  // Nothing is left for Finish to end: more text read on finds the builder
  // as the whole text would have left it here.
  bool AtRest() const { return !Current && Tables.empty() && !Select && !TextArea; }
  void Finish()
  {
    EndSelect();
    EndTextArea();
    while (!Tables.empty())
      EndTable();
    CloseSection();
  }

  // --- TDocumentSink
  TStyleList* StyleList() override { return &Doc.Styles; }
  const TProperties* DefaultProperties() override { return Doc.DefaultProperties(); }
  void AddIdName(const std::string& Name, int Position) override { Doc.IdNames.emplace_back(Name, Position); }
  void StartInlineBox(TProperties* Props, int Position) override { Doc.InlineRecord(*Props, Position, true); }
  void EndInlineBox(TProperties* Props, int Position) override { Doc.InlineRecord(*Props, Position, false); }
  void SetManyLinks(bool Value) override { Doc.ManyLinks = Value; }
  void Title(const std::u16string& T) override { Doc.Title = T; }
  void Base(const std::string& Href, const std::string& Target) override
  {
    Doc.BaseUrl = Href;
    Doc.BaseTarget = Target;
  }
  // The parser has applied a META character set already; the viewer hears of it.
  void Meta(const std::string& HttpEquiv, const std::string& Name, const std::string& Content) override
  {
    if (Doc.OnMeta)
      Doc.OnMeta(HttpEquiv, Name, Content);
  }
  void Link(const std::string& Rel, const std::string& Rev, const std::string& Href) override
  {
    LoadLinkedStyleSheet(Doc, Rel, Href);
    if (Doc.OnLink)
      Doc.OnLink(Rel, Rev, Href);
  }
  void Script(const std::string& Name, const std::string& Language, const std::string& Text) override
  {
    if (Doc.OnScript)
      Doc.OnScript(Name, Language, Text);
  }
  void LineEnd(int) override
  {
    if (TextArea)
      TextArea->AddLineEnd();
  }

  void OpenElement(Symb Sy, TAttributeList& A, TProperties* Props, int Position) override;
  void CloseElement(Symb EndSy, int Position) override;
  void Text(const TokenObj& Token) override;

private:
  TProperties& Top() { return *Parser.Reader.PropStack.Last(); }
  TCellBasic* Cell() { return Frames.back().Cell; }
  TSection* Section(TAttributeList* Attributes = nullptr)
  {
    if (!Current) {
      Current = new TSection(&Doc, FirstInPara, LinkOpen ? &Target : nullptr, Top(), Attributes);
      Current->Preformatted = InPre;
      FirstInPara = false;
      FontDirty = false;
    }
    if (FontDirty) {
      Current->ChangeFont(Top());
      FontDirty = false;
    }
    return Current;
  }
  void CloseSection()
  {
    if (Current) {
      Cell()->Add(Current);
      Current = nullptr;
    }
  }
  void NewBody(TProperties* Props);
  void OpenBlock(Symb Sy, TAttributeList& A, TProperties& Props, TBlock* Block, bool IsList = false);
  void CloseBlocksTo(Symb StartSy);
  void ApplyAlign(TAttributeList& A, TProperties& Props);
  void ApplyFont(Symb Sy, TAttributeList& A, TProperties& Props);
  std::size_t TableBoundary() const;
  bool OpenTableElement(Symb Sy, TAttributeList& A, TProperties& P);
  bool CloseTableElement(Symb EndSy);
  void StartTable(TAttributeList& A, TProperties& P);
  void StartCell(Symb Sy, TAttributeList& A, TProperties& P);
  void FinishCell();
  void FinishRow();
  void EndTable();
  // --- forms (builder/FormBuilding in spirit: kept here, next to the dispatch)
  ThtmlForm* CurrentForm();
  TFormControlObj* AddControl(std::unique_ptr<TFormControlObj> Control, TProperties& P, int Position);
  void OpenInput(TAttributeList& A, TProperties& P, int Position);
  void FlushOption();
  void EndSelect();
  void EndTextArea();
  bool EndsSelect(Symb Sy) const;
  void CountMapSymbol(Symb Sy);

  TSectionList& Doc;
  THtmlParser& Parser;
  std::vector<TFrame> Frames;
  TSection* Current = nullptr;
  TBodyBlock* Body = nullptr;
  TUrlTarget Target;
  std::unique_ptr<TMapItem> Map;
  bool LinkOpen = false;
  bool FirstInPara = true;
  bool FontDirty = false;
  bool NoBreak = false;
  bool InPre = false;
  int ListLevel = 0;
  int BaseFontSize = 3;
  std::vector<TTableFrame> Tables;
  int SkippedTables = 0;
  // Forms: the form new controls join, the SELECT being read with its
  // pending option, the TEXTAREA being read; symbols seen inside a MAP.
  ThtmlForm* Form = nullptr;
  TSelectFormControlObj* Select = nullptr;
  bool OptionOpen = false;
  std::u16string OptionText;
  std::unique_ptr<std::string> OptionValue;
  bool OptionSelected = false;
  std::vector<std::pair<std::string, std::string>> OptionAttributes;
  bool SelectSavedNoBreak = false;
  TTextAreaFormControlObj* TextArea = nullptr;
  int MapOthers = 0;
};

void THtmlBuilder::NewBody(TProperties* Props)
{
  TProperties Default(Doc.Fonts);
  if (!Props && Doc.DefaultProperties())
    Default.CopyDefault(*Doc.DefaultProperties());
  TProperties& P = Props ? *Props : Default;
  if (Body)
    erase_if(Doc.Sections, [&](auto& S) { return S.get() == Body; });
  Body = new TBodyBlock(&Doc, nullptr, P, nullptr, "body");
  Doc.Sections.push_back(std::unique_ptr<TSectionBase>(Body));
  Frames.clear();
  Frames.push_back({BodySy, Body->MyCell.get(), Body});
  FirstInPara = true;
}

void THtmlBuilder::ApplyAlign(TAttributeList& A, TProperties& Props)
{
  if (const TAttribute* Align = A.Find(AlignSy)) {
    const std::string S = LowerCase(Align->Name);
    if (S == "left" || S == "center" || S == "right" || S == "justify")
      Props.AssignFromAttribute(piTextAlign, TPropValue(S));
    else if (S == "middle")
      Props.AssignFromAttribute(piTextAlign, TPropValue(std::string("center")));
  }
}

void THtmlBuilder::ApplyFont(Symb Sy, TAttributeList& A, TProperties& Props)
{
  if (const TAttribute* Size = A.Find(SizeSy)) {
    const std::string S = Trim(Size->Name);
    int N = Size->Value;
    if (S.size() > 1 && (S[0] == '+' || S[0] == '-'))
      N = BaseFontSize + (S[0] == '-' ? -std::abs(N) : std::abs(N));
    N = std::clamp(N, 1, 7);
    if (Sy == BaseFontSy)
      BaseFontSize = N;
    const double Points = InPre ? Parser.Reader.PreFontConv[N - 1] : Parser.Reader.FontConv[N - 1];
    Props.AssignFromAttribute(piFontSize, TPropValue(Points));
  }
  if (const TAttribute* Color = A.Find(ColorSy)) {
    TColor C;
    if (ColorFromString(Color->Name, false, C))
      Props.AssignFromAttribute(piColor, TPropValue(int(C | 0x02000000)));
  }
  if (const TAttribute* Face = A.Find(FaceSy); Face && Sy == FontSy) {
    std::string Name;
    if (ReadFontName(Doc.Fonts, Face->Name, Name))
      Props.AssignFromAttribute(piFontFamily, TPropValue(Name));
  }
}

void THtmlBuilder::OpenBlock(Symb Sy, TAttributeList& A, TProperties& Props, TBlock* Block, bool IsList)
{
  (void)A;
  if (Frames.size() >= MaxBlockDepth) {
    // Blocks left open message after message would nest without end and make
    // layout and measuring quadratic and deeply recursive: past the cap an
    // element's content stays in the current block; its frame still pairs
    // with its end tag.
    delete Block;
    TFrame F{Sy, Cell(), nullptr};
    F.IsList = IsList;
    Frames.push_back(F);
    FirstInPara = true;
    return;
  }
  Cell()->Add(Block);
  TFrame F{Sy, Block->MyCell.get(), Block};
  F.IsList = IsList;
  Frames.push_back(F);
  FirstInPara = true;
  (void)Props;
}

void THtmlBuilder::CloseBlocksTo(Symb StartSy)
{
  const auto Stop = Frames.rend() - std::ptrdiff_t(TableBoundary());
  auto It = std::find_if(Frames.rbegin(), Stop, [&](const TFrame& F) { return F.Sy == StartSy; });
  if (It == Stop || Frames.size() <= 1)
    return;
  CloseSection();
  const std::size_t Keep = std::size_t(Frames.rend() - It) - 1;
  while (Frames.size() > std::max<std::size_t>(Keep, 1)) {
    TFrame F = Frames.back();
    Frames.pop_back();
    // The margin rule: a container's last block gives its droppable bottom
    // margin to the container.
    if (F.Block && (F.Sy == DivSy || F.IsList || F.Sy == BlockQuoteSy || F.Sy == AddressSy)) {
      auto* Last = AsBlock(F.Block->MyCell->Last());
      if (Last && Last->BottomAuto && !dynamic_cast<TBlockLI*>(Last)) {
        Last->MargArray[piMarginBottom] = 0;
        F.Block->MargArray[piMarginBottom] = 14;
        F.Block->BottomAuto = true;
      }
    }
    if (F.IsList)
      --ListLevel;
  }
  FirstInPara = true;
}

void THtmlBuilder::OpenElement(Symb Sy, TAttributeList& A, TProperties* Props, int Position)
{
  TProperties& P = *Props;
  CountMapSymbol(Sy);
  if (Select && EndsSelect(Sy))
    EndSelect();
  if (OpenTableElement(Sy, A, P))
    return;
  switch (Sy) {
  case BodySy: {
    // Honoured while the body holds nothing yet.
    if (Body->MyCell->Count() > 0 || Frames.size() > 1)
      return;
    delete Current;
    Current = nullptr;
    Doc.Forms->Clear();
    Form = nullptr;
    Select = nullptr;
    TextArea = nullptr;
    // The viewer's margins, unless the tag gives its own (a property set
    // takes only the first value given to it from attributes).
    int MarginX = Doc.MarginWidth, MarginY = Doc.MarginHeight;
    for (Symb S : {MarginWidthSy, LeftMarginSy})
      if (const TAttribute* M = A.Find(S))
        MarginX = std::clamp(M->Value, 0, 200);
    for (Symb S : {MarginHeightSy, TopMarginSy})
      if (const TAttribute* M = A.Find(S))
        MarginY = std::clamp(M->Value, 0, 200);
    P.AssignFromAttribute(piMarginLeft, TPropValue(MarginX));
    P.AssignFromAttribute(piMarginRight, TPropValue(MarginX));
    P.AssignFromAttribute(piMarginTop, TPropValue(MarginY));
    P.AssignFromAttribute(piMarginBottom, TPropValue(MarginY));
    if (const TAttribute* C = A.Find(BgColorSy)) {
      TColor Color;
      if (ColorFromString(C->Name, false, Color)) {
        P.AssignFromAttribute(piBackgroundColor, TPropValue(int(Color | 0x02000000)));
        Doc.Background = Color;
      }
    }
    if (const TAttribute* C = A.Find(TextSy)) {
      TColor Color;
      if (ColorFromString(C->Name, false, Color))
        P.AssignFromAttribute(piColor, TPropValue(int(Color | 0x02000000)));
    }
    if (const TAttribute* B = A.Find(BackgroundSy))
      Doc.BackgroundImage = B->Name;
    if (const TAttribute* B = A.Find(BgPropertiesSy); B && SameText(Trim(B->Name), "fixed"))
      P.AssignFromAttribute(piBackgroundAttachment, TPropValue(std::string("fixed")));
    // LINK, VLINK and OLINK colour the link states; OLINK turns the hover colour on.
    for (auto [Sy, Pseudo] : {std::pair{LinkSy, "link"}, std::pair{VLinkSy, "visited"}, std::pair{OLinkSy, "hover"}})
      if (const TAttribute* L = A.Find(Sy)) {
        TColor Color;
        if (ColorFromString(L->Name, false, Color)) {
          Doc.Styles.ModifyLinkColor(Pseudo, Color | 0x02000000);
          if (Sy == OLinkSy)
            Doc.Styles.SetLinksActive(true);
        }
      }
    NewBody(&P);
    return;
  }
  case PSy: {
    // Consecutive paragraphs with nothing between them are one.
    TFrame& F = Frames.back();
    if (F.Sy == PSy && F.Block && F.Block->MyCell->Count() == 0 && (!Current || Current->TextLength() == 0)) {
      ApplyAlign(A, P);
      delete Current;
      Current = nullptr;
      return;
    }
    if (F.Sy == PSy)
      CloseBlocksTo(PSy);
    CloseSection();
    ApplyAlign(A, P);
    OpenBlock(PSy, A, P, new TBlock(&Doc, Cell(), P, &A, "p"));
    return;
  }
  case CenterSy: {
    // CENTER makes no box: its content goes on lines of its own, centred by
    // the "center" entry of the property stack.
    CloseSection();
    Frames.push_back({CenterSy, Cell(), nullptr});
    FirstInPara = true;
    return;
  }
  case BgSoundSy: {
    const TAttribute* Src = A.Find(SrcSy);
    if (Doc.OnSoundRequest && Src) {
      const TAttribute* Loop = A.Find(LoopSy);
      Doc.OnSoundRequest(Src->Name, Loop ? Loop->Value : 1, false);
    }
    return;
  }
  case HSy:
  case DivSy:
  case BlockQuoteSy:
  case AddressSy:
  case FormSy: {
    if (Frames.back().Sy == PSy)
      CloseBlocksTo(PSy);
    CloseSection();
    ApplyAlign(A, P);
    OpenBlock(Sy, A, P, new TBlock(&Doc, Cell(), P, &A, P.PropTag));
    if (Sy == FormSy)
      Form = Doc.Forms->NewForm(&A);
    return;
  }
  case ULSy:
  case OLSy:
  case DirSy:
  case MenuSy:
  case DLSy: {
    if (Frames.back().Sy == PSy)
      CloseBlocksTo(PSy);
    CloseSection();
    auto* Block = new TBlock(&Doc, Cell(), P, &A, P.PropTag);
    Block->BulletRoom = Sy != DLSy;
    OpenBlock(Sy, A, P, Block, Sy != DLSy);
    TFrame& F = Frames.back();
    if (Sy != DLSy)
      ++ListLevel;
    if (Sy == OLSy) {
      if (const TAttribute* S = A.Find(StartSy); S && S->Value >= 0)
        F.ListNumber = S->Value;
      if (const TAttribute* T = A.Find(TypeSy); T && !T->Name.empty())
        F.TypeChar = T->Name[0];
    }
    if (Sy == ULSy) {
      const TAttribute* T = A.Find(TypeSy);
      F.Plain = A.Find(PlainSy) || (T && (SameText(T->Name, "none") || SameText(T->Name, "plain")));
    }
    return;
  }
  case LISy:
  case DDSy:
  case DTSy: {
    // An item ends the previous item of its list.
    const auto Stop = Frames.rend() - std::ptrdiff_t(TableBoundary());
    auto ListIt = std::find_if(Frames.rbegin(), Stop, [](const TFrame& F) { return F.IsList || F.Sy == DLSy; });
    if (ListIt == Stop)
      ListIt = Frames.rend();
    if (ListIt != Frames.rend()) {
      while (&Frames.back() != &*ListIt) {
        CloseSection();
        Frames.pop_back();
      }
    }
    CloseSection();
    TFrame* List = ListIt != Frames.rend() ? &Frames.back() : nullptr;
    TBlockLI::TListKind Kind = !List                 ? TBlockLI::Outside
                               : List->Sy == OLSy   ? TBlockLI::Ordered
                               : List->Sy == DLSy   ? TBlockLI::Definition
                                                    : TBlockLI::Unordered;
    int Number = List ? List->ListNumber : 1;
    if (const TAttribute* V = A.Find(ValueSy); V && V->Value != 0)
      Number = V->Value;
    if (List)
      List->ListNumber = Number + 1;
    auto* Item = new TBlockLI(&Doc, Cell(), P, &A, "li", Kind, ListLevel, Number, List ? List->TypeChar : '1',
                              List && List->Plain);
    if (Frames.size() >= MaxBlockDepth) {  // as in OpenBlock
      delete Item;
      Frames.push_back({Sy, Cell(), nullptr});
      FirstInPara = true;
      return;
    }
    Cell()->Add(Item);
    Frames.push_back({Sy, Item->MyCell.get(), Item});
    FirstInPara = true;
    return;
  }
  case HRSy: {
    if (Frames.back().Sy == PSy)
      CloseBlocksTo(PSy);
    CloseSection();
    auto* Block = new THRBlock(&Doc, Cell(), P, &A, "hr");
    auto* Line = new THorzLine(&Doc, A, P);
    // The rule's WIDTH and SIZE went into its style: the block reads them again.
    Block->ReadBoxValues(P);
    Block->Line = Line;
    Block->Align = Line->Align;
    Block->MyCell->Add(Line);
    Cell()->Add(Block);
    FirstInPara = true;
    return;
  }
  case PreSy: {
    CloseSection();
    OpenBlock(PreSy, A, P, new TBlock(&Doc, Cell(), P, &A, "pre"));
    InPre = true;
    Parser.Reader.KeepWhiteSpace = true;
    return;
  }
  case BRSy: {
    if (A.Find(ClearSy)) {
      CloseSection();
      Current = new TSection(&Doc, false, LinkOpen ? &Target : nullptr, Top(), &A);
      return;
    }
    Section()->AppendChar(BrkMark, Position);
    CloseSection();
    Current = new TSection(&Doc, false, LinkOpen ? &Target : nullptr, Top(), &A);
    return;
  }
  case ImageSy:
    Section()->AppendImage(A, P, Position);
    if (const TAttribute* N = A.Find(NameSy); N && !N->Name.empty())
      Doc.IdNames.emplace_back(N->Name, Position);  // a jump to the picture's name
    return;
  case ASy: {
    const TAttribute* Href = A.Find(HrefSy);
    if (Href) {
      if (LinkOpen && Current)
        Current->ChangeLink(nullptr, P);
      Target.Assign(Href->Name, A.Find(TargetSy) ? A.Find(TargetSy)->Name : std::string());
      if (const TAttribute* T = A.Find(TabIndexSy))
        Target.TabIndex = T->Value;
      LinkOpen = true;
      Section()->ChangeLink(&Target, P);
    } else {
      FontDirty = true;
    }
    if (const TAttribute* N = A.Find(NameSy); N && !N->Name.empty())
      Doc.IdNames.emplace_back(N->Name, Position);
    return;
  }
  case FontSy:
  case BaseFontSy:
    ApplyFont(Sy, A, P);
    FontDirty = true;
    return;
  case NoBrSy:
    NoBreak = true;
    return;
  case WbrSy:
    if (NoBreak && Current)
      Current->AppendChar(u' ', Position, false);
    return;
  case InputSy:
    OpenInput(A, P, Position);
    return;
  case SelectSy: {
    EndSelect();
    const TAttribute* Size = A.Find(SizeSy);
    std::unique_ptr<TSelectFormControlObj> C;
    if (A.Find(MultipleSy) || (Size && Size->Value > 1))
      C = std::make_unique<TListBoxFormControlObj>(&Doc, CurrentForm(), A, P, Position);
    else
      C = std::make_unique<TComboFormControlObj>(&Doc, CurrentForm(), A, P, Position);
    Select = static_cast<TSelectFormControlObj*>(AddControl(std::move(C), P, Position));
    SelectSavedNoBreak = NoBreak;
    NoBreak = false;
    return;
  }
  case OptionSy:
    if (!Select)
      return;
    FlushOption();
    OptionOpen = true;
    OptionSelected = A.Find(SelectedSy) != nullptr;
    if (const TAttribute* V = A.Find(ValueSy))
      OptionValue = std::make_unique<std::string>(V->Name);
    for (int I = 0; I < A.Count(); ++I)
      OptionAttributes.emplace_back(A.Items(I)->WhichName, A.Items(I)->Name);
    return;
  case TextAreaSy:
    EndTextArea();
    TextArea = static_cast<TTextAreaFormControlObj*>(
        AddControl(std::make_unique<TTextAreaFormControlObj>(&Doc, CurrentForm(), A, P, Position), P, Position));
    return;
  case PanelSy:
    Section()->AppendObject(std::make_unique<TPanelObj>(&Doc, A, Position), Position);
    return;
  case MapSy:
    MapOthers = 0;
    Map = std::make_unique<TMapItem>();
    if (const TAttribute* N = A.Find(NameSy))
      Map->MapName = UpperCase(N->Name);
    return;
  case AreaSy:
    if (Map)
      Map->AddArea(A);
    return;
  case PageSy:
    CloseSection();
    Cell()->Add(new TPage(&Doc));
    return;
  default:
    if (IsInlineFont(Sy))
      FontDirty = true;
    return;
  }
}

void THtmlBuilder::CloseElement(Symb EndSy, int Position)
{
  (void)Position;
  CountMapSymbol(EndSy);
  if (Select && (EndSy == SelectEndSy || EndSy == OptionEndSy || EndsSelect(EndSy))) {
    if (EndSy == OptionEndSy) {
      FlushOption();
      return;
    }
    EndSelect();
    if (EndSy == SelectEndSy)
      return;
  }
  if (EndSy == TextAreaEndSy) {
    EndTextArea();
    return;
  }
  if (CloseTableElement(EndSy))
    return;
  switch (EndSy) {
  case PEndSy: CloseBlocksTo(PSy); return;
  case HEndSy: CloseBlocksTo(HSy); return;
  case DivEndSy: CloseBlocksTo(DivSy); return;
  case CenterEndSy: CloseBlocksTo(CenterSy); return;
  case BlockQuoteEndSy: CloseBlocksTo(BlockQuoteSy); return;
  case AddressEndSy: CloseBlocksTo(AddressSy); return;
  case FormEndSy:
    CloseBlocksTo(FormSy);
    Form = nullptr;
    return;
  case ULEndSy: CloseBlocksTo(ULSy); return;
  case OLEndSy: CloseBlocksTo(OLSy); return;
  case DirEndSy: CloseBlocksTo(DirSy); return;
  case MenuEndSy: CloseBlocksTo(MenuSy); return;
  case DLEndSy: CloseBlocksTo(DLSy); return;
  case PreEndSy:
    if (InPre && !Current && Cell()->Sections.empty())
      Section();  // an empty PRE is one empty line
    CloseBlocksTo(PreSy);
    InPre = false;
    Parser.Reader.KeepWhiteSpace = false;
    return;
  case AEndSy:
    if (LinkOpen) {
      LinkOpen = false;
      Target.Clear();
      if (Current)
        Current->ChangeLink(nullptr, Top());
    }
    FontDirty = true;
    return;
  case NoBrEndSy: NoBreak = false; return;
  case MapEndSy:
    if (Map)
      Doc.MapList.push_back(std::move(Map));
    return;
  default:
    FontDirty = true;  // the font of the entry below applies from here
    return;
  }
}

void THtmlBuilder::Text(const TokenObj& Token)
{
  if (Select) {
    if (OptionOpen)
      OptionText += Token.Text();
    return;
  }
  if (TextArea) {
    TextArea->AddText(Token.Text());
    return;
  }
  if (Map)
    return;  // text inside a MAP is passed over
  if (!Current && Token.Count() == 1 && Token.Text()[0] == u' ')
    return;
  if (!InPre) {
    Section()->AppendToken(Token, NoBreak, &Parser.Reader.PropStack);
    return;
  }
  // Preformatted text: each line end closes the line's section.
  const std::u16string& S = Token.Text();
  std::size_t From = 0;
  for (std::size_t I = 0; I <= S.size(); ++I) {
    if (I < S.size() && S[I] != u'\r' && S[I] != u'\n')
      continue;
    if (I > From) {
      TokenObj Piece;
      for (std::size_t K = From; K < I; ++K)
        Piece.AddUnicodeChar(S[K], Token.Positions()[K]);
      Section()->AppendToken(Piece, true, &Parser.Reader.PropStack);
    }
    if (I < S.size()) {
      Section();
      CloseSection();
    }
    From = I + 1;
  }
}

// --- tables

std::size_t THtmlBuilder::TableBoundary() const
{
  for (std::size_t I = Frames.size(); I-- > 0;)
    if (IsTableFrame(Frames[I].Sy))
      return I + 1;
  return 0;
}

bool THtmlBuilder::OpenTableElement(Symb Sy, TAttributeList& A, TProperties& P)
{
  switch (Sy) {
  case TableSy:
    if (Tables.size() >= MaxTableDepth)
      ++SkippedTables;
    else
      StartTable(A, P);
    return true;
  case TRSy:
  case TDSy:
  case THSy:
  case CaptionSy:
  case ColSy:
  case ColGroupSy:
    break;
  default:
    return false;
  }
  if (Tables.empty() || SkippedTables > 0)
    return true;  // outside a table (or inside one passed over): read past
  TTableFrame& T = Tables.back();
  switch (Sy) {
  case TRSy:
    FinishCell();
    FinishRow();
    T.Row = std::make_unique<TCellList>(&A, &P);
    ++T.RowIndex;
    return true;
  case TDSy:
  case THSy:
    StartCell(Sy, A, P);
    return true;
  case CaptionSy: {
    FinishCell();
    if (!T.Pair) {
      TProperties Plain(Doc.Fonts);
      T.Pair = new TTableAndCaptionBlock(&Doc, nullptr, Plain, A, T.Block);
    }
    if (!T.Pair->CaptionBlock)
      T.Pair->CaptionBlock = new TBlock(&Doc, nullptr, P, &A, "caption");
    if (const TAttribute* Align = A.Find(AlignSy))
      T.Pair->CaptionOnTop = !SameText(Trim(Align->Name), "bottom");
    Frames.push_back({CaptionSy, T.Pair->CaptionBlock->MyCell.get(), T.Pair->CaptionBlock});
    FirstInPara = true;
    return true;
  }
  default: {  // COL, COLGROUP: only before the first cell
    if (T.CellsSeen)
      return true;
    TColObj Spec = Sy == ColSy && T.InGroup ? T.GroupSpec : TColObj{};
    int Span = 1;
    for (int I = 0; I < A.Count(); ++I) {
      const TAttribute* At = A.Items(I);
      switch (At->Which) {
      case WidthSy: ReadWidthAttribute(At->Name, At->Value, Spec.Width, Spec.IsPercent); break;
      case AlignSy: {
        const std::string S = LowerCase(Trim(At->Name));
        if (S == "left" || S == "center" || S == "right" || S == "justify")
          Spec.Align = S;
        break;
      }
      case VAlignSy: Spec.HasVAlign = ReadVAlign(At->Name, Spec.VAlign) || Spec.HasVAlign; break;
      case SpanSy: Span = std::max(1, At->Value); break;
      default: break;
      }
    }
    if (Sy == ColGroupSy) {
      T.GroupSpec = Spec;
      T.InGroup = true;
      return true;
    }
    for (int I = 0; I < std::min(Span, 100) && int(T.Table->ColumnSpecs.size()) < ThtmlTable::MaxColumns; ++I)
      T.Table->AddColumnSpec(Spec);
    return true;
  }
  }
}

void THtmlBuilder::StartTable(TAttributeList& A, TProperties& P)
{
  if (LinkOpen && Current)
    Current->ChangeLink(nullptr, Top());
  LinkOpen = false;
  Target.Clear();
  if (Frames.back().Sy == PSy)
    CloseBlocksTo(PSy);
  CloseSection();
  auto* Table = new ThtmlTable(&Doc, A);
  auto* Block = new TTableBlock(&Doc, Cell(), P, A, Table);
  // An enclosing CENTER or right alignment places the table.
  TPropStack& Stack = Parser.Reader.PropStack;
  if (Block->Justify == 0 && !Block->Floating && Stack.Count() >= 2) {
    const TPropValue& Align = Stack.Items(Stack.Count() - 2)->Props[piTextAlign];
    if (Align.IsString())
      Block->Justify = Align.AsString() == "center" ? 2 : Align.AsString() == "right" ? 3 : 0;
  }
  TTableFrame T{Table, Block, nullptr, Cell(), Frames.size(), nullptr, nullptr, ListLevel, NoBreak, false, {}, false, {}, -1};
  Frames.push_back({TableSy, Cell(), nullptr});
  Tables.push_back(std::move(T));
}

void THtmlBuilder::StartCell(Symb Sy, TAttributeList& A, TProperties& P)
{
  FinishCell();
  TTableFrame& T = Tables.back();
  T.CellsSeen = true;
  if (!T.Row) {
    T.Row = std::make_unique<TCellList>(nullptr, nullptr);
    ++T.RowIndex;
  }
  // The column of the cell: the first free one of its row.
  const TColObj* Spec = nullptr;
  if (!T.Table->ColumnSpecs.empty()) {
    if (int(T.Taken.size()) <= T.RowIndex)
      T.Taken.resize(std::size_t(T.RowIndex + 1));
    std::string& Row = T.Taken[std::size_t(T.RowIndex)];
    const std::size_t Col = std::min(Row.find('o'), Row.size());
    if (Col < T.Table->ColumnSpecs.size())
      Spec = &T.Table->ColumnSpecs[Col];
  }
  if (A.Find(AlignSy))
    ApplyAlign(A, P);
  else if (Spec && !Spec->Align.empty())
    P.AssignFromAttribute(piTextAlign, TPropValue(Spec->Align));
  else
    P.AssignFromAttribute(piTextAlign, TPropValue(std::string(Sy == THSy ? "center" : "left")));
  TCellAlign RowAlign = T.Row->VAlign;
  if (Spec && Spec->HasVAlign && !A.Find(VAlignSy))
    RowAlign = Spec->VAlign;
  T.Cell = std::make_unique<TCellObj>(&Doc, A, P, RowAlign);
  if (NoBreak && !(T.Cell->SpecWd > 0 && !T.Cell->WidthPercent))
    T.Cell->NoWrap = true;
  if (!T.Table->ColumnSpecs.empty()) {
    // Mark the cell's rows and columns as taken (a bounded number of rows);
    // a column taken from above cuts the cell's span short.
    std::string& Row = T.Taken[std::size_t(T.RowIndex)];
    const std::size_t Col = std::min(Row.find('o'), Row.size());
    for (int K = 1; K < T.Cell->ColSpan; ++K)
      if (Col + std::size_t(K) < Row.size() && Row[Col + std::size_t(K)] == 'x') {
        T.Cell->ColSpan = K;
        break;
      }
    const int Rows = std::min(T.Cell->RowSpan, 1000);
    for (int R = 0; R < Rows; ++R) {
      if (int(T.Taken.size()) <= T.RowIndex + R)
        T.Taken.resize(std::size_t(T.RowIndex + R + 1));
      std::string& S = T.Taken[std::size_t(T.RowIndex + R)];
      const std::size_t End = std::min<std::size_t>(Col + std::size_t(T.Cell->ColSpan), ThtmlTable::MaxColumns);
      if (S.size() < End)
        S.resize(End, 'o');
      for (std::size_t C = Col; C < End; ++C)
        S[C] = 'x';
    }
  }
  ListLevel = 0;
  Frames.push_back({Sy, T.Cell->Cell.get(), nullptr});
  FirstInPara = true;
}

void THtmlBuilder::FinishCell()
{
  TTableFrame& T = Tables.back();
  // Whatever opened inside the cell or caption ends with it.
  CloseSection();
  while (Frames.size() > T.FrameIndex + 1) {
    if (Frames.back().IsList)
      --ListLevel;
    Frames.pop_back();
  }
  FirstInPara = true;
  if (!T.Cell)
    return;
  // The margin rule: the cell's last block keeps no droppable bottom margin.
  if (auto* Last = AsBlock(T.Cell->Cell->Last()); Last && Last->BottomAuto)
    Last->MargArray[piMarginBottom] = 0;
  if (!T.Row) {
    T.Row = std::make_unique<TCellList>(nullptr, nullptr);
    ++T.RowIndex;
  }
  T.Row->AddCell(std::move(T.Cell));
}

void THtmlBuilder::FinishRow()
{
  TTableFrame& T = Tables.back();
  if (T.Row)
    T.Table->Rows.push_back(std::move(T.Row));
}

void THtmlBuilder::EndTable()
{
  FinishCell();
  FinishRow();
  TTableFrame T = std::move(Tables.back());
  Tables.pop_back();
  Frames.resize(T.FrameIndex);
  ListLevel = T.SavedListLevel;
  NoBreak = T.SavedNoBreak;
  if (T.Pair) {
    T.Pair->Assemble();
    T.Enclosing->Add(T.Pair);
  } else {
    T.Enclosing->Add(T.Block);
  }
  FirstInPara = true;
}

bool THtmlBuilder::CloseTableElement(Symb EndSy)
{
  switch (EndSy) {
  case TableEndSy:
    if (SkippedTables > 0)
      --SkippedTables;
    else if (!Tables.empty())
      EndTable();
    return true;
  case TDEndSy:
  case THEndSy:
  case TREndSy:
  case CaptionEndSy:
  case ColGroupEndSy:
    break;
  default:
    return false;
  }
  if (Tables.empty() || SkippedTables > 0)
    return true;
  TTableFrame& T = Tables.back();
  if (EndSy == TDEndSy || EndSy == THEndSy || EndSy == CaptionEndSy) {
    FinishCell();
  } else if (EndSy == TREndSy) {
    FinishCell();
    FinishRow();
  } else {
    T.InGroup = false;
  }
  return true;
}

// --- forms

ThtmlForm* THtmlBuilder::CurrentForm()
{
  // Controls outside any FORM share a form without attributes.
  if (!Form)
    Form = Doc.Forms->NewForm(nullptr);
  return Form;
}

TFormControlObj* THtmlBuilder::AddControl(std::unique_ptr<TFormControlObj> Control, TProperties& P, int Position)
{
  Control->ApplyStyle(P);
  Control->SetSizeFromCanvas();
  TFormControlObj* Obj = Control->Form->AddControl(std::move(Control));
  Doc.Forms->ControlList.push_back(Obj);
  if (auto Box = Obj->MakeBox())
    Section()->AppendObject(std::move(Box), Position);
  return Obj;
}

void THtmlBuilder::OpenInput(TAttributeList& A, TProperties& P, int Position)
{
  const TAttribute* TypeAttr = A.Find(TypeSy);
  const std::string Type = TypeAttr ? LowerCase(Trim(TypeAttr->Name)) : std::string("text");
  ThtmlForm* F = CurrentForm();
  using TKind = TButtonFormControlObj::TKind;
  if (Type == "password" || Type == "file") {
    auto* Edit = AddControl(std::make_unique<TEditFormControlObj>(&Doc, F, A, P, Position, Type == "password"), P,
                            Position);
    if (Type == "file") {
      auto* Browse = static_cast<TButtonFormControlObj*>(AddControl(
          std::make_unique<TButtonFormControlObj>(&Doc, F, A, P, Position, TKind::File), P, Position));
      Browse->Linked = Edit;
    }
  } else if (Type == "checkbox") {
    AddControl(std::make_unique<TCheckBoxFormControlObj>(&Doc, F, A, P, Position), P, Position);
  } else if (Type == "radio") {
    auto Radio = std::make_unique<TRadioButtonFormControlObj>(&Doc, F, A, P, Position);
    Radio->Cell = Tables.empty() ? nullptr : Tables.back().Cell.get();
    AddControl(std::move(Radio), P, Position);
  } else if (Type == "submit" || Type == "reset" || Type == "button") {
    const TKind Kind = Type == "submit" ? TKind::Submit : Type == "reset" ? TKind::Reset : TKind::Plain;
    AddControl(std::make_unique<TButtonFormControlObj>(&Doc, F, A, P, Position, Kind), P, Position);
  } else if (Type == "image") {
    auto Control = std::make_unique<TImageFormControlObj>(&Doc, F, A, P, Position);
    Control->Picture = Section()->AppendImage(A, P, Position);
    if (Control->Picture)
      Control->Picture->SetFormControl(Control.get());
    AddControl(std::move(Control), P, Position);
  } else if (Type == "hidden") {
    AddControl(std::make_unique<THiddenFormControlObj>(&Doc, F, A, P, Position), P, Position);
  } else {
    AddControl(std::make_unique<TEditFormControlObj>(&Doc, F, A, P, Position, false), P, Position);
  }
}

void THtmlBuilder::FlushOption()
{
  if (!OptionOpen || !Select)
    return;
  Select->AddOption(OptionText, OptionValue.get(), OptionSelected, std::move(OptionAttributes));
  OptionOpen = false;
  OptionText.clear();
  OptionValue.reset();
  OptionSelected = false;
  OptionAttributes.clear();
}

void THtmlBuilder::EndSelect()
{
  if (!Select)
    return;
  FlushOption();
  Select->DoneAdding();
  Select->SetSizeFromCanvas();
  Select = nullptr;
  NoBreak = SelectSavedNoBreak;
}

void THtmlBuilder::EndTextArea()
{
  if (!TextArea)
    return;
  TextArea->DoneAdding();
  TextArea = nullptr;
}

// A SELECT left open ends at these; the symbol is then read as usual. Past
// the table and paragraph symbols, every block-level tag and line break ends
// it too: a chat message that leaves a SELECT open would otherwise take the
// text of every later message for its options.
bool THtmlBuilder::EndsSelect(Symb Sy) const
{
  switch (Sy) {
  case PSy: case InputSy: case TableEndSy: case TRSy: case TREndSy: case TDSy: case TDEndSy: case THSy:
  case THEndSy: case CaptionSy: case CaptionEndSy: case ColSy: case ColGroupSy:
  case TableSy: case DivSy: case DivEndSy: case FormSy: case FormEndSy: case BRSy: case HRSy: case BodySy:
  case ULSy: case OLSy: case LISy: case BlockQuoteSy: case HSy: case CenterSy: case PreSy: case TextAreaSy:
  case SelectSy:
    return true;
  default:
    return false;
  }
}

// A MAP ends at its end tag; at the third other symbol it is dropped, and
// that symbol is still read as usual.
void THtmlBuilder::CountMapSymbol(Symb Sy)
{
  if (!Map || Sy == AreaSy || Sy == MapEndSy || Sy == MapSy)
    return;
  if (++MapOthers >= 3)
    Map.reset();
}

}  // namespace

struct THtmlDocumentBuild::TState {
  THtmlParser Parser;
  THtmlBuilder Builder;
  bool CanReadOn = false;
  explicit TState(TSectionList& Document) : Parser(Document.Fonts), Builder(Document, Parser) {}
};

THtmlDocumentBuild::THtmlDocumentBuild(TSectionList& Document) : FDocument(Document) {}

THtmlDocumentBuild::~THtmlDocumentBuild()
{
  if (F)
    F->Parser.End();
}

template <class TBegin>
void THtmlDocumentBuild::ParseWith(TBegin&& Begin)
{
  if (F)
    F->Parser.End();
  F = std::make_unique<TState>(FDocument);
  F->Parser.Reader.OnInclude = FDocument.OnInclude;
  F->Parser.Reader.IncludeSender = FDocument.EventSender ? FDocument.EventSender : &FDocument;
  F->Builder.Start();
  try {
    Begin(F->Parser, F->Builder);
    F->CanReadOn = F->Builder.AtRest();
  } catch (const Exception&) {
    // The document keeps what was built before the fault.
  }
  Done();
}

template <class TRead>
bool THtmlDocumentBuild::ReadOnWith(TRead&& Read)
{
  if (!F || !F->CanReadOn)
    return false;
  F->CanReadOn = false;
  try {
    if (!Read(F->Parser, F->Builder)) {
      F->CanReadOn = true;  // nothing was read
      return false;
    }
    F->CanReadOn = F->Builder.AtRest();
  } catch (const Exception&) {
    // As a whole parse: what was built before the fault stays.
  }
  Done();
  return true;
}

void THtmlDocumentBuild::Parse(std::string Text)
{
  // Handed to the reader, which keeps it: the text is not copied.
  ParseWith([&](THtmlParser& Parser, TDocumentSink& Sink) { Parser.Begin(std::move(Text), Sink); });
}

void THtmlDocumentBuild::ParseBorrowed(std::string_view Text)
{
  ParseWith([&](THtmlParser& Parser, TDocumentSink& Sink) { Parser.BeginBorrowed(Text, Sink); });
}

bool THtmlDocumentBuild::ReadOn(std::string_view More)
{
  return ReadOnWith([&](THtmlParser& Parser, TDocumentSink& Sink) { return Parser.ReadOn(More, Sink); });
}

bool THtmlDocumentBuild::ReadOnTo(std::string_view Grown)
{
  if (!F)
    return false;
  if (ReadOnWith([&](THtmlParser& Parser, TDocumentSink& Sink) { return Parser.ReadOnTo(Grown, Sink); }))
    return true;
  // The owner may have moved the text to grow it.
  F->Parser.Reader.Rebase(Grown);
  return false;
}

const std::string* THtmlDocumentBuild::GivenText() const { return F ? F->Parser.Reader.GivenText() : nullptr; }

void THtmlDocumentBuild::Done()
{
  if (!F->CanReadOn)
    F->Builder.Finish();
  FDocument.Title = F->Parser.Title;
}

void ParseHtmlIntoSections(const std::string& Text, TSectionList& Document)
{
  THtmlDocumentBuild Build(Document);
  Build.Parse(Text);
}

void ParseTextIntoSections(const std::string& Text, TSectionList& Document, unsigned CodePage)
{
  TProperties Props(Document.Fonts);
  if (Document.DefaultProperties())
    Props.CopyDefault(*Document.DefaultProperties());
  auto* Body = new TBodyBlock(&Document, nullptr, Props, nullptr, "body");
  Document.Sections.push_back(std::unique_ptr<TSectionBase>(Body));
  auto* Pre = new TBlock(&Document, Body->MyCell.get(), Props, nullptr, "pre");
  Body->MyCell->Add(Pre);
  // The text is read in its code page, each character keeping the position
  // of its first byte.
  std::vector<int> BytePositions(Text.size());
  for (std::size_t I = 0; I < Text.size(); ++I)
    BytePositions[I] = int(I);
  std::u16string Chars;
  std::vector<int> Positions;
  AppendConverted(Text, BytePositions.data(), CodePage, Chars, Positions);
  TSection* Line = nullptr;
  for (std::size_t I = 0; I <= Chars.size(); ++I) {
    if (!Line) {
      Line = new TSection(&Document, true, nullptr, Props, nullptr);
      Line->Preformatted = true;
    }
    if (I == Chars.size() || Chars[I] == u'\r' || Chars[I] == u'\n') {
      if (I < Chars.size() && Chars[I] == u'\r' && I + 1 < Chars.size() && Chars[I + 1] == u'\n')
        ++I;
      Pre->MyCell->Add(Line);
      Line = nullptr;
      continue;
    }
    Line->AppendChar(Chars[I], Positions[I], true);
  }
}
