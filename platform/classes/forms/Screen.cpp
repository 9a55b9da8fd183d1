#include "platform/classes/forms/Screen.h"

#include <algorithm>

#include "platform/base/Format.h"
#include "platform/base/SysConsts.h"
#include "platform/base/Utf.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

namespace {

TScreen* TheScreen = nullptr;

}  // namespace

TScreen* Screen()
{
  if (!TheScreen)
    TheScreen = new TScreen(nullptr);
  return TheScreen;
}

TScreen* ScreenIfAny()
{
  return TheScreen;
}

namespace {

// The standard cursors by their number (crArrow = -2 ... crHandPoint = -21).
LPCSTR StandardCursorName(int index)
{
  switch (index) {
  case crArrow: return IDC_ARROW;
  case crCross: return IDC_CROSS;
  case crIBeam: return IDC_IBEAM;
  case crSizeNESW: return IDC_SIZENESW;
  case crSizeNS: return IDC_SIZENS;
  case crSizeNWSE: return IDC_SIZENWSE;
  case crSizeWE: return IDC_SIZEWE;
  case crUpArrow: return IDC_UPARROW;
  case crHourGlass:
  case crSQLWait: return IDC_WAIT;
  case crDrag:
  case crMultiDrag: return IDC_DRAGMOVE;
  case crNoDrop:
  case crNo: return IDC_NO;
  case crHSplit: return IDC_HSPLIT;
  case crVSplit: return IDC_VSPLIT;
  case crAppStart: return IDC_APPSTARTING;
  case crHelp: return IDC_HELP;
  case crHandPoint: return IDC_HAND;
  case crSizeAll: return IDC_SIZEALL;
  default: return nullptr;
  }
}

int AddFamily(const LOGFONTW* log, const TEXTMETRICW*, DWORD, LPARAM param)
{
  auto* names = reinterpret_cast<std::vector<std::string>*>(param);
  names->push_back(UTF8Encode(std::u16string_view(log->lfFaceName)));
  return 1;
}

}  // namespace

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner),
      FHintFont(std::make_unique<TFont>()),
      FMenuFont(std::make_unique<TFont>()),
      FIconFont(std::make_unique<TFont>())
{
  NONCLIENTMETRICS metrics;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    FHintFont->SetHandle(CreateFontIndirect(&metrics.lfStatusFont));
    FMenuFont->SetHandle(CreateFontIndirect(&metrics.lfMenuFont));
  }
  FHintFont->SetColor(clInfoText);
}

TScreen::~TScreen() = default;

// A form registers while its constructor runs, before it is a TForm: the
// TForm view is taken when asked.
int TScreen::FormCount() const
{
  int count = 0;
  for (TCustomForm* form : FCustomForms)
    count += dynamic_cast<TForm*>(form) != nullptr;
  return count;
}

TForm* TScreen::Forms(int Index) const
{
  for (TCustomForm* form : FCustomForms)
    if (auto* f = dynamic_cast<TForm*>(form); f && Index-- == 0)
      return f;
  throw EListError(Format(SListIndexError, Index));
}

void TScreen::AddForm(TCustomForm* Form)
{
  FCustomForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
  FCustomForms.erase(std::remove(FCustomForms.begin(), FCustomForms.end(), Form), FCustomForms.end());
  if (FActiveCustomForm == Form) {
    FActiveCustomForm = nullptr;
    FActiveForm = nullptr;
    FActiveControl = nullptr;
    if (OnActiveFormChange)
      OnActiveFormChange(this);
  }
  if (FFocusedForm == Form)
    FFocusedForm = nullptr;
}

void TScreen::SetActiveCustomForm(TCustomForm* Form)
{
  if (FActiveCustomForm == Form)
    return;
  FActiveCustomForm = Form;
  FActiveForm = dynamic_cast<TForm*>(Form);
  // The active form goes first in both lists.
  auto front = [](auto& list, auto* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) {
      list.erase(it);
      list.insert(list.begin(), item);
    }
  };
  front(FCustomForms, Form);
  if (OnActiveFormChange)
    OnActiveFormChange(this);
}

void TScreen::SetFocusedControl(TCustomForm* Form, TWinControl* Control)
{
  SetActiveCustomForm(Form);
  if (FActiveControl == Control)
    return;
  FActiveControl = Control;
  if (OnActiveControlChange)
    OnActiveControlChange(this);
}

void TScreen::ControlDestroyed(TControl* Control)
{
  if (static_cast<TControl*>(FActiveControl) == Control)
    FActiveControl = nullptr;
}

void TScreen::SetCursor(TCursor Value)
{
  if (FCursor == Value)
    return;
  FCursor = Value;
  if (Value != crDefault) {
    ::SetCursor(Cursors(Value));
  } else {
    // Each window shows its own cursor again.
    TPoint p;
    GetCursorPos(&p);
    SetCursorPos(p.x, p.y);
  }
}

HCURSOR TScreen::Cursors(int Index) const
{
  if (Index == crNone)
    return nullptr;
  auto it = FCursorMap.find(Index);
  if (it != FCursorMap.end())
    return it->second;
  LPCSTR name = StandardCursorName(Index);
  return LoadCursor(nullptr, name ? name : IDC_ARROW);
}

void TScreen::SetCursors(int Index, HCURSOR Handle)
{
  if (Handle)
    FCursorMap[Index] = Handle;
  else
    FCursorMap.erase(Index);
}

const std::vector<std::string>& TScreen::Fonts()
{
  if (FFonts.empty()) {
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesW(dc, nullptr, &AddFamily, LPARAM(&FFonts));
    ReleaseDC(nullptr, dc);
    std::sort(FFonts.begin(), FFonts.end());
    FFonts.erase(std::unique(FFonts.begin(), FFonts.end()), FFonts.end());
  }
  return FFonts;
}

int TScreen::Width() const
{
  return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
  return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::DesktopRect() const
{
  return TRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
               GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const
{
  TRect r;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

int TScreen::PixelsPerInch() const
{
  HDC dc = GetDC(nullptr);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}
