// The kinds of form control: text and password fields, buttons (submit,
// reset, file, plain), check boxes, radio buttons, image inputs, hidden
// inputs, text areas and SELECT as a list box or a drop-down list. Their
// windowed controls are in FormWidgets.h.
#pragma once

#include <string>
#include <vector>

#include "controls/html/forms/FormControl.h"

class TComboBox;
class TEdit;
class TCellObj;
class TFormCheckBox;
class TFormRadioButton;
class TListBox;
class TMemo;

class TEditFormControlObj : public TFormControlObj {
public:
  TEditFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos, bool Password);
  void CheckChanged() override;
  void SaveOnEnter() override;
  void ResetControl() override;
  bool SubmissionPair(int I, std::string& Pair) const override;
  void SetValue(int Index, const std::string& AValue) override;
  void SetSizeFromCanvas() override;
  bool KeyPress(char32_t& Key) override;
  TEdit* Edit() const;
  int SizeInChars = 15;

private:
  std::string FSaved;
};

class TButtonFormControlObj : public TFormControlObj {
public:
  enum TKind { Submit, Reset, File, Plain };
  TButtonFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos, TKind AKind);
  void SetSizeFromCanvas() override;
  void Clicked() override;
  void PrintInto(HDC DC, int X, int Y) const override;
  TKind Kind;
  TFormControlObj* Linked = nullptr;  // a file button's edit
};

class TCheckBoxFormControlObj : public TFormControlObj {
public:
  TCheckBoxFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos);
  void CheckChanged() override;
  void SaveOnEnter() override;
  void ResetControl() override;
  bool SubmissionPair(int I, std::string& Pair) const override;
  void SetValue(int Index, const std::string& AValue) override;
  void ClearChoice() override;
  void DrawFocusMark(HDC DC, int X, int Y) const override;
  void PrintInto(HDC DC, int X, int Y) const override;
  TFormCheckBox* Box() const;
  bool InitiallyChecked = false;

private:
  bool FSaved = false;
};

class TRadioButtonFormControlObj : public TFormControlObj {
public:
  TRadioButtonFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos);
  TWinControl* TheControl() const override;
  void CheckChanged() override;
  void SaveOnEnter() override;
  void ResetControl() override;
  bool SubmissionPair(int I, std::string& Pair) const override;
  void SetValue(int Index, const std::string& AValue) override;
  void Clicked() override;
  bool KeyDown(WORD& Key, TShiftState Shift) override;
  // It takes the background of its table cell, or the document's.
  void Placing() override;
  void DrawFocusMark(HDC DC, int X, int Y) const override;
  void PrintInto(HDC DC, int X, int Y) const override;
  TFormRadioButton* Widget() const;
  bool InitiallyChecked = false;
  const TCellObj* Cell = nullptr;  // the table cell it stands in, if any

private:
  bool FSaved = false;
};

// An image input: its picture is an image of the section; a one-pixel button
// takes the focus for it.
class TImageFormControlObj : public TFormControlObj {
public:
  TImageFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos);
  void ApplyStyle(TProperties& Props) override;
  bool SubmissionPair(int I, std::string& Pair) const override;
  bool IsHidden() const override { return true; }  // the section shows its picture
  // A click at a point of the picture records it and submits.
  void ImageClicked(int X, int Y);
  TImageObj* Picture = nullptr;

private:
  mutable int FX = -1, FY = -1;
};

class THiddenFormControlObj : public TFormControlObj {
public:
  using TFormControlObj::TFormControlObj;
  bool IsHidden() const override { return true; }
  bool SubmissionPair(int I, std::string& Pair) const override;
  void SetValue(int Index, const std::string& AValue) override { (void)Index; Value = AValue; }
};

class TTextAreaFormControlObj : public TFormControlObj {
public:
  TTextAreaFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos);
  void CheckChanged() override;
  void SaveOnEnter() override;
  void ResetControl() override;
  bool SubmissionPair(int I, std::string& Pair) const override;
  void SetValue(int Index, const std::string& AValue) override;
  void SetSizeFromCanvas() override;
  // The element's content, line by line while parsing, then done.
  void AddText(const std::u16string& Text);
  void AddLineEnd();
  void DoneAdding();
  TMemo* Memo() const;
  enum TWrap { Soft, Hard, Off } Wrap = Soft;
  int Rows = 5, Cols = 30;
  std::string InitialText;

private:
  std::string FSaved;
};

// One OPTION of a SELECT.
struct TOptionObj {
  std::string Text, Value;
  bool Selected = false;
  std::vector<std::pair<std::string, std::string>> Attributes;
};

// What list boxes and drop-down lists share: the options and their reading.
class TSelectFormControlObj : public TFormControlObj {
public:
  using TFormControlObj::TFormControlObj;
  void AddOption(const std::u16string& Text, const std::string* OptionValue, bool Selected,
                 std::vector<std::pair<std::string, std::string>> Attributes);
  virtual void DoneAdding() { ResetControl(); }
  std::vector<TOptionObj> Options;
  int WidestOption() const;
};

class TListBoxFormControlObj : public TSelectFormControlObj {
public:
  TListBoxFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos);
  void CheckChanged() override;
  void SaveOnEnter() override;
  void ResetControl() override;
  bool SubmissionPair(int I, std::string& Pair) const override;
  void SetValue(int Index, const std::string& AValue) override;
  void SetSizeFromCanvas() override;
  TListBox* List() const;
  bool Multiple = false;
  int Rows = 0;  // SIZE; 0 when not given

  // A list compares its count and the selection of its first items.
  static constexpr int WatchedItems = 51;

private:
  int FSavedCount = 0;
  std::vector<bool> FSavedSelection;
};

class TComboFormControlObj : public TSelectFormControlObj {
public:
  TComboFormControlObj(TSectionList* D, ThtmlForm* F, TAttributeList& A, TProperties& P, int Pos);
  void CheckChanged() override;
  void SaveOnEnter() override;
  void ResetControl() override;
  bool SubmissionPair(int I, std::string& Pair) const override;
  void SetValue(int Index, const std::string& AValue) override;
  void SetSizeFromCanvas() override;
  TComboBox* Combo() const;

private:
  int FSaved = -1;
};
