// The text tree's own editor: TStringEditLink places one edit box, TLTEdit,
// over the text of the cell being edited. The edit box keeps every character
// (UTF-8 in, UTF-8 out), reports Enter, Escape and focus loss back to the
// tree and follows the typed text's width on single-line nodes.
#pragma once

#include <memory>

#include "controls/vtree/LazyTreeEditLink.h"
#include "platform/classes/stdctrls/CustomEdit.h"

class TCustomLazyStringTree;
class TStringEditLink;

// The message the edit box posts to itself to fit its width to the text.
constexpr UINT CM_AUTOADJUST = 0xB7D5;

class TLTEdit : public TCustomEdit {
public:
  explicit TLTEdit(TStringEditLink* Link);
  ~TLTEdit() override;
  // Drops the edit box's hold on its link.
  void Detach();
  // Frees the edit box once the current message is done.
  void Release();
  // Makes the window again (its styles follow the node being edited).
  void Recreate() { RecreateWnd(); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

private:
  friend class TStringEditLink;
  void AutoAdjustSize();
  TStringEditLink* FLink;
  std::shared_ptr<TStringEditLink> FRef;  // keeps the link alive while attached
};

class TStringEditLink : public ILTEditLink, public std::enable_shared_from_this<TStringEditLink> {
public:
  TStringEditLink();
  ~TStringEditLink() override;

  bool BeginEdit() override;
  bool CancelEdit() override;
  bool EndEdit() override;
  bool PrepareEdit(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex Column) override;
  TRect GetBounds() override;
  void ProcessMessage(TMessage& Message) override;
  void SetBounds(TRect R) override;

  TLTEdit* Edit() const { return FEdit; }
  bool Stopped() const { return FStopped; }

private:
  friend class TLTEdit;
  bool MultiLine() const;

  TLTEdit* FEdit;
  TCustomLazyStringTree* FTree = nullptr;
  PLazyNode FNode = nullptr;
  TColumnIndex FColumn = NoColumn;
  TAlignment FAlignment = taLeftJustify;
  TRect FTextBounds;
  bool FStopped = false;
};
