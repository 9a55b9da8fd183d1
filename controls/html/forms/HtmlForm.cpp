// ThtmlForm (submit, reset, values, radio groups) and TDocumentForms.
#include <algorithm>

#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormControl.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/forms/PanelObj.h"
#include "controls/html/forms/FormWidgets.h"
#include "controls/html/parser/Attributes.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/win/win.h"

ThtmlForm::ThtmlForm(TSectionList* ADocument, TAttributeList* Attributes) : Document(ADocument)
{
  if (!Attributes)
    return;
  if (const TAttribute* M = Attributes->Find(MethodSy))
    Method = M->Name.substr(0, 4);
  if (const TAttribute* A = Attributes->Find(ActionSy))
    Action = A->Name;
  if (const TAttribute* T = Attributes->Find(TargetSy))
    Target = T->Name;
  if (const TAttribute* E = Attributes->Find(EncTypeSy))
    EncType = E->Name;
}

ThtmlForm::~ThtmlForm() = default;

TFormControlObj* ThtmlForm::AddControl(std::unique_ptr<TFormControlObj> Control)
{
  if (!Control->IsHidden())
    ++NonHiddenCount;
  Controls.push_back(std::move(Control));
  return Controls.back().get();
}

void ThtmlForm::Submit(const std::vector<std::string>* Extra)
{
  TDocumentForms& F = *Document->Forms;
  if (!F.OnSubmit)
    return;
  TFormSubmission S{Action, Method, EncType, Target, {}};
  for (auto& C : Controls) {
    if (C->Disabled)
      continue;
    std::string Pair;
    for (int I = 0; C->SubmissionPair(I, Pair); ++I)
      if (!Pair.empty())
        S.Pairs.push_back(Pair);
  }
  if (Extra)
    for (const std::string& P : *Extra)
      if (!P.empty())
        S.Pairs.push_back(P);
  F.OnSubmit(S);
}

void ThtmlForm::Reset()
{
  for (auto& C : Controls)
    C->ResetControl();
}

std::vector<std::string> ThtmlForm::Values() const
{
  std::vector<std::string> Result;
  for (auto& C : Controls) {
    std::string Pair;
    for (int I = 0; C->SubmissionPair(I, Pair); ++I)
      if (!Pair.empty())
        Result.push_back(Pair);
  }
  return Result;
}

void ThtmlForm::SizeAll()
{
  for (auto& C : Controls)
    C->SetSizeFromCanvas();
}

void ThtmlForm::RadioClicked(TFormControlObj* Button)
{
  for (auto& C : Controls) {
    auto* R = dynamic_cast<TRadioButtonFormControlObj*>(C.get());
    if (!R || R == Button || !SameText(R->Name, Button->Name))
      continue;
    R->Widget()->SetFormChecked(false);
    R->CheckChanged();
  }
}

bool ThtmlForm::RadioKey(TFormControlObj* Button, WORD Key)
{
  if (Key < 37 || Key > 40)
    return false;
  std::vector<TRadioButtonFormControlObj*> Group;
  int Here = -1;
  for (auto& C : Controls)
    if (auto* R = dynamic_cast<TRadioButtonFormControlObj*>(C.get()); R && SameText(R->Name, Button->Name)) {
      if (R == Button)
        Here = int(Group.size());
      Group.push_back(R);
    }
  if (Here < 0)
    return false;
  const int Next = Key == 37 || Key == 38 ? std::max(0, Here - 1) : std::min(int(Group.size()) - 1, Here + 1);
  if (TWinControl* W = Group[std::size_t(Next)]->TheControl(); W && W->CanFocus())
    W->SetFocus();
  return true;
}

// --- the document's forms

TDocumentForms::TDocumentForms(TSectionList& ADocument) : Document(ADocument) {}

TDocumentForms::~TDocumentForms()
{
  Clear();
  if (FHost)
    DestroyWindow(static_cast<HWND>(FHost));
}

void TDocumentForms::AttachWindow(TWinControl* Control)
{
  if (Document.PaintPanel) {
    Control->SetParent(Document.PaintPanel);
    return;
  }
  if (!FHost)
    FHost = CreateWindowEx(0, "Static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (FHost)
    Control->SetParentWindow(static_cast<HWND>(FHost));
}

ThtmlForm* TDocumentForms::NewForm(TAttributeList* Attributes)
{
  FormList.push_back(std::make_unique<ThtmlForm>(&Document, Attributes));
  return FormList.back().get();
}

void TDocumentForms::SizeAll()
{
  for (auto& F : FormList)
    F->SizeAll();
}

void TDocumentForms::BeginPaint()
{
  for (TFormControlObj* C : ControlList)
    C->Shown = false;
  for (TPanelObj* P : PanelList)
    P->Shown = false;
}

void TDocumentForms::EndPaint()
{
  if (!ParkUnplaced)
    return;
  ParkUnplaced = false;
  for (TFormControlObj* C : ControlList)
    if (!C->Shown)
      C->Park();
  for (TPanelObj* P : PanelList)
    if (!P->Shown)
      P->Park();
}

std::vector<std::vector<std::string>> TDocumentForms::FormData() const
{
  std::vector<std::vector<std::string>> Result;
  for (auto& F : FormList)
    Result.push_back(F->Values());
  return Result;
}

void TDocumentForms::Clear()
{
  ControlList.clear();
  FormList.clear();
  PanelList.clear();
}
