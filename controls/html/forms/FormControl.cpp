#include "controls/html/forms/FormControl.h"

#include "controls/html/paint/DrawingHelpers.h"
#include "platform/base/Utf.h"

#include <algorithm>

#include "controls/html/document/FontObj.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/StyleConversions.h"
#include "controls/html/text/TextMeasure.h"
#include "platform/base/IntConversions.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/controls/WinControl.h"

TFormControlObj::TFormControlObj(TSectionList* ADocument, ThtmlForm* AForm, TAttributeList& A, TProperties& Props,
                                 int APos)
    : Document(ADocument), Form(AForm), Pos(APos)
{
  Font = Props.GetFont()->Desc();
  for (int I = 0; I < A.Count(); ++I) {
    const TAttribute* At = A.Items(I);
    Attributes.emplace_back(At->WhichName, At->Name);
    switch (At->Which) {
    case NameSy: Name = At->Name; break;
    case ValueSy: Value = At->Name; break;
    case IDSy: ID = At->Name; break;
    case OnClickSy: OnClickText = At->Name; break;
    case OnFocusSy: OnFocusText = At->Name; break;
    case OnBlurSy: OnBlurText = At->Name; break;
    case OnChangeSy: OnChangeText = At->Name; break;
    case DisabledSy: Disabled = true; break;
    default: break;
    }
  }
  // An ID makes the control a named place of the document, as anchors are.
  if (!ID.empty())
    Document->IdNames.emplace_back(ID, Pos);
}

TFormControlObj::~TFormControlObj()
{
  if (FControl) {
    std::erase_if(Document->TabOrderList, [&](const auto& Entry) { return Entry.second == FControl.get(); });
    FControl->SetParent(nullptr);
    FControl->SetParentWindow(nullptr);
  }
}

void TFormControlObj::Adopt(TWinControl* Control)
{
  FControl.reset(Control);
  Control->SetBounds(ParkedLeft, 0, Control->Width(), Control->Height());
  Control->SetEnabled(!Disabled);
  Document->Forms->AttachWindow(Control);
  // A tab index puts the control into the document's tab order.
  for (auto& [AttrName, AttrValue] : Attributes)
    if (AttrName == "TABINDEX") {
      const int Index = StrToIntDef(Trim(AttrValue), 0);
      if (Index >= 1)
        Document->TabOrderList.emplace(TSectionList::TabOrderKey(Index, Document->TabOrderList.size()), Control);
    }
}

const std::string* TFormControlObj::Attribute(const char* UpperName) const
{
  for (auto& [AttrName, AttrValue] : Attributes)
    if (AttrName == UpperName)
      return &AttrValue;
  return nullptr;
}

int TFormControlObj::TextWidthOf(const std::u16string& S) const
{
  return TextWidth(Document->Fonts, Font, S.data(), int(S.size()));
}

int TFormControlObj::TextHeight() const
{
  return Document->Fonts.Metrics(Font).Height;
}

void TFormControlObj::ApplyStyle(TProperties& Props)
{
  // Width and height are not inherited: whatever the element has is its own.
  auto Length = [&](int Index, int& Out, bool* Percent) {
    const TPropValue& V = Props.Props[std::size_t(Index)];
    int N = 0;
    bool IsPercent = false;
    if (V.IsNumber() && V.AsInteger() != IntNull) {
      N = V.AsInteger();
    } else if (V.IsString()) {
      IsPercent = V.AsString().find('%') != std::string::npos;
      N = IsPercent ? StrToIntDef(Trim(V.AsString().substr(0, V.AsString().find('%'))), 0)
                    : LengthConv(V.AsString(), false, 0, Props.EmSize(), Props.ExSize(),
                                 Props.Fonts().PixelsPerInch(), 0);
    }
    if (N <= 0)
      return;
    if (Percent) {
      // A percentage above 100 is no width at all.
      if (IsPercent && N > 100) {
        *Percent = false;
        return;
      }
      *Percent = IsPercent;
    } else if (IsPercent) {
      return;
    }
    Out = std::min(N, 32767);
  };
  auto Space = [&](int Index, int& Out) {
    if (Props.ExplicitFlags[std::size_t(Index)]) {
      const TPropValue& V = Props.Props[std::size_t(Index)];
      if (V.IsNumber() && V.AsInteger() != IntNull)
        Out = std::clamp(V.AsInteger(), 0, 32767);
      else if (V.IsString())
        Out = std::clamp(LengthConv(V.AsString(), false, 0, Props.EmSize(), Props.ExSize(),
                                    Props.Fonts().PixelsPerInch(), 0), 0, 32767);
    }
  };
  Space(piMarginLeft, HSpaceL);
  Space(piMarginRight, HSpaceR);
  Length(piWidth, StyleWidth, &PercentWidth);
  Length(piHeight, StyleHeight, nullptr);
  TAlignmentStyle A;
  if (Props.GetVertAlign(A))
    VertAlign = A == aTop ? TImageObj::AlignTop : A == aMiddle ? TImageObj::AlignMiddle
              : A == aBottom ? TImageObj::AlignBottom : TImageObj::AlignBaseline;
}

void TFormControlObj::FitToWidth(int AvailWidth)
{
  if (PercentWidth && StyleWidth > 0 && FControl)
    Width = std::max(10, int((long long)AvailWidth * StyleWidth / 100) - HSpaceL - HSpaceR);
}

std::unique_ptr<TImageObj> TFormControlObj::MakeBox()
{
  if (IsHidden())
    return nullptr;
  return std::make_unique<TControlBox>(Document, this);
}

void TFormControlObj::Place(int X, int Y)
{
  Shown = true;
  if (TWinControl* C = TheControl())
    if (C->Left() != X || C->Top() != Y || C->Width() != Width || C->Height() != Height)
      C->SetBounds(X, Y, Width, Height);
}

void TFormControlObj::Park()
{
  if (TWinControl* C = TheControl(); C && C->Left() != ParkedLeft)
    C->SetBounds(ParkedLeft, C->Top(), C->Width(), C->Height());
}

void TFormControlObj::FocusGained()
{
  Focused = true;
  if (Document->PaintPanel)
    Document->PaintPanel->Invalidate();
  TDocumentForms& F = *Document->Forms;
  if (F.OnControlFocus)
    F.OnControlFocus(this);
  if (F.OnObjectFocus && !OnFocusText.empty())
    F.OnObjectFocus(this, OnFocusText);
  if (!OnChangeText.empty())
    SaveOnEnter();
}

void TFormControlObj::FocusLost()
{
  Focused = false;
  if (!OnChangeText.empty())
    CheckChanged();
  TDocumentForms& F = *Document->Forms;
  if (F.OnObjectBlur && !OnBlurText.empty())
    F.OnObjectBlur(this, OnBlurText);
  if (Document->PaintPanel)
    Document->PaintPanel->Invalidate();
}

void TFormControlObj::Clicked()
{
  TDocumentForms& F = *Document->Forms;
  if (F.OnObjectClick && !OnClickText.empty())
    F.OnObjectClick(this, OnClickText);
}

void TFormControlObj::Changed()
{
  TDocumentForms& F = *Document->Forms;
  if (F.OnObjectChange)
    F.OnObjectChange(this, OnChangeText);
}

// --- the section's box

TControlBox::TControlBox(TSectionList* ADocument, TFormControlObj* AControl)
    : TImageObj(ADocument, std::string()), Control(AControl)
{
  Align = AControl->VertAlign;
  HSpaceL = AControl->HSpaceL;
  HSpaceR = AControl->HSpaceR;
  Requested = true;  // no picture to obtain
}

TControlBox::~TControlBox() = default;

void TControlBox::Measure(int AvailHeight, int AvailWidth, const TFontObj* Font)
{
  (void)AvailHeight;
  (void)Font;
  if (AvailWidth > 0)
    Control->FitToWidth(AvailWidth);
  ClientWidth = ImageWidth = Control->Width;
  ClientHeight = ImageHeight = Control->Height;
}

void TControlBox::Draw(HDC DC, int X, int Baseline, int LineTop, const TFontObj* Font)
{
  int Y;
  switch (Align) {
  case AlignTop: Y = LineTop; break;
  case AlignMiddle:
    Y = Baseline + (Font ? Font->Descent() - Font->FontHeight() / 2 : 0) - ClientHeight / 2;
    break;
  case AlignBottom: Y = Baseline + (Font ? Font->Descent() : 0) - ClientHeight; break;  // on the text's bottom
  default: Y = Baseline - ClientHeight; break;  // on the baseline
  }
  DrawX = X;
  DrawY = Y;
  Control->YValue = Y;
  const int SY = Y - Document->YOff;
  if (Document->Printing) {
    Control->Shown = true;  // the window stays where it is
    Control->PrintInto(DC, X, SY);
    return;
  }
  Control->Placing();
  Control->Place(X, SY);
  if (Control->Focused)
    Control->DrawFocusMark(DC, X, SY);
}

void TFormControlObj::PrintInto(HDC DC, int X, int Y) const
{
  TWinControl* C = TheControl();
  if (!C || Width <= 0 || Height <= 0)
    return;
  FormControlFrame(DC, X, Y, X + Width, Y + Height, false, true, false);
  const std::u16string Text = UTF8Decode(C->Text());
  if (Text.empty())
    return;
  const TRect Inside{X + 3, Y + 2, X + Width - 3, Y + Height - 2};
  const int H = Document->Fonts.Metrics(Font).Height;
  Document->Fonts.DrawText(DC, Inside.Left, Y + std::max(2, (Height - H) / 2), Font, 0, clNone, Text.data(),
                           int(Text.size()), &Inside);
}
