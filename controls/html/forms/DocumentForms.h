// TDocumentForms: what a document keeps of its forms and panels: the forms
// (which own their controls), every control in document order, the panels,
// and the events the viewer installs for them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TFormControlObj;
class ThtmlForm;
class ThvPanel;
class TPanelObj;
class TSectionList;

// What a submitted form hands to the viewer.
struct TFormSubmission {
  std::string Action, Method, EncType, Target;
  std::vector<std::string> Pairs;  // "name=value", in control order
};

class TDocumentForms {
public:
  explicit TDocumentForms(TSectionList& ADocument);
  ~TDocumentForms();

  TSectionList& Document;
  std::vector<std::unique_ptr<ThtmlForm>> FormList;
  std::vector<TFormControlObj*> ControlList;
  std::vector<TPanelObj*> PanelList;

  // --- events, installed by the viewer (all may be empty)
  std::function<void(const TFormSubmission&)> OnSubmit;
  // The document's focus notification (the viewer scrolls the control into view).
  std::function<void(TFormControlObj*)> OnControlFocus;
  // The element's script texts: on-focus, on-blur, on-click, on-change.
  std::function<void(TFormControlObj*, const std::string&)> OnObjectFocus, OnObjectBlur, OnObjectClick, OnObjectChange;
  // A file input's browse button: the file name may be changed.
  std::function<void(TFormControlObj*, std::string&)> OnFileBrowse;
  std::function<void(const std::string& Name, const std::string& Type, const std::string& Src, ThvPanel*)>
      OnPanelCreate;
  std::function<void(ThvPanel*)> OnPanelDestroy;
  std::function<void(ThvPanel*, TBitmap*)> OnPanelPrint;

  // A new form; it becomes the one new controls join.
  ThtmlForm* NewForm(class TAttributeList* Attributes);
  // Every form's controls sized from their fonts.
  void SizeAll();
  // Every control (and panel) the last paint did not place goes off the page;
  // the viewer asks for it after a paint that follows a scroll.
  bool ParkUnplaced = false;
  void BeginPaint();
  void EndPaint();
  // The values of every form, for the viewer's form-data query.
  std::vector<std::vector<std::string>> FormData() const;
  void Clear();

  // Where controls live while the document has no paint panel (a document
  // built without a viewer): a hidden window, made on first need, so that
  // lists and combo boxes can hold their items.
  void AttachWindow(class TWinControl* Control);

private:
  void* FHost = nullptr;  // HWND
};
