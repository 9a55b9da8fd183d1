// The tree's drag manager: the drop source of drags that start in the tree,
// the drop target of the tree's window, and what the tree asks of the drag in
// progress (ILTDragManager). The shell's drop-target helper gets the same
// calls when it exists (it does not here; its absence only means the tree
// draws its own drag picture).
#pragma once

#include "platform/win/ole/DragDrop.h"
#include "platform/win/shell/DragImageHelpers.h"

class TBaseLazyTree;

struct ILTDragManager : IUnknown {
  static constexpr GUID IID = MakeGUID("{C4B25559-14DA-446B-8901-0C879000EB16}");
  virtual void ForceDragLeave() = 0;
  // A new reference the caller releases.
  virtual IDataObject* GetDataObject() = 0;
  virtual TBaseLazyTree* GetDragSource() = 0;
  virtual bool GetDropTargetHelperSupported() = 0;
  virtual bool GetIsDropTarget() = 0;
};

class TLTDragManager : public TInterfacedObject<ILTDragManager, IDropSource, IDropTarget> {
public:
  explicit TLTDragManager(TBaseLazyTree* Owner);
  ~TLTDragManager() override;

  // ILTDragManager
  void ForceDragLeave() override;
  IDataObject* GetDataObject() override;
  TBaseLazyTree* GetDragSource() override { return FDragSource; }
  bool GetDropTargetHelperSupported() override { return bool(FDropTargetHelper); }
  bool GetIsDropTarget() override { return FIsDropTarget; }
  // IDropSource
  HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT GiveFeedback(DWORD effect) override;
  // IDropTarget
  HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

  // The tree went: the manager, still held by the platform, does nothing more.
  void DetachOwner() { FOwner = nullptr; }
  // A tree in the middle of being freed stops being the source of a drag.
  void ForgetSource(TBaseLazyTree* Tree)
  {
    if (FDragSource == Tree)
      FDragSource = nullptr;
  }

private:
  bool HelperActive() const { return FDropTargetHelper && FFullDragging; }

  TBaseLazyTree* FOwner;
  TBaseLazyTree* FDragSource = nullptr;
  bool FIsDropTarget = false;
  bool FFullDragging = false;
  InterfacePtr<IDataObject> FDataObject;
  InterfacePtr<IDropTargetHelper> FDropTargetHelper;
};
