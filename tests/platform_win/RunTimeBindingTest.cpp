// Code that binds system functions at run time loads a library by the
// platform's name, looks the function up by name and takes a fallback when it
// is missing: every function bound that way must be found, and be the very
// function a direct call reaches.
#include "WindowTestSupport.h"

#include <unistd.h>

#include "platform/base/LastError.h"
#include "platform/base/ModuleLoader.h"
#include "platform/win/accessibility/WinEvents.h"
#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/Blit.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Primitives.h"

namespace {

template <typename F>
FARPROC Address(F* function)
{
  return reinterpret_cast<FARPROC>(function);
}

HBITMAP Pixels32(int width, int height)
{
  BITMAPINFO info{};
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

template <typename F>
F* Bind(const char* library, const char* name)
{
  HMODULE module = GetModuleHandle(library);
  return module ? reinterpret_cast<F*>(GetProcAddress(module, name)) : nullptr;
}

TEST(RunTimeBindingTest, EveryBoundFunctionIsFoundUnderItsLibraryName)
{
  const struct {
    const char* Library;
    const char* Name;
    FARPROC Function;
  } cases[] = {
      {"user32.dll", "UpdateLayeredWindow", Address(&UpdateLayeredWindow)},
      {"user32.dll", "LockSetForegroundWindow", Address(&LockSetForegroundWindow)},
      {"user32.dll", "MonitorFromRect", Address(&MonitorFromRect)},
      {"user32.dll", "MonitorFromPoint", Address(&MonitorFromPoint)},
      {"user32.dll", "MonitorFromWindow", Address(&MonitorFromWindow)},
      {"user32.dll", "GetMonitorInfoA", Address(&GetMonitorInfo)},
      {"user32.dll", "TrackMouseEvent", Address(&TrackMouseEvent)},
      {"user32.dll", "NotifyWinEvent", Address(&NotifyWinEvent)},
      {"msimg32.dll", "AlphaBlend", Address(&AlphaBlend)},
      {"msimg32.dll", "GradientFill", Address(&GradientFill)},
      {"comctl32.dll", "_TrackMouseEvent", Address(&TrackMouseEvent)},
  };
  for (const auto& c : cases) {
    HMODULE module = LoadLibrary(c.Library);
    ASSERT_NE(module, nullptr) << c.Library << ": " << GetLastError();
    EXPECT_EQ(GetModuleHandle(c.Library), module) << c.Library;
    EXPECT_EQ(GetProcAddress(module, c.Name), c.Function) << c.Library << " " << c.Name;
    EXPECT_TRUE(FreeLibrary(module));
  }
  // The aliases are one function under two names, whichever name the caller uses.
  EXPECT_EQ(Address(&GetMonitorInfoA), Address(&GetMonitorInfo));
  EXPECT_EQ(Address(&_TrackMouseEvent), Address(&TrackMouseEvent));
}

TEST(RunTimeBindingTest, UnknownNamesInAMappedLibraryAreNotFound)
{
  for (const char* library : {"user32.dll", "msimg32.dll", "comctl32.dll", "shell32.dll", "kernel32.dll"}) {
    HMODULE module = GetModuleHandle(library);
    ASSERT_NE(module, nullptr) << library;
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "NoSuchEntryPoint"), nullptr) << library;
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND) << library;
  }
}

TEST(RunTimeBindingTest, SystemLibrariesAnswerWithAModuleAndItsFile)
{
  // The base library stands for the kernel: its handle gives a file name.
  HMODULE kernel = GetModuleHandle("kernel32.dll");
  ASSERT_NE(kernel, nullptr) << GetLastError();
  EXPECT_EQ(kernel, ModuleFromAddress(reinterpret_cast<const void*>(&GetModuleHandle)));
  char path[4096];
  const DWORD length = GetModuleFileName(kernel, path, sizeof path);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(::access(path, F_OK), 0) << path;
  EXPECT_EQ(GetModuleHandle("KERNEL32"), kernel);

  // The shell lives in the window library.
  HMODULE shell = LoadLibrary("shell32.dll");
  ASSERT_NE(shell, nullptr) << GetLastError();
  EXPECT_EQ(shell, ModuleFromAddress(reinterpret_cast<const void*>(&NotifyWinEvent)));
  EXPECT_TRUE(FreeLibrary(shell));
}

class RunTimeBindingCallTest : public TWindowFixture {
protected:
  void TearDown() override
  {
    Display->SetMonitors({{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 738)}});
    TWindowFixture::TearDown();
  }
};

// The rectangle of the monitor nearest to a point, the way a caller that binds
// the monitor functions by name finds it.
TEST_F(RunTimeBindingCallTest, BoundMonitorFunctionsAnswerTheDisplaysScreensAndWorkAreas)
{
  auto fromPoint = Bind<decltype(MonitorFromPoint)>("user32.dll", "MonitorFromPoint");
  auto fromRect = Bind<decltype(MonitorFromRect)>("user32.dll", "MonitorFromRect");
  auto fromWindow = Bind<decltype(MonitorFromWindow)>("user32.dll", "MonitorFromWindow");
  auto info = Bind<decltype(GetMonitorInfoA)>("user32.dll", "GetMonitorInfoA");
  ASSERT_TRUE(fromPoint && fromRect && fromWindow && info);

  MONITORINFO mi;
  ASSERT_TRUE(info(fromPoint(TPoint(5000, 5000), MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcMonitor, TRect(0, 0, 1024, 768));  // the headless display's one screen
  EXPECT_EQ(mi.rcWork, TRect(0, 0, 1024, 738));

  Display->SetMonitors({{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 738)},
                        {TRect(1024, 0, 2304, 1024), TRect(1024, 40, 2304, 1024)}});
  ASSERT_TRUE(info(fromPoint(TPoint(3000, 500), MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcMonitor, TRect(1024, 0, 2304, 1024));
  EXPECT_EQ(mi.rcWork, TRect(1024, 40, 2304, 1024));
  const TRect mostlyLeft(900, 100, 1100, 200);
  ASSERT_TRUE(info(fromRect(&mostlyLeft, MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcWork, TRect(0, 0, 1024, 738));
  HWND w = Make(WS_POPUP, 1500, 100, 50, 50);
  ASSERT_TRUE(info(fromWindow(w, MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcMonitor, TRect(1024, 0, 2304, 1024));
}

TEST_F(RunTimeBindingCallTest, BoundDrawingAndTrackingFunctionsDoTheirWork)
{
  auto alphaBlend = Bind<decltype(AlphaBlend)>("msimg32.dll", "AlphaBlend");
  ASSERT_NE(alphaBlend, nullptr);
  HBITMAP sourceBits = Pixels32(4, 4), destBits = Pixels32(4, 4);
  HDC source = CreateCompatibleDC(nullptr);
  HDC dest = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSource = SelectObject(source, sourceBits);
  HGDIOBJ oldDest = SelectObject(dest, destBits);
  Fill(source, TRect(0, 0, 4, 4), RGB(255, 255, 255));
  Fill(dest, TRect(0, 0, 4, 4), RGB(0, 0, 0));
  BLENDFUNCTION half;
  half.SourceConstantAlpha = 128;
  ASSERT_TRUE(alphaBlend(dest, 0, 0, 2, 2, source, 0, 0, 2, 2, half));
  EXPECT_EQ(GetPixel(dest, 1, 1), RGB(128, 128, 128));
  EXPECT_EQ(GetPixel(dest, 2, 2), RGB(0, 0, 0));
  SelectObject(source, oldSource);
  SelectObject(dest, oldDest);
  DeleteDC(source);
  DeleteDC(dest);
  DeleteObject(sourceBits);
  DeleteObject(destBits);

  // The common controls' name tracks the mouse as the window system's does.
  auto track = Bind<decltype(_TrackMouseEvent)>("comctl32.dll", "_TrackMouseEvent");
  ASSERT_NE(track, nullptr);
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  Display->MoveMouse(50, 50);
  Pump();
  TRACKMOUSEEVENT t;
  t.dwFlags = TME_LEAVE;
  t.hwndTrack = w;
  ASSERT_TRUE(track(&t));
  Take();
  Display->MoveMouse(300, 300);
  Pump();
  EXPECT_EQ(Take({WM_MOUSELEAVE}).size(), 1u);
}

}  // namespace
