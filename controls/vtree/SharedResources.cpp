#include "controls/vtree/SharedResources.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "platform/win/ole/ComBase.h"

#include <array>
#include <functional>
#include <memory>
#include <mutex>

#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/ModuleLoader.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

std::mutex& ImageConversionLock()
{
  static std::mutex lock;
  return lock;
}

// The lists exist from the unit's set-up on; each is filled the first time a
// tree asks for it, so that a program's first window pays only for the
// pictures it shows.
struct TSharedSets {
  std::array<std::unique_ptr<TCustomImageList>, 6> Strips;
  std::unique_ptr<TCustomImageList> System, SystemFlat;
  std::unique_ptr<TCustomImageList> Utilities;
  std::array<std::once_flag, 6> StripsFilled;
  std::once_flag SystemFilled, SystemFlatFilled, UtilitiesFilled;
};

// Kept to the end of the process: made before the drawing layer's image-list
// table (the lists get their handles later, when filled), a static owner
// would free them after that table is gone.
TSharedSets& Sets()
{
  static auto* sets = new TSharedSets;
  return *sets;
}

std::once_flag gSetup;

}  // namespace

void LoadImageStrip(TCustomImageList* ImageList, const std::string& ResourceName, bool RemapColours)
{
  std::lock_guard<std::mutex> hold(ImageConversionLock());
  HBITMAP handle = static_cast<HBITMAP>(LoadImage(HInstance(), ResourceName.c_str(), IMAGE_BITMAP, 0, 0,
                                                  RemapColours ? LR_LOADMAP3DCOLORS : LR_DEFAULTCOLOR));
  BITMAP info{};
  if (handle)
    GetObject(handle, sizeof(info), &info);
  if (!handle || info.bmHeight < 1) {
    if (handle)
      DeleteObject(handle);
    std::string message = "Internal image \"" + ResourceName + "\" is missing or corrupt.";
    LT_ASSERT(false, message.c_str());
  }
  int size = info.bmHeight;
  // The transparent colour is the strip's first pixel.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, handle);
  COLORREF transparent = GetPixel(dc, 0, 0);
  SelectObject(dc, old);
  DeleteDC(dc);
  ImageList->Clear();
  ImageList->SetWidth(size);
  ImageList->SetHeight(size);
  // The image list cuts the strip into squares from left to right.
  ImageList_AddMasked(ImageList->Handle(), handle, transparent);
  DeleteObject(handle);
}

void BuildFrameControlImages(TCustomImageList* ImageList, bool Flat)
{
  const COLORREF transparent = 0x0000FF;  // pure red
  int width = GetSystemMetrics(SM_CXMENUCHECK) + 3, height = GetSystemMetrics(SM_CYMENUCHECK) + 3;
  ImageList->Clear();
  ImageList->SetWidth(width);
  ImageList->SetHeight(height);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biBitCount = 32;
  auto addImage = [&](const std::function<void(HDC)>& Draw) {
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    TRect all(0, 0, width, height);
    HBRUSH key = CreateSolidBrush(transparent);
    FillRect(dc, &all, key);
    DeleteObject(key);
    Draw(dc);
    SelectObject(dc, old);
    ImageList_AddMasked(ImageList->Handle(), bitmap, transparent);
    DeleteObject(bitmap);
  };
  addImage([](HDC) {});  // image 0: no check box
  for (int i = 0; i < 20; ++i)
    addImage([&](HDC target) {
      UINT kind = i < 8 ? DFCS_BUTTONRADIO : i < 16 ? DFCS_BUTTONCHECK : DFCS_BUTTON3STATE;
      UINT state = kind;
      if ((i >= 4 && i < 8) || i >= 12)
        state |= DFCS_CHECKED;
      static const UINT kLook[4] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
      state |= kLook[i % 4];
      if (Flat)
        state |= DFCS_FLAT;
      TRect r(1, 2, width - 2, height - 1);
      DrawFrameControl(target, &r, DFC_BUTTON, state);
    });
  // The push-button images of a strip set, centred.
  TCustomImageList* source = Sets().Strips[Flat ? 4 : 1].get();
  for (int i = 21; i <= 24; ++i)
    addImage([&](HDC target) {
      if (source && source->Count() > i)
        ImageList_Draw(source->Handle(), i, target, (width - source->Width()) / 2, (height - source->Height()) / 2,
                       ILD_TRANSPARENT);
    });
  DeleteDC(dc);
}

namespace shared_resources {

const char* const StripNames[6] = {"LT_CHECK_LIGHT", "LT_CHECK_DARK", "LT_TICK_LIGHT",
                                   "LT_TICK_DARK",   "LT_FLAT",       "LT_XP"};

TCustomImageList* FilledStrip(std::size_t Index)
{
  std::call_once(Sets().StripsFilled[Index], [Index] {
    try {
      LoadImageStrip(Sets().Strips[Index].get(), StripNames[Index], Index != 5);
    } catch (const Exception&) {
      // A set that cannot be loaded stays empty; trees then draw no check box.
    }
  });
  return Sets().Strips[Index].get();
}

TCustomImageList* FilledSystemImages(bool Flat)
{
  std::call_once(Flat ? Sets().SystemFlatFilled : Sets().SystemFilled, [Flat] {
    // The push-button images come from a strip set.
    FilledStrip(Flat ? 4 : 1);
    BuildFrameControlImages((Flat ? Sets().SystemFlat : Sets().System).get(), Flat);
  });
  return (Flat ? Sets().SystemFlat : Sets().System).get();
}

}  // namespace shared_resources

void TreeUnitSetup()
{
  std::call_once(gSetup, [] {
    // The clipboard and drag and drop want OLE on the thread of the trees.
    OleInitialize(nullptr);
    RegisterTreeClipboardFormats();
    for (auto& strip : Sets().Strips)
      strip = std::make_unique<TCustomImageList>(nullptr, 16, 16);
    Sets().Utilities = std::make_unique<TCustomImageList>(nullptr, 16, 16);
    Sets().System = std::make_unique<TCustomImageList>(nullptr);
    Sets().SystemFlat = std::make_unique<TCustomImageList>(nullptr);
    if (HCURSOR split = LoadCursor(HInstance(), "LT_HEADERSPLIT"))
      Screen()->SetCursors(crHeaderSplit, split);
  });
}

TCustomImageList* SharedCheckImages(TCheckImageKind Kind)
{
  using namespace shared_resources;
  switch (Kind) {
    case ckLightCheck: return FilledStrip(0);
    case ckDarkCheck: return FilledStrip(1);
    case ckLightTick: return FilledStrip(2);
    case ckDarkTick: return FilledStrip(3);
    case ckFlat: return FilledStrip(4);
    case ckXP: return FilledStrip(5);
    case ckSystem: return FilledSystemImages(false);
    case ckSystemFlat: return FilledSystemImages(true);
    default: return nullptr;
  }
}

TCustomImageList* SharedUtilityImages()
{
  std::call_once(Sets().UtilitiesFilled, [] {
    try {
      LoadImageStrip(Sets().Utilities.get(), "LT_UTILITIES", false);
    } catch (const Exception&) {
      // Without the strip the header shows no sort glyphs or drop marks.
    }
  });
  return Sets().Utilities.get();
}

void ReloadSharedImagesInSystemColors()
{
  using namespace shared_resources;
  for (std::size_t i = 0; i < 5; ++i) {
    try {
      LoadImageStrip(FilledStrip(i), StripNames[i], true);
    } catch (const Exception&) {
      // The set keeps what it had.
    }
  }
  try {
    LoadImageStrip(SharedUtilityImages(), "LT_UTILITIES", false);
  } catch (const Exception&) {
  }
}

int CheckImageIndexOf(std::uint8_t CheckKind, TCheckState State, bool Enabled, bool Hot)
{
  if (CheckKind == ctNone)
    return -1;
  // Rows by check state; columns: disabled, disabled hot, enabled, enabled hot.
  static const int kBox[6][4] = {{12, 12, 9, 10},  {12, 12, 11, 11}, {16, 16, 13, 14},
                                 {16, 16, 15, 15}, {20, 20, 17, 18}, {20, 20, 19, 19}};
  static const int kRadio[6][4] = {{4, 4, 1, 2},    {4, 4, 3, 3},     {8, 8, 5, 6},
                                   {8, 8, 7, 7},    {20, 20, 17, 18}, {20, 20, 19, 19}};
  static const int kButton[6][4] = {{24, 24, 21, 22}, {24, 24, 23, 23}, {24, 24, 21, 22},
                                    {24, 24, 23, 23}, {20, 20, 17, 18}, {20, 20, 19, 19}};
  int column = (Enabled ? 2 : 0) + (Hot ? 1 : 0);
  int row = State <= csMixedPressed ? int(State) : 0;
  switch (CheckKind) {
    case ctTriStateCheckBox:
    case ctCheckBox: return kBox[row][column];
    case ctRadioButton: return kRadio[row][column];
    case ctButton: return kButton[row][column];
    default: return -1;
  }
}
