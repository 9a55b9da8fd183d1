// The form control kinds except SELECT (FormSelect.cpp).
#include "controls/html/forms/FormVariants.h"
#include "platform/win/gdi/gdi.h"
#include "platform/base/Utf.h"
#include "controls/html/tables/CellBackground.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "controls/html/forms/FormWidgets.h"

#include <algorithm>

#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/text/CodePageText.h"
#include "platform/base/IntConversions.h"
#include "platform/base/StringRoutines.h"
#include "platform/win/win.h"

namespace {

std::string Utf8(const std::u16string& S) { return WideStringToMultibyte(65001, S); }

}  // namespace

// --- windowed controls

void TFormRadioButton::SetFormChecked(bool Value)
{
  if (FFormChecked == Value)
    return;
  FFormChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated())
    SendMessage(Handle(), BM_SETCHECK, Value, 0);
  if (!Value)
    return;
  Changed();
  if (!ClicksDisabled())
    Click();
}

void TFormRadioButton::CreateWnd()
{
  TRadioButton::CreateWnd();
  SendMessage(Handle(), BM_SETCHECK, FFormChecked, 0);
}

void TFormRadioButton::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  TFormWidget::Dispatch(Message);
}

void TFormCheckBox::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  TFormWidget::Dispatch(Message);
}

// --- text and password fields

TEditFormControlObj::TEditFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos,
                                         bool Password)
    : TFormControlObj(D, F, A, P, Pos)
{
  auto* E = new TFormWidget<TEdit>(nullptr, this);
  E->SetBounds(ParkedLeft, 0, 120, 20);
  if (const TAttribute* M = A.Find(MaxLengthSy); M && M->Value > 0)
    E->SetMaxLength(M->Value);
  if (Password)
    E->SetPasswordChar('*');
  if (const TAttribute* S = A.Find(SizeSy)) {
    if (S->Value >= 1) {
      SizeInChars = S->Value;
    } else {
      // "20, 3": the number before the first comma or space.
      const std::string& T = S->Name;
      const auto Comma = T.find(','), Space = T.find(' ');
      if (Comma != std::string::npos && Space != std::string::npos)
        SizeInChars = StrToIntDef(Trim(T.substr(0, std::min(Comma, Space))), 20);
    }
    SizeInChars = std::clamp(SizeInChars, 1, 1000);
  }
  Adopt(E);
  ResetControl();
}

TEdit* TEditFormControlObj::Edit() const { return static_cast<TEdit*>(FControl.get()); }

void TEditFormControlObj::SetSizeFromCanvas()
{
  Width = StyleWidth >= 10 && !PercentWidth ? StyleWidth
        : PercentWidth                    ? 10
                                          : TextWidthOf(u"0") * SizeInChars + 20;
  Height = std::max(TextHeight() + 2 + FormEdgeWidth, StyleHeight);
  Width = std::min(Width, 32767);
}

void TEditFormControlObj::ResetControl() { Edit()->SetText(Value); }
void TEditFormControlObj::SaveOnEnter() { FSaved = Edit()->Text(); }

void TEditFormControlObj::CheckChanged() { ReportChange(Edit()->Text(), FSaved); }

bool TEditFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (I != 0)
    return false;
  Pair = SubmitPair(Name, Edit()->Text());
  return true;
}

void TEditFormControlObj::SetValue(int Index, const std::string& AValue)
{
  (void)Index;
  Edit()->SetText(AValue);
}

bool TEditFormControlObj::KeyPress(char32_t& Key)
{
  if (Key != 13)
    return false;
  // Enter in a one-line field submits its form.
  Key = 0;
  Form->Submit();
  return true;
}

// --- buttons

TButtonFormControlObj::TButtonFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P,
                                             int Pos, TKind AKind)
    : TFormControlObj(D, F, A, P, Pos), Kind(AKind)
{
  auto* B = new TFormWidget<TButton>(nullptr, this);
  std::string Caption;
  switch (Kind) {
  case Submit: Caption = Value.empty() ? "Submit" : Value; break;
  case Reset: Caption = Value.empty() ? "Reset" : Value; break;
  case File:
    Caption = "Browse...";
    Value.clear();
    Name.clear();
    ID.clear();
    break;
  case Plain: Caption = Value.empty() ? "Button" : Value; break;
  }
  B->SetCaption(Caption);
  Adopt(B);
}

void TButtonFormControlObj::SetSizeFromCanvas()
{
  const int TH = TextHeight();
  Height = StyleHeight >= TH ? StyleHeight : TH + 8;
  if (StyleWidth >= 10 && !PercentWidth) {
    Width = StyleWidth;
  } else {
    const std::string Caption = FControl->Caption();
    std::u16string W = MultibyteToWideString(65001, Caption);
    Width = std::min(TextWidthOf(W) + 20, 32767);
  }
}

void TButtonFormControlObj::Clicked()
{
  TFormControlObj::Clicked();
  switch (Kind) {
  case Submit:
    if (!Disabled) {
      std::vector<std::string> Extra;
      if (!Name.empty())
        Extra.push_back(SubmitPair(Name, Value.empty() ? FControl->Caption() : Value));
      Form->Submit(&Extra);
    }
    break;
  case Reset: Form->Reset(); break;
  case File:
    if (auto* E = dynamic_cast<TEditFormControlObj*>(Linked); E && Document->Forms->OnFileBrowse) {
      std::string FileName = E->Edit()->Text();
      Document->Forms->OnFileBrowse(E, FileName);
      E->Edit()->SetText(FileName);
    }
    break;
  case Plain: break;
  }
}

// --- check boxes

TCheckBoxFormControlObj::TCheckBoxFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P,
                                                 int Pos)
    : TFormControlObj(D, F, A, P, Pos)
{
  if (Value.empty())
    Value = "on";
  InitiallyChecked = A.Find(CheckedSy) != nullptr;
  auto* C = new TFormCheckBox(nullptr, this);
  C->SetBounds(ParkedLeft, 0, 13, 13);
  Width = Height = 13;
  Adopt(C);
  ResetControl();
}

TFormCheckBox* TCheckBoxFormControlObj::Box() const { return static_cast<TFormCheckBox*>(FControl.get()); }
void TCheckBoxFormControlObj::ResetControl() { Box()->SetChecked(InitiallyChecked); }
void TCheckBoxFormControlObj::SaveOnEnter() { FSaved = Box()->Checked(); }
void TCheckBoxFormControlObj::ClearChoice() { Box()->SetChecked(false); }

void TCheckBoxFormControlObj::CheckChanged() { ReportChange(Box()->Checked(), FSaved); }

bool TCheckBoxFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (I != 0)
    return false;
  Pair = Box()->Checked() ? SubmitPair(Name, Value) : std::string();
  return true;
}

void TCheckBoxFormControlObj::SetValue(int Index, const std::string& AValue)
{
  (void)Index;
  if (SameText(AValue, Value))
    Box()->SetChecked(true);
}

// --- radio buttons

TRadioButtonFormControlObj::TRadioButtonFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A,
                                                       TProperties& P, int Pos)
    : TFormControlObj(D, F, A, P, Pos)
{
  InitiallyChecked = A.Find(CheckedSy) != nullptr;
  auto* R = new TFormRadioButton(nullptr, this);
  R->SetClicksDisabled(true);
  const bool Large = D->Fonts.PixelsPerInch() > 100;
  Width = Large ? 16 : 13;
  Height = Large ? 16 : 14;
  R->SetBounds(ParkedLeft, 0, Width, Height);
  R->SetTabStop(true);
  Adopt(R);
  ResetControl();
  R->SetClicksDisabled(false);
}

TFormRadioButton* TRadioButtonFormControlObj::Widget() const
{
  return static_cast<TFormRadioButton*>(FControl.get());
}

TWinControl* TRadioButtonFormControlObj::TheControl() const { return FControl.get(); }

void TRadioButtonFormControlObj::ResetControl()
{
  Widget()->SetClicksDisabled(true);
  Widget()->SetFormChecked(InitiallyChecked);
  Widget()->SetClicksDisabled(false);
  if (InitiallyChecked)
    Form->RadioClicked(this);
}

void TRadioButtonFormControlObj::SaveOnEnter() { FSaved = Widget()->FormChecked(); }

void TRadioButtonFormControlObj::CheckChanged() { ReportChange(Widget()->FormChecked(), FSaved); }

bool TRadioButtonFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (I != 0)
    return false;
  Pair = Widget()->FormChecked() ? SubmitPair(Name, Value) : std::string();
  return true;
}

void TRadioButtonFormControlObj::SetValue(int Index, const std::string& AValue)
{
  (void)Index;
  if (SameText(AValue, Value)) {
    Widget()->SetFormChecked(true);
    Form->RadioClicked(this);
  }
}

void TRadioButtonFormControlObj::Clicked()
{
  Form->RadioClicked(this);
  TFormControlObj::Clicked();
}

bool TRadioButtonFormControlObj::KeyDown(WORD& Key, TShiftState Shift)
{
  if (Form->RadioKey(this, Key)) {
    Key = 0;
    return true;
  }
  if (Document->OnViewerKeyDown)
    Document->OnViewerKeyDown(Key, Shift);
  return false;
}

// --- image inputs

TImageFormControlObj::TImageFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos)
    : TFormControlObj(D, F, A, P, Pos)
{
  auto* B = new TFormWidget<TButton>(nullptr, this);
  B->SetBounds(ParkedLeft, 0, 1, 1);
  Adopt(B);
}

void TImageFormControlObj::ApplyStyle(TProperties& Props)
{
  TFormControlObj::ApplyStyle(Props);
  if (Picture)
    Picture->ApplyStyle(Props);
}

void TImageFormControlObj::ImageClicked(int X, int Y)
{
  if (Disabled)
    return;
  if (TWinControl* Proxy = TheControl(); Proxy && Proxy->CanFocus())
    Proxy->SetFocus();
  FX = X;
  FY = Y;
  Form->Submit();
  FX = FY = -1;
}

bool TImageFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (FX < 0 || I > 1)
    return false;
  const std::string Prefix = Name.empty() ? std::string() : Name + ".";
  Pair = Prefix + (I == 0 ? "x=" + std::to_string(FX) : "y=" + std::to_string(FY));
  if (I == 1)
    FX = FY = -1;  // a click is sent once
  return true;
}

// --- hidden inputs

bool THiddenFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (I != 0)
    return false;
  Pair = SubmitPair(Name, Value);
  return true;
}

// --- text areas

TTextAreaFormControlObj::TTextAreaFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P,
                                                 int Pos)
    : TFormControlObj(D, F, A, P, Pos)
{
  if (const TAttribute* R = A.Find(RowsSy); R && R->Value > 0)
    Rows = std::min(R->Value, 1000);
  if (const TAttribute* C = A.Find(ColsSy); C && C->Value > 0)
    Cols = std::min(C->Value, 1000);
  if (const TAttribute* W = A.Find(WrapSy)) {
    const std::string S = LowerCase(Trim(W->Name));
    Wrap = S == "off" ? Off : S == "hard" ? Hard : Soft;
  }
  auto* M = new TFormWidget<TMemo>(nullptr, this);
  M->SetScrollBars(Wrap == Off ? ssBoth : ssVertical);
  M->SetWordWrap(Wrap != Off);
  Adopt(M);
}

TMemo* TTextAreaFormControlObj::Memo() const { return static_cast<TMemo*>(FControl.get()); }

void TTextAreaFormControlObj::AddText(const std::u16string& Text) { InitialText += Utf8(Text); }
void TTextAreaFormControlObj::AddLineEnd() { InitialText += "\r\n"; }
void TTextAreaFormControlObj::DoneAdding() { ResetControl(); }
void TTextAreaFormControlObj::ResetControl() { Memo()->SetText(InitialText); }
void TTextAreaFormControlObj::SaveOnEnter() { FSaved = Memo()->Text(); }

void TTextAreaFormControlObj::CheckChanged() { ReportChange(Memo()->Text(), FSaved); }

void TTextAreaFormControlObj::SetValue(int Index, const std::string& AValue)
{
  (void)Index;
  Memo()->SetText(AValue);
}

void TTextAreaFormControlObj::SetSizeFromCanvas()
{
  const int Bar = GetSystemMetrics(SM_CXVSCROLL);
  Height = StyleHeight >= 10 ? StyleHeight : TextHeight() * Rows + 5 + FormEdgeWidth;
  Width = StyleWidth >= 10 && !PercentWidth ? StyleWidth
        : PercentWidth                    ? 50
                                          : TextWidthOf(u"s") * Cols + 5 + FormEdgeWidth + Bar;
}

bool TTextAreaFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (I != 0)
    return false;
  if (Wrap != Hard) {
    Pair = SubmitPair(Name, Memo()->Text());
    return true;
  }
  // The lines as the control shows them.
  TMemo* M = Memo();
  const std::string All = M->Text();
  const int Count = int(M->Perform(EM_GETLINECOUNT, 0, 0));
  std::string Joined;
  for (int L = 0; L < Count; ++L) {
    const int Start = int(M->Perform(EM_LINEINDEX, WPARAM(L), 0));
    const int Length = int(M->Perform(EM_LINELENGTH, WPARAM(Start), 0));
    if (Start < 0 || std::size_t(Start) > All.size())
      break;
    if (L > 0)
      Joined += "\r\n";
    Joined += All.substr(std::size_t(Start), std::size_t(std::max(0, Length)));
  }
  Pair = SubmitPair(Name, Joined);
  return true;
}

// --- focus marks, backgrounds and printed pictures of buttons and boxes

namespace FormVariantsDetail {

// A focus rectangle drawn with a white brush, relative to (X, Y).
void FocusMark(HDC DC, int X, int Y, const TRect& Offsets)
{
  const TRect R{X + Offsets.Left, Y + Offsets.Top, X + Offsets.Right, Y + Offsets.Bottom};
  HBRUSH White = CreateSolidBrush(RGB(255, 255, 255));
  HGDIOBJ Old = SelectObject(DC, White);
  DrawFocusRect(DC, &R);
  SelectObject(DC, Old);
  DeleteObject(White);
}

}  // namespace FormVariantsDetail

void TButtonFormControlObj::PrintInto(HDC DC, int X, int Y) const
{
  FormControlFrame(DC, X, Y, X + Width, Y + Height, true, true, true);
  const std::u16string Text = UTF8Decode(TheControl() ? TheControl()->Text() : std::string());
  if (Text.empty())
    return;
  std::vector<int> Ext(Text.size());
  Document->Fonts.TextExtents(Font, Text.data(), int(Text.size()), Ext.data());
  const int H = Document->Fonts.Metrics(Font).Height;
  const TRect Inside{X + 2, Y + 2, X + Width - 2, Y + Height - 2};
  Document->Fonts.DrawText(DC, X + std::max(2, (Width - Ext.back()) / 2), Y + std::max(2, (Height - H) / 2), Font, 0,
                           clNone, Text.data(), int(Text.size()), &Inside);
}

void TCheckBoxFormControlObj::DrawFocusMark(HDC DC, int X, int Y) const
{
  FormVariantsDetail::FocusMark(DC, X, Y, {-3, -3, 16, 16});
}

void TCheckBoxFormControlObj::PrintInto(HDC DC, int X, int Y) const
{
  FormControlFrame(DC, X, Y, X + Width, Y + Height, false, true, false);
  if (!Box()->Checked())
    return;
  // The tick: two strokes from the lower middle.
  for (int D = 0; D < 2; ++D) {
    SolidLine(DC, X + 3, Y + 6 + D, X + 5, Y + 8 + D, 0);
    SolidLine(DC, X + 5, Y + 8 + D, X + 10, Y + 3 + D, 0);
  }
}

void TRadioButtonFormControlObj::Placing()
{
  TColor Back = Document->Background;
  CellBackground(Cell, Back);
  if (TWinControl* C = TheControl(); C && C->Color() != Back)
    C->SetColor(Back);
}

void TRadioButtonFormControlObj::DrawFocusMark(HDC DC, int X, int Y) const
{
  if (Document->Fonts.PixelsPerInch() > 100)
    FormVariantsDetail::FocusMark(DC, X, Y, {-2, -2, 18, 18});
  else
    FormVariantsDetail::FocusMark(DC, X, Y, {-3, -2, 16, 17});
}

void TRadioButtonFormControlObj::PrintInto(HDC DC, int X, int Y) const
{
  // A sunken ring, and the dot when checked.
  HPEN Pen = CreatePen(PS_SOLID, 1, PlainColor(clBtnShadow));
  HGDIOBJ OldPen = SelectObject(DC, Pen);
  HGDIOBJ OldBrush = SelectObject(DC, GetStockObject(WHITE_BRUSH));
  Ellipse(DC, X, Y, X + Width - 1, Y + Height - 1);
  if (Widget()->FormChecked()) {
    SelectObject(DC, GetStockObject(BLACK_BRUSH));
    Ellipse(DC, X + 4, Y + 4, X + Width - 5, Y + Height - 5);
  }
  SelectObject(DC, OldBrush);
  SelectObject(DC, OldPen);
  DeleteObject(Pen);
}
