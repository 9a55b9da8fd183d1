// The viewer's side of the document's forms and panels: a submitted form
// reaches OnFormSubmit, the focus of a control scrolls it into view, and the
// controls' and panels' own events are handed on to the viewer's events.
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormControl.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"

void THtmlView::InstallDocumentEvents()
{
  TDocumentForms& F = *FSectionList->Forms;
  F.OnSubmit = [this](const ::TFormSubmission& S) {
    auto Results = std::make_unique<TStringList>();
    for (const std::string& Pair : S.Pairs)
      Results->Add(Pair);
    FormSubmitReceived(S.Action, S.Target, S.EncType, S.Method, std::move(Results));
  };
  F.OnControlFocus = [this](TFormControlObj* Control) { ControlEnter(Control); };
  F.OnObjectClick = [this](TFormControlObj* Control, const std::string& Text) {
    if (OnObjectClick)
      OnObjectClick(this, Control, Text);
  };
  F.OnObjectFocus = [this](TFormControlObj* Control, const std::string& Text) {
    if (OnObjectFocus)
      OnObjectFocus(this, Control, Text);
  };
  F.OnObjectBlur = [this](TFormControlObj* Control, const std::string& Text) {
    if (OnObjectBlur)
      OnObjectBlur(this, Control, Text);
  };
  F.OnObjectChange = [this](TFormControlObj* Control, const std::string& Text) {
    if (OnObjectChange)
      OnObjectChange(this, Control, Text);
  };
  F.OnFileBrowse = [this](TFormControlObj* Control, std::string& FileName) {
    if (OnFileBrowse)
      OnFileBrowse(this, Control, FileName);
  };
  // Panels ask before they are made whether anyone fills them; the events
  // are read when they fire, so one assigned later still takes effect.
  F.OnPanelCreate = [this](const std::string& Name, const std::string& Type, const std::string& Src, ThvPanel* Panel) {
    if (OnPanelCreate)
      OnPanelCreate(this, Name, Type, Src, Panel);
  };
  F.OnPanelDestroy = [this](ThvPanel* Panel) {
    if (OnPanelDestroy)
      OnPanelDestroy(this, Panel);
  };
  F.OnPanelPrint = [this](ThvPanel* Panel, TBitmap* Bitmap) {
    if (OnPanelPrint)
      OnPanelPrint(this, Panel, Bitmap);
  };
}

std::unique_ptr<TStringList> THtmlView::GetFormData()
{
  const TDocumentForms& F = *FSectionList->Forms;
  if (F.ControlList.empty())
    return nullptr;
  auto Result = std::make_unique<TStringList>();
  for (const std::vector<std::string>& Form : F.FormData())
    for (const std::string& Pair : Form)
      Result->Add(Pair);
  return Result;
}

void THtmlView::ControlEnter(TFormControlObj* Control)
{
  if (!Control)
    return;
  const int Y = Control->YPosition();
  const int Pos = GetVScrollPos();
  if (Y < Pos || Y > Pos + ClientHeight() - 20)
    SetVScrollPos(Y - ClientHeight() / 2);
  Invalidate();
  FPaintPanel->Invalidate();
}
