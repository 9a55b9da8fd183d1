// Stand-alone routines the items, views and popups share: system settings
// menus follow, monitor geometry, accelerator marks and caption drawing,
// painting for windows whose frame the framework draws, list helpers and
// integer arithmetic. Functions newer systems add are bound by name at run
// time, so the routines fall back instead of failing where they are absent.
#pragma once

#include <string>

#include "platform/base/List.h"
#include "platform/base/Method.h"
#include "platform/base/ModuleLoader.h"
#include "platform/win/win.h"

// A function newer systems add to "user32.dll", looked up by name; null
// where it is absent.
template <class F>
F BindUser32(const char* Name)
{
  HMODULE user32 = GetModuleHandle("user32.dll");
  return user32 ? reinterpret_cast<F>(GetProcAddress(user32, Name)) : nullptr;
}

// System settings.
int MenuShowDelay();
// The delay the "MenuShowDelay" registry text stands for: 400 when there is
// no such value, 0 when it is not a string of at most 32 bytes holding an
// integer; negative values count as 0.
int MenuShowDelayFromRegistryText(bool Exists, bool IsString, const std::string& Text);
bool FlatMenusEnabled();
bool KeyboardCuesShown();
bool IsNT51OrLater();
bool SoundSchemeHasSound(const std::string& EventName);
int InputLocaleCodePage();
bool ApplicationHasActiveWindow();

// Monitors.
bool HasMultipleMonitors();
TRect MonitorRectOfRect(const TRect& R, bool WorkArea);
TRect MonitorRectOfPoint(const TPoint& P, bool WorkArea);

// TrackMouseEvent with a hover time of 0; false where it is not available.
bool RequestMouseTracking(HWND Window, DWORD Flags);

// Text.
int TextHeightOnDC(HDC DC);
int TextWidthOnDC(HDC DC, const std::string& Text, bool StripAccel);
int PlainTextWidth(HDC DC, const std::string& Text);
std::string RemoveAccelMarks(const std::string& Text);
std::string DoubleAmpersands(const std::string& Text);
std::string TrimEllipsisOrColon(const std::string& Text);
// The character (a code point) after the last single "&"; 0 when none.
char32_t AccelCharOf(const std::string& Text);
// The DC's font turned to run downwards; null when the font cannot be read.
HFONT CreateVerticalFont(HDC DC);
// Text with ellipsis handling for a caption drawn downwards in a vertical
// rectangle: answers what is drawn, and the accelerator's index in it (-1).
std::string FitRotatedCaption(HDC DC, const std::string& Text, int Height, UINT Format, int& AccelIndex);
void DrawRotatedCaption(HDC DC, const std::string& Text, const TRect& R, UINT Format);

// Painting for windows whose frame the framework paints.
using TTBFramePainter = void (*)(HWND Window, HDC DC, void* Data);
LRESULT PaintWindowToDC(HWND Window, HDC DC, LPARAM Flags, TTBFramePainter FramePainter, void* Data);
void ClipToNCUpdateRegion(HWND Window, HDC DC, HRGN Region);
void PumpPaintMessages();
void FlushMessages(UINT First, UINT Last);
HRGN CreateEmptyRegion();
void DrawInvertFrame(HDC DC, const TRect& NewRect, const TRect* OldRect, HBRUSH NewBrush, HBRUSH OldBrush,
                     TSize NewSize, TSize OldSize);
void DrawHalftoneDragFrame(HDC DC, const TRect& NewRect, const TRect* OldRect, TSize NewSize, TSize OldSize);

// Lists and numbers.
using TTBListSortCompare = int (*)(void* Item1, void* Item2, void* UserData);
// Entries that compare equal keep their order, so repeated sorts of one list
// never swap them back and forth.
void SortList(TList* List, TTBListSortCompare Compare, void* UserData);
bool AddToListOnce(TList*& List, void* Item);
bool InsertAtFrontOnce(TList*& List, void* Item);
void RemoveFromListAndFree(TList*& List, void* Item);
int DivideAwayFromZero(int A, int B);
inline int IntMin(int A, int B) { return A < B ? A : B; }
template <class M>
bool SameMethod(const M& A, const M& B) { return A == B; }
