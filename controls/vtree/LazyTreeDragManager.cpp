#include "controls/vtree/LazyTreeDragManager.h"

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeDataObject.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/SystemInfo.h"

TLTDragManager::TLTDragManager(TBaseLazyTree* Owner) : FOwner(Owner)
{
  void* helper = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IDropTargetHelper::IID, &helper)))
    FDropTargetHelper = InterfacePtr<IDropTargetHelper>::Adopt(static_cast<IDropTargetHelper*>(helper));
}

TLTDragManager::~TLTDragManager()
{
  if (FOwner)
    FOwner->DragManagerGone(this);
}

void TLTDragManager::ForceDragLeave()
{
  if (HelperActive())
    FDropTargetHelper->DragLeave();
}

IDataObject* TLTDragManager::GetDataObject()
{
  InterfacePtr<IDataObject> result = FDataObject;
  if (!result && FOwner) {
    result = FOwner->DoCreateDataObject();
    if (!result)
      result = new TLTDataObject(FOwner, false);
  }
  return result.Detach();
}

HRESULT TLTDragManager::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
  if (escapePressed || ((keyState & MK_LBUTTON) && (keyState & MK_RBUTTON)))
    return DRAGDROP_S_CANCEL;
  if (!(keyState & (MK_LBUTTON | MK_RBUTTON)))
    return DRAGDROP_S_DROP;
  return S_OK;
}

HRESULT TLTDragManager::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

HRESULT TLTDragManager::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
  if (!FOwner || !effect)
    return E_UNEXPECTED;
  FDataObject = data;
  FIsDropTarget = true;
  BOOL full = FALSE;
  SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
  FFullDragging = full != FALSE;
  if (!FFullDragging)
    LockWindowUpdate(nullptr);
  if (HelperActive()) {
    POINT p = point;
    FDropTargetHelper->DragEnter(FOwner->Handle(), data, &p, *effect);
  }
  FDragSource = TBaseLazyTree::TreeFromDataObject(data);
  return FOwner->OLEDragEnter(keyState, point, *effect);
}

HRESULT TLTDragManager::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
  if (!FOwner || !effect)
    return E_UNEXPECTED;
  if (HelperActive()) {
    POINT p = point;
    FDropTargetHelper->DragOver(&p, *effect);
  }
  return FOwner->OLEDragOver(FDragSource, keyState, dsDragMove, point, *effect);
}

HRESULT TLTDragManager::DragLeave()
{
  if (HelperActive())
    FDropTargetHelper->DragLeave();
  if (FOwner)
    FOwner->OLEDragLeave();
  FIsDropTarget = false;
  FDragSource = nullptr;
  FDataObject.Reset();
  return S_OK;
}

HRESULT TLTDragManager::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
  if (!FOwner || !effect)
    return E_UNEXPECTED;
  if (HelperActive()) {
    POINT p = point;
    FDropTargetHelper->Drop(data, &p, *effect);
  }
  HRESULT result = FOwner->OLEDrop(data, keyState, point, *effect);
  FIsDropTarget = false;
  FDataObject.Reset();
  return result;
}
