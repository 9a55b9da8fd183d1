// TUtxCheckListBox: the owner-drawn list box with a check state (unchecked,
// checked, grayed), an enabled flag and a data value per line, drawing a
// check box, radio button or check mark in front of each line from the
// check images "UT_CHECK_IMAGES" (6 x 3 cells). Lines are ticked with the
// mouse on the check area, space, "+" and "-". The per-line state is a
// typed record owned by the list (the line's item data), read only after
// the index is checked, and kept across re-creation of the window.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "controls/utility/controls/UtListBox.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"

class TBitmap;
class TUtFormPlacement;
class TUtIniLink;

CORVANE_ENUM(TCheckKind, "UtCheckListBox", ckCheckBoxes, ckRadioButtons, ckCheckMarks);

using TChangeStateEvent = Method<void(TObject* Sender, int Index)>;

// The state of one line.
struct TUtCheckListBoxItem {
  std::intptr_t Data = 0;
  TCheckBoxState State = cbUnchecked;
  bool Enabled = true;
};

class TUtCheckListBoxStrings : public TUtListBoxStrings {
public:
  using TUtListBoxStrings::TUtListBoxStrings;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
};

class TUtxCheckListBox : public TUtxCustomListBox {
public:
  explicit TUtxCheckListBox(TComponent* AOwner);
  ~TUtxCheckListBox() override;

  // Whether line Index is ticked (the stored state, whatever the kind).
  bool ItemChecked(int Index);
  void SetItemChecked(int Index, bool Value);
  TCheckBoxState ItemState(int Index);
  void SetItemState(int Index, TCheckBoxState Value);
  bool ItemEnabled(int Index);
  void SetItemEnabled(int Index, bool Value);
  int CheckedIndex();
  void SetCheckedIndex(int Value);
  TCheckKind CheckKind() const { return FCheckKind; }
  void SetCheckKind(TCheckKind Value);
  // True only for check boxes and check marks.
  bool AllowGrayed() const { return FAllowGrayed && FCheckKind != ckRadioButtons; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  void SetAllItemStates(TCheckBoxState State, bool EnabledOnly);
  void CycleItemState(int Index);
  // Width of the check area in front of every line.
  int CheckAreaWidth() const { return FCellWidth + 2; }
  int ItemHeight() override;
  void SetItems(TStrings* Value) override;

  TUtFormPlacement* IniStorage() const;
  void SetIniStorage(TUtFormPlacement* Value);

  TNotifyEvent OnClickCheck;
  TChangeStateEvent OnStateChange;

  void Dispatch(TMessage& Message) override;

  // The cell of the check images for a state, kind and enabled flag.
  static int CheckImageCell(TCheckBoxState State, TCheckKind Kind, bool Enabled);

  // The form-resource layout of "Strings" written since this version; older
  // streams hold a checked flag before the enabled flag.
  static constexpr int StreamVersion = 202;

protected:
  // "InternalVersion" and "Strings" (text, state and enabled flag per line).
  void DefineProperties(TFiler* Filer) override;
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;
  std::unique_ptr<TUtListBoxStrings> CreateItemStrings() override;
  int MeasureItemWidth(int Index, const std::string& Text) override;
  void PaintItem(int Index, TRect Rect, TOwnerDrawState State) override;
  void HandleFontChanged() override;
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  std::intptr_t ReadItemData(int Index) override;
  void WriteItemData(int Index, std::intptr_t Value) override;
  void ClearAllItems() override;
  void RemoveItem(int Index) override;
  void LinesRestored() override;
  virtual void NotifyClickCheck();
  virtual void NotifyStateChange(int Index);

private:
  // The line's record, or null; Index is checked first.
  TUtCheckListBoxItem* ItemRecord(int Index);
  TUtCheckListBoxItem* CreateItemRecord(int Index);
  void CheckIndex(int Index);
  void FreeAllRecords();
  void EnforceRadioChoice();
  void RepaintCheckArea(int Index);
  void PaintCheckImage(const TRect& Rect, TCheckBoxState State, bool Enabled);
  void RecomputeItemHeight();
  void ReadVersion(TReader* Reader);
  void WriteVersion(TWriter* Writer);
  void ReadStrings(TReader* Reader);
  void WriteStrings(TWriter* Writer);
  bool LinesDifferFrom(TUtxCheckListBox* Ancestor);
  void SaveStates(TObject* Sender);
  void LoadStates(TObject* Sender);
  friend class TUtCheckListBoxStrings;

  bool FAllowGrayed = false;
  TCheckKind FCheckKind = ckCheckBoxes;
  // Between destruction and re-creation of the window: state and enabled flag per line.
  std::unique_ptr<std::vector<std::pair<TCheckBoxState, bool>>> FSavedStates;
  std::unique_ptr<TBitmap> FCellBitmap;
  int FCellWidth = 0;
  int FCellHeight = 0;
  int FReadVersion = 0;
  bool FInRadioUpdate = false;
  std::unique_ptr<TUtIniLink> FStorageLink;
};
