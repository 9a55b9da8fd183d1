#include "controls/themes/XTBThemeNexus.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWThemeManager.h"
#include "platform/base/ModuleLoader.h"
#include "platform/classes/forms/Application.h"

namespace {

std::string NexusLibraryName = "uxtheme.dll";
decltype(&::OpenThemeData) OpenTheme = nullptr;
decltype(&::CloseThemeData) CloseTheme = nullptr;

void CloseHandle(HTHEME& Theme)
{
  if (Theme && CloseTheme)
    CloseTheme(Theme);
  Theme = nullptr;
}

}  // namespace

void TXtThemeNexus::SetLibraryName(const std::string& Name) { NexusLibraryName = Name; }

TXtThemeNexus::TXtThemeNexus()
{
  FLibrary = LoadLibrary(NexusLibraryName.c_str());
  if (FLibrary) {
    OpenTheme = reinterpret_cast<decltype(OpenTheme)>(GetProcAddress(FLibrary, "OpenThemeData"));
    CloseTheme = reinterpret_cast<decltype(CloseTheme)>(GetProcAddress(FLibrary, "CloseThemeData"));
  }
  OpenHandles();
  AddThemeNotification(this);
}

TXtThemeNexus::~TXtThemeNexus()
{
  RemoveThemeNotification(this);
  CloseHandles();
  if (FLibrary)
    FreeLibrary(FLibrary);
  FLibrary = nullptr;
  OpenTheme = nullptr;
  CloseTheme = nullptr;
}

void TXtThemeNexus::OpenHandles()
{
  if (!FLibrary || !OpenTheme)
    return;
  HWND owner = Application()->Handle();
  FTab = OpenTheme(owner, u"TAB");
  FProgress = OpenTheme(owner, u"PROGRESS");
  FTrackBar = OpenTheme(owner, u"TRACKBAR");
}

void TXtThemeNexus::CloseHandles()
{
  CloseHandle(FTab);
  CloseHandle(FProgress);
  CloseHandle(FTrackBar);
}

void TXtThemeNexus::Dispatch(TMessage& Message)
{
  if (Message.Msg == TBWM_SYSCHANGE) {
    // The old handles belong to the style going away; the new ones are
    // opened once the manager has taken the new style in.
    if (Message.WParam == TSC_BEFOREVIEWCHANGE)
      CloseHandles();
    else if (Message.WParam == TSC_AFTERVIEWCHANGE)
      OpenHandles();
  }
  TMessageDispatcher::Dispatch(Message);
}
