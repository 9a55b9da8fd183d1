// SELECT: a list box (MULTIPLE, or SIZE above 1) or a drop-down list, with
// its options.
#include <algorithm>

#include "controls/html/document/SectionList.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/forms/FormWidgets.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/text/CodePageText.h"
#include "platform/base/StringRoutines.h"
#include "platform/win/win.h"

void TSelectFormControlObj::AddOption(const std::u16string& Text, const std::string* OptionValue, bool Selected,
                                      std::vector<std::pair<std::string, std::string>> OptionAttributes)
{
  TOptionObj O;
  O.Text = Trim(WideStringToMultibyte(65001, Text));
  if (O.Text.empty())
    O.Text.assign(1, ' ');
  O.Value = OptionValue ? *OptionValue : Trim(O.Text);
  O.Selected = Selected;
  O.Attributes = std::move(OptionAttributes);
  Options.push_back(std::move(O));
}

int TSelectFormControlObj::WidestOption() const
{
  int W = 0;
  for (const TOptionObj& O : Options)
    W = std::max(W, TextWidthOf(MultibyteToWideString(65001, O.Text)));
  return W;
}

// --- list boxes

TListBoxFormControlObj::TListBoxFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P,
                                               int Pos)
    : TSelectFormControlObj(D, F, A, P, Pos)
{
  Multiple = A.Find(MultipleSy) != nullptr;
  if (const TAttribute* S = A.Find(SizeSy); S && S->Value > 0)
    Rows = std::min(S->Value, 1000);
  auto* L = new TFormWidget<TListBox>(nullptr, this);
  L->SetIntegralHeight(false);
  if (Multiple) {
    L->SetMultiSelect(true);
    L->SetExtendedSelect(true);
  }
  Adopt(L);
}

TListBox* TListBoxFormControlObj::List() const { return static_cast<TListBox*>(FControl.get()); }

void TListBoxFormControlObj::ResetControl()
{
  TListBox* L = List();
  L->Items()->Clear();
  int LastSelected = -1;
  for (std::size_t I = 0; I < Options.size(); ++I)
    L->Items()->Add(Options[I].Text);
  for (std::size_t I = 0; I < Options.size(); ++I)
    if (Options[I].Selected) {
      if (Multiple)
        L->SetSelected(int(I), true);
      LastSelected = int(I);
    }
  if (!Multiple && LastSelected >= 0)
    L->SetItemIndex(LastSelected);
  if (LastSelected < 0 && !Options.empty()) {
    if (Multiple)
      L->SetSelected(0, true);
    else
      L->SetItemIndex(0);
  }
  L->SetTopIndex(0);
}

void TListBoxFormControlObj::SaveOnEnter()
{
  TListBox* L = List();
  FSavedCount = L->Items()->Count();
  FSavedSelection.assign(std::size_t(FSavedCount), false);
  for (int I = 0; I < FSavedCount; ++I)
    FSavedSelection[std::size_t(I)] = L->Selected(I);
}

void TListBoxFormControlObj::CheckChanged()
{
  TListBox* L = List();
  bool Differs = L->Items()->Count() != FSavedCount;
  // Every item counts, however long the list.
  for (int I = 0; !Differs && I < FSavedCount; ++I)
    Differs = L->Selected(I) != FSavedSelection[std::size_t(I)];
  if (Differs) {
    SaveOnEnter();
    Changed();
  }
}

bool TListBoxFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (I < 0 || I >= int(Options.size()) || I >= List()->Items()->Count())
    return false;
  Pair = List()->Selected(I) ? SubmitPair(Name, Options[std::size_t(I)].Value) : std::string();
  return true;
}

void TListBoxFormControlObj::SetValue(int Index, const std::string& AValue)
{
  TListBox* L = List();
  if (Index == 0) {
    if (Multiple)
      L->ClearSelection();
    if (!Options.empty() && !Multiple)
      L->SetItemIndex(0);
  }
  for (std::size_t I = 0; I < Options.size(); ++I)
    if (SameText(Options[I].Value, AValue)) {
      if (Multiple)
        L->SetSelected(int(I), true);
      else
        L->SetItemIndex(int(I));
    }
}

void TListBoxFormControlObj::SetSizeFromCanvas()
{
  const int Shown = Rows > 0 ? Rows : std::max(1, std::min(8, int(Options.size())));
  Height = StyleHeight >= 10 ? StyleHeight : Shown * TextHeight() + FormEdgeWidth;
  Width = StyleWidth >= 10 && !PercentWidth ? StyleWidth
        : PercentWidth                    ? 10
                                          : GetSystemMetrics(SM_CXVSCROLL) + WidestOption() + 10 + FormEdgeWidth;
  Width = std::min(Width, 32767);
  Height = std::min(Height, 32767);
}

// --- drop-down lists

TComboFormControlObj::TComboFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos)
    : TSelectFormControlObj(D, F, A, P, Pos)
{
  auto* C = new TFormWidget<TComboBox>(nullptr, this);
  C->SetStyle(csDropDownList);
  Adopt(C);
}

TComboBox* TComboFormControlObj::Combo() const { return static_cast<TComboBox*>(FControl.get()); }

void TComboFormControlObj::ResetControl()
{
  TComboBox* C = Combo();
  C->Items()->Clear();
  int Selected = -1;
  for (std::size_t I = 0; I < Options.size(); ++I) {
    C->Items()->Add(Options[I].Text);
    if (Options[I].Selected)
      Selected = int(I);
  }
  if (Selected < 0 && !Options.empty())
    Selected = 0;
  C->SetItemIndex(Selected);
}

void TComboFormControlObj::SaveOnEnter() { FSaved = Combo()->ItemIndex(); }

void TComboFormControlObj::CheckChanged() { ReportChange(Combo()->ItemIndex(), FSaved); }

bool TComboFormControlObj::SubmissionPair(int I, std::string& Pair) const
{
  if (I != 0)
    return false;
  const int Index = Combo()->ItemIndex();
  Pair = Index >= 0 && Index < int(Options.size()) ? SubmitPair(Name, Options[std::size_t(Index)].Value) : std::string();
  return true;
}

void TComboFormControlObj::SetValue(int Index, const std::string& AValue)
{
  if (Index == 0 && !Options.empty())
    Combo()->SetItemIndex(0);
  for (std::size_t I = 0; I < Options.size(); ++I)
    if (SameText(Options[I].Value, AValue))
      Combo()->SetItemIndex(int(I));
}

void TComboFormControlObj::SetSizeFromCanvas()
{
  Height = StyleHeight > 9 ? StyleHeight : std::max(FControl->Height(), TextHeight() + 8);
  Width = StyleWidth >= 10 && !PercentWidth ? StyleWidth
        : PercentWidth                    ? 10
                                          : GetSystemMetrics(SM_CXVSCROLL) + WidestOption() + 10 + FormEdgeWidth;
  Width = std::min(Width, 32767);
}
