// The windowed controls of form controls that differ from the class
// library's: radio buttons grouped by their form, and check boxes, both
// taking the arrow keys.
#pragma once

#include <string>

#include "controls/html/forms/FormControl.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/CheckBox.h"
#include "platform/classes/stdctrls/ComboBox.h"
#include "platform/classes/stdctrls/Edit.h"
#include "platform/classes/stdctrls/ListBox.h"
#include "platform/classes/stdctrls/Memo.h"
#include "platform/classes/stdctrls/RadioButton.h"

// A radio button whose group is its form's NAME, not its parent window:
// checking it clears nobody else; arrow keys reach it.
class TFormRadioButton : public TFormWidget<TRadioButton> {
public:
  using TFormWidget::TFormWidget;
  using TRadioButton::SetClicksDisabled;
  bool FormChecked() const { return FFormChecked; }
  // A new value is stored and shown, the tab stop follows it, and becoming
  // checked raises the change notification and (unless clicks are disabled) Click.
  void SetFormChecked(bool Value);
  void SetChecked(bool Value) override { SetFormChecked(Value); }
  void Dispatch(TMessage& Message) override;

protected:
  bool GetChecked() const override { return FFormChecked; }
  void CreateWnd() override;

private:
  bool FFormChecked = false;
};

class TFormCheckBox : public TFormWidget<TCheckBox> {
public:
  using TFormWidget::TFormWidget;
  void Dispatch(TMessage& Message) override;
};

// The sunken edge of edits, memos and lists: two pixels on every side.
inline constexpr int FormEdgeWidth = 4;

// "Name=Value": one pair of what a form submits.
inline std::string SubmitPair(const std::string& Name, const std::string& Value)
{
  std::string Pair;
  Pair.reserve(Name.size() + 1 + Value.size());
  Pair.append(Name).append(1, '=').append(Value);
  return Pair;
}
