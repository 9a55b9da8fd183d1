// TCustomMemo: a multi-line text box ("Edit" with ES_MULTILINE). Lines reads
// and edits the lines as the window shows them (wrapped lines when WordWrap).
// Enter inserts a line break unless WantReturns is off; Tab moves the focus
// unless WantTabs is on.
#pragma once

#include <memory>

#include "platform/base/Strings.h"
#include "platform/classes/stdctrls/CustomEdit.h"

class TCustomMemo;

// The lines of a memo, read from and written to its window.
class TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;

protected:
  std::string Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const std::string& S) override;
  void SetUpdateState(bool Updating) override;
  std::string GetTextStr() const override;
  void SetTextStr(std::string_view Value) override;

private:
  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The caret as (column, line).
  TPoint CaretPos();
  void SetCaretPos(TPoint Value);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(char32_t& Key) override;

private:
  std::unique_ptr<TMemoStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  TAlignment FAlignment = taLeftJustify;
};
