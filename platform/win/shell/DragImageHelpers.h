// The shell's drag-picture helpers: the drop-target helper that draws the
// dragged picture over targets, and the source helper that takes the picture
// from a bitmap. No class of this process implements them (CoCreateInstance
// answers REGDB_E_CLASSNOTREG), so callers take their own drawing paths; the
// interfaces are here so that the callers read as they are meant.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/win/ole/DataObject.h"
#include "platform/win/window/WindowTypes.h"

constexpr CLSID CLSID_DragDropHelper = MakeGUID("{4657278A-411B-11D2-839A-00C04FD918D0}");

struct SHDRAGIMAGE {
  SIZE sizeDragImage{};
  POINT ptOffset{};
  HBITMAP hbmpDragImage = nullptr;
  COLORREF crColorKey = 0;
};

struct IDropTargetHelper : IUnknown {
  static constexpr GUID IID = MakeGUID("{4657278B-411B-11D2-839A-00C04FD918D0}");
  virtual HRESULT DragEnter(HWND target, IDataObject* data, POINT* point, DWORD effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT DragOver(POINT* point, DWORD effect) = 0;
  virtual HRESULT Drop(IDataObject* data, POINT* point, DWORD effect) = 0;
  virtual HRESULT Show(BOOL show) = 0;
};

struct IDragSourceHelper : IUnknown {
  static constexpr GUID IID = MakeGUID("{DE5BF786-477A-11D2-839D-00C04FD918D0}");
  virtual HRESULT InitializeFromBitmap(SHDRAGIMAGE* image, IDataObject* data) = 0;
  virtual HRESULT InitializeFromWindow(HWND window, POINT* point, IDataObject* data) = 0;
};
