// TCustomComboBox: a drop-down list over the "ComboBox" window class (the
// form widgets of the HTML viewer use it): Items, the selected ItemIndex
// (its text is Text), OnChange when the user picks another item, OnDropDown
// and OnCloseUp around the list. Items and the selection survive a
// re-creation of the window.
#pragma once

#include <memory>

#include "platform/base/StringList.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"

class TCustomComboBox;

// The items of a combo box, read from and written to its window.
class TComboBoxStrings : public TStrings {
public:
  explicit TComboBoxStrings(TCustomComboBox* ComboBox) : FComboBox(ComboBox) {}
  int Add(const std::string& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  int IndexOf(const std::string& S) const override;

protected:
  std::string Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;

private:
  TCustomComboBox* FComboBox;
};

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  int ItemIndex();
  void SetItemIndex(int Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  void Clear();
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();

private:
  std::unique_ptr<TComboBoxStrings> FItems;
  TComboBoxStyle FStyle = csDropDownList;
  bool FSorted = false;
  int FDropDownCount = 8;
  std::unique_ptr<TStringList> FSaveItems;
  int FSaveIndex = -1;
};
