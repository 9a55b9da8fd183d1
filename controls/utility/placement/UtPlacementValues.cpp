#include "controls/utility/placement/UtPlacementValues.h"

#include <charconv>

#include "controls/utility/UtUtilityWindow.h"
#include "controls/utility/UtUtils.h"
#include "controls/utility/storage/UtAppStorage.h"
#include "platform/base/Format.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Screen.h"
#include "platform/win/win.h"

namespace {

// The placement flag that keeps a minimised window's position (the layer's
// WPF_SETMINPOSITION, not yet declared by every layer this builds with).
constexpr UINT KeepMinPositionFlag = 0x0001;

std::string Key(const std::string& Path, const std::string& Name)
{
  return TUtCustomAppStorage::JoinPaths({Path, Name});
}

std::string Numbers(int a, int b, int c, int d)
{
  return Format("%d,%d,%d,%d", a, b, c, d);
}

bool IsMainForm(TCustomForm* Form)
{
  return Application() && Application()->MainForm() == Form;
}

// The rectangle must meet the screen by at least a corner the user can grab.
bool OnScreen(const TRect& r)
{
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  return r.Right > r.Left && r.Bottom > r.Top && r.Left < w - 8 && r.Top < h - 8 && r.Right > 8 && r.Top > -8;
}

}  // namespace

bool ParsePlacementNumbers(const std::string& Text, int (&Numbers)[4])
{
  for (int i = 0; i < 4; ++i) {
    std::string word = NthWord(i + 1, Text, ",");
    Numbers[i] = 0;
    if (word.empty())
      continue;
    const char* first = word.data();
    const char* last = first + word.size();
    while (first < last && *first == ' ')
      ++first;
    auto [end, error] = std::from_chars(first, last, Numbers[i]);
    if (error != std::errc() || end != last)
      return false;
  }
  return true;
}

void WriteFormPlacement(TCustomForm* Form, TUtCustomAppStorage* Store, const std::string& Path, bool SaveState,
                        bool SavePosition)
{
  if (!SaveState && !SavePosition)
    return;
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  GetWindowPlacement(Form->Handle(), &placement);
  if (IsMainForm(Form) && IsIconic(Form->Handle()))
    placement.showCmd = SW_SHOWMINIMIZED;
  if (Form->FormStyle() == fsMDIChild && Form->WindowState() == wsMinimized)
    placement.flags |= KeepMinPositionFlag;
  if (SaveState)
    Store->WriteInteger(Key(Path, "ShowCmd"), int(placement.showCmd));
  if (SavePosition) {
    Store->WriteInteger(Key(Path, "Flags"), int(placement.flags));
    Store->WriteInteger(Key(Path, "PixelsPerInch"), Screen()->PixelsPerInch());
    std::string minMax = Numbers(placement.ptMinPosition.x, placement.ptMinPosition.y, placement.ptMaxPosition.x,
                                 placement.ptMaxPosition.y);
    const TRect& n = placement.rcNormalPosition;
    std::string norm = Numbers(n.Left, n.Top, n.Right, n.Bottom);
    std::string suffix = ScreenSuffix();
    Store->WriteString(Key(Path, "MinMaxPos" + suffix), minMax);
    Store->WriteString(Key(Path, "NormPos" + suffix), norm);
    Store->WriteString(Key(Path, "MinMaxPos"), minMax);
    Store->WriteString(Key(Path, "NormPos"), norm);
  }
}

void ReadFormPlacement(TCustomForm* Form, TUtCustomAppStorage* Store, const std::string& Path, bool RestoreState,
                       bool RestorePosition)
{
  if (!RestoreState && !RestorePosition)
    return;
  if (RestorePosition) {
    WINDOWPLACEMENT placement;
    placement.length = sizeof placement;
    GetWindowPlacement(Form->Handle(), &placement);
    placement.flags = UINT(Store->ReadInteger(Key(Path, "Flags"), int(placement.flags)));
    std::string suffix = ScreenSuffix();
    auto read = [&](const std::string& name) {
      std::string withSuffix = Key(Path, name + suffix);
      return Store->ReadString(Store->ValueExists(withSuffix) ? withSuffix : Key(Path, name), "");
    };
    std::string minMax = read("MinMaxPos"), norm = read("NormPos");
    int m[4] = {}, n[4] = {};
    // A malformed value, or a window off every screen, keeps the current place.
    bool valid = ParsePlacementNumbers(minMax, m) && ParsePlacementNumbers(norm, n);
    TRect normal(n[0], n[1], n[2], n[3]);
    if (valid && !norm.empty() && !OnScreen(normal))
      valid = false;
    if (valid && (!minMax.empty() || !norm.empty()) &&
        Store->ReadInteger(Key(Path, "PixelsPerInch"), 0) == Screen()->PixelsPerInch()) {
      placement.ptMinPosition = TPoint(m[0], m[1]);
      placement.ptMaxPosition = TPoint(m[2], m[3]);
      if (Form->BorderStyle() != bsSizeable && Form->BorderStyle() != bsSizeToolWin)
        normal = TRect(normal.Left, normal.Top, normal.Left + Form->Width(), normal.Top + Form->Height());
      placement.rcNormalPosition = normal;
      if (normal.Width() > 0) {
        if (Form->Position() == poScreenCenter || Form->Position() == poDesktopCenter)
          Form->SetPosition(poDesigned);
        placement.showCmd = IsWindowVisible(Form->Handle()) ? placement.showCmd : SW_HIDE;
        SetWindowPlacement(Form->Handle(), &placement);
      }
    }
  }
  if (RestoreState) {
    bool mainOrNone = !Application() || !Application()->MainForm() || IsMainForm(Form);
    TWindowState state = wsNormal;
    if (mainOrNone && (Form->FormStyle() == fsMDIForm || Form->Position() == poDefault))
      state = wsMaximized;
    switch (Store->ReadInteger(Key(Path, "ShowCmd"), 0)) {
    case 1:
    case 5:
    case 9: state = wsNormal; break;
    case 2:
    case 6:
    case 7: state = wsMinimized; break;
    case 3: state = wsMaximized; break;
    default: break;
    }
    if (state == wsMinimized && mainOrNone) {
      // The application minimises, not the form alone.
      Form->SetWindowState(wsNormal);
      if (Application())
        PostMessage(Application()->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    }
    Form->SetWindowState(state);
  }
  Form->Update();
}
