// TFormControlObj: one control of an HTML form. It owns the windowed control
// of the class library that stands for the element on the viewer's paint
// panel, keeps the element's attributes, sizes the control for layout, is
// moved onto the page when its section paints (TControlBox), gives its
// name=value pairs for submission and reports focus, click and change to
// the document's form events. ThtmlForm groups the controls of one FORM.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/html/document/ImageObj.h"
#include "controls/html/text/FontService.h"
#include "platform/base/Object.h"
#include "platform/base/Types.h"
#include "platform/classes/ShiftState.h"

class TAttributeList;
class TComponent;
class TProperties;
class TSectionList;
class TWinControl;
class ThtmlForm;

class TFormControlObj : public TObject {
public:
  // Controls not placed by the last paint wait here, able to take the focus.
  static constexpr int ParkedLeft = -4000;

  TFormControlObj(TSectionList* ADocument, ThtmlForm* AForm, TAttributeList& Attributes, TProperties& Props,
                  int APos);
  ~TFormControlObj() override;

  TSectionList* Document;
  ThtmlForm* Form;
  int Pos;          // source position of the element
  int YValue = 0;   // document y of the last placement (jumps to its ID)
  std::string Value, Name, ID;
  std::string OnClickText, OnFocusText, OnBlurText, OnChangeText;
  int VertAlign = TImageObj::AlignBaseline;
  int HSpaceL = 0, HSpaceR = 0;
  int StyleHeight = 0, StyleWidth = 0;
  bool PercentWidth = false;
  bool Disabled = false;
  bool Shown = false;    // placed by the last paint
  bool Focused = false;  // its windowed control has the keyboard focus
  int Width = 0, Height = 0;  // the control's size for layout
  std::vector<std::pair<std::string, std::string>> Attributes;  // NAME, value as read
  THtmlFontDesc Font;  // the element's font, for sizing

  virtual int YPosition() const { return YValue; }
  virtual TWinControl* TheControl() const { return FControl.get(); }
  virtual void CheckChanged() {}
  virtual void SaveOnEnter() {}
  virtual void ApplyStyle(TProperties& Props);
  virtual void ResetControl() {}
  // The I-th name=value pair; false when there is none.
  virtual bool SubmissionPair(int I, std::string& Pair) const { (void)I; (void)Pair; return false; }
  virtual void SetValue(int Index, const std::string& AValue) { (void)Index; (void)AValue; }
  virtual void ClearChoice() {}
  // Sizes the control from its font (and the style), before layout.
  virtual void SetSizeFromCanvas() {}
  // Hidden inputs have no control and take no room.
  virtual bool IsHidden() const { return false; }
  // The box the section lays out for it (null for hidden inputs).
  std::unique_ptr<TImageObj> MakeBox();
  // The width when the style gives a percentage of AvailWidth.
  void FitToWidth(int AvailWidth);

  // Moves the control to a point of the paint panel, or off the page.
  void Place(int X, int Y);
  // Just before the control is placed: it takes the colours of where it stands.
  virtual void Placing() {}
  // The focus mark drawn on the page round a focused control at (X, Y)
  // (screen coordinates); none by default.
  virtual void DrawFocusMark(HDC DC, int X, int Y) const { (void)DC; (void)X; (void)Y; }
  // Draws the control into a printed page at (X, Y) instead of moving its
  // window there: its frame, its text, its mark.
  virtual void PrintInto(HDC DC, int X, int Y) const;
  void Park();
  TWinControl* Control() const { return FControl.get(); }

  // Events of the windowed control.
  void FocusGained();
  void FocusLost();
  virtual void Clicked();
  // True when the key was handled here.
  virtual bool KeyDown(WORD& Key, TShiftState Shift) { (void)Key; (void)Shift; return false; }
  virtual bool KeyPress(char32_t& Key) { (void)Key; return false; }
  void Changed();  // the object-change event with the on-change text

  // Helpers for the variants.
  const std::string* Attribute(const char* UpperName) const;
  int TextWidthOf(const std::u16string& S) const;
  int TextHeight() const;

protected:
  void Adopt(TWinControl* Control);
  // The change event when the value differs from the one saved on entry.
  template <class T>
  void ReportChange(const T& Now, T& Saved)
  {
    if (Now != Saved) {
      Saved = Now;
      Changed();
    }
  }  // takes ownership, parks it on the paint panel
  std::unique_ptr<TWinControl> FControl;
};

// The section's stand-in for a control: an inline box that measures as the
// control and moves the control there when it paints.
class TControlBox : public TImageObj {
public:
  TControlBox(TSectionList* ADocument, TFormControlObj* AControl);
  ~TControlBox() override;
  TFormControlObj* Control;
  void Measure(int AvailHeight, int AvailWidth, const TFontObj* Font) override;
  void Draw(HDC DC, int X, int Baseline, int LineTop, const TFontObj* Font) override;
};

// The controls of one FORM element (controls outside any FORM share one).
class ThtmlForm : public TObject {
public:
  ThtmlForm(TSectionList* ADocument, TAttributeList* Attributes);
  ~ThtmlForm() override;

  TSectionList* Document;
  std::string Method = "Get";
  std::string Action, Target, EncType;
  std::vector<std::unique_ptr<TFormControlObj>> Controls;
  int NonHiddenCount = 0;

  TFormControlObj* AddControl(std::unique_ptr<TFormControlObj> Control);
  // Collects the pairs of the enabled controls (and Extra) and hands them to
  // the document's submit event; nothing without one.
  void Submit(const std::vector<std::string>* Extra = nullptr);
  void Reset();
  // Every non-empty pair, disabled controls included.
  std::vector<std::string> Values() const;
  void SizeAll();
  // A radio button was checked: the others of its group are cleared.
  void RadioClicked(TFormControlObj* Button);
  // Arrow keys move along the group of a radio button; true when handled.
  bool RadioKey(TFormControlObj* Button, WORD Key);
};

// The windowed controls hand their events to their form control object.
template <class TBase>
class TFormWidget : public TBase {
public:
  TFormWidget(TComponent* AOwner, TFormControlObj* AObj) : TBase(AOwner), Obj(AObj) {}
  TFormControlObj* Obj;
  void Click() override
  {
    TBase::Click();
    if (Obj)
      Obj->Clicked();
  }

protected:
  void DoEnter() override
  {
    TBase::DoEnter();
    if (Obj)
      Obj->FocusGained();
  }
  void DoExit() override
  {
    TBase::DoExit();
    if (Obj)
      Obj->FocusLost();
  }
  void KeyDown(WORD& Key, TShiftState Shift) override
  {
    if (Obj && Obj->KeyDown(Key, Shift))
      return;
    TBase::KeyDown(Key, Shift);
  }
  void KeyPress(char32_t& Key) override
  {
    if (Obj && Obj->KeyPress(Key))
      return;
    TBase::KeyPress(Key);
  }
};
