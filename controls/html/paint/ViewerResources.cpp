#include "controls/html/paint/ViewerResources.h"

#include <memory>

#include "controls/html/viewer/ViewerTypes.h"
#include "platform/base/ModuleLoader.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/Resources.h"

namespace ViewerResourcesDetail {

struct TViewerPictures {
  std::unique_ptr<TBitmap> Error, ErrorMask, Placeholder;
  TViewerPictures() : Error(Load(1001)), ErrorMask(Load(1005)), Placeholder(Load(1002)) {}
  static std::unique_ptr<TBitmap> Load(int Id)
  {
    auto Bitmap = std::make_unique<TBitmap>();
    if (HBITMAP Handle = LoadBitmap(HInstance(), MAKEINTRESOURCE(WORD(Id))))
      Bitmap->SetHandle(Handle);
    return Bitmap;
  }
};

// Made on first use and kept to the end of the process: the drawing
// layer's handles may be gone before static objects are destroyed.
TViewerPictures& Pictures()
{
  static TViewerPictures* P = new TViewerPictures;
  return *P;
}

}  // namespace ViewerResourcesDetail

TBitmap* ErrorBitmap() { return ViewerResourcesDetail::Pictures().Error.get(); }
TBitmap* ErrorBitmapMask() { return ViewerResourcesDetail::Pictures().ErrorMask.get(); }
TBitmap* DefBitmap() { return ViewerResourcesDetail::Pictures().Placeholder.get(); }

void RegisterViewerCursors()
{
  static bool Done = false;
  if (Done)
    return;
  Done = true;
  const HINSTANCE Module = HInstance();
  Screen()->SetCursors(HandCursor, LoadCursor(Module, MAKEINTRESOURCE(1003)));
  Screen()->SetCursors(ThickIBeamCursor, LoadCursor(Module, MAKEINTRESOURCE(1006)));
  Screen()->SetCursors(UpDownCursor, LoadCursor(Module, "UPDOWNCURSOR"));
  Screen()->SetCursors(UpOnlyCursor, LoadCursor(Module, "UPONLYCURSOR"));
  Screen()->SetCursors(DownOnlyCursor, LoadCursor(Module, "DOWNONLYCURSOR"));
}
