// Events of accessible objects: NotifyWinEvent raises one, SetWinEventHook
// lets a client hear the events of a range.
//
// Every event here is raised in this process, so hooks hear the events of
// this process only. An in-context hook (WINEVENT_INCONTEXT, which wants its
// module) is called at once, on the thread that raises the event, before
// NotifyWinEvent returns. An out-of-context hook (WINEVENT_OUTOFCONTEXT) is
// called later, on the thread that set it, while that thread takes its
// messages (GetMessage, PeekMessage, and the loops of the layer dispatch
// them), in the order the events were raised.
//
// Exported with C linkage: code that binds NotifyWinEvent at run time finds
// it in "user32.dll" (the module loader maps that name to this library).
#pragma once

#include "platform/base/Types.h"
#include "platform/win/window/WindowTypes.h"

CORVANE_DECLARE_HANDLE(HWINEVENTHOOK);

using WINEVENTPROC = void (*)(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG objectId, LONG childId,
                              DWORD eventThread, DWORD eventTime);

constexpr DWORD WINEVENT_OUTOFCONTEXT = 0x0, WINEVENT_SKIPOWNTHREAD = 0x1, WINEVENT_SKIPOWNPROCESS = 0x2,
                WINEVENT_INCONTEXT = 0x4;

constexpr DWORD EVENT_MIN = 0x00000001, EVENT_MAX = 0x7FFFFFFF;
constexpr DWORD EVENT_SYSTEM_SOUND = 0x0001, EVENT_SYSTEM_ALERT = 0x0002, EVENT_SYSTEM_FOREGROUND = 0x0003,
                EVENT_SYSTEM_MENUSTART = 0x0004, EVENT_SYSTEM_MENUEND = 0x0005,
                EVENT_SYSTEM_MENUPOPUPSTART = 0x0006, EVENT_SYSTEM_MENUPOPUPEND = 0x0007,
                EVENT_SYSTEM_CAPTURESTART = 0x0008, EVENT_SYSTEM_CAPTUREEND = 0x0009,
                EVENT_SYSTEM_MOVESIZESTART = 0x000A, EVENT_SYSTEM_MOVESIZEEND = 0x000B,
                EVENT_SYSTEM_DIALOGSTART = 0x0010, EVENT_SYSTEM_DIALOGEND = 0x0011,
                EVENT_SYSTEM_SCROLLINGSTART = 0x0012, EVENT_SYSTEM_SCROLLINGEND = 0x0013,
                EVENT_SYSTEM_MINIMIZESTART = 0x0016, EVENT_SYSTEM_MINIMIZEEND = 0x0017;
constexpr DWORD EVENT_OBJECT_CREATE = 0x8000, EVENT_OBJECT_DESTROY = 0x8001, EVENT_OBJECT_SHOW = 0x8002,
                EVENT_OBJECT_HIDE = 0x8003, EVENT_OBJECT_REORDER = 0x8004, EVENT_OBJECT_FOCUS = 0x8005,
                EVENT_OBJECT_SELECTION = 0x8006, EVENT_OBJECT_SELECTIONADD = 0x8007,
                EVENT_OBJECT_SELECTIONREMOVE = 0x8008, EVENT_OBJECT_SELECTIONWITHIN = 0x8009,
                EVENT_OBJECT_STATECHANGE = 0x800A, EVENT_OBJECT_LOCATIONCHANGE = 0x800B,
                EVENT_OBJECT_NAMECHANGE = 0x800C, EVENT_OBJECT_DESCRIPTIONCHANGE = 0x800D,
                EVENT_OBJECT_VALUECHANGE = 0x800E, EVENT_OBJECT_PARENTCHANGE = 0x800F,
                EVENT_OBJECT_HELPCHANGE = 0x8010, EVENT_OBJECT_DEFACTIONCHANGE = 0x8011,
                EVENT_OBJECT_ACCELERATORCHANGE = 0x8012;

constexpr DWORD ERROR_INVALID_HOOK_FILTER = 1426;
constexpr DWORD ERROR_HOOK_NEEDS_HMOD = 1428;

extern "C" {

// Tells the hooks whose range holds the event, and whose process and thread
// filters the calling thread passes, that the object (window, object id,
// child id) had the event.
void NotifyWinEvent(DWORD event, HWND hwnd, LONG objectId, LONG childId);

// Hooks the events eventMin to eventMax raised by the process (0: any) and
// thread (0: any) given, with the flags above. Null on failure, with
// GetLastError: ERROR_INVALID_PARAMETER (no procedure),
// ERROR_INVALID_HOOK_FILTER (eventMin above eventMax), ERROR_HOOK_NEEDS_HMOD
// (in-context without a module).
HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE module, WINEVENTPROC procedure,
                              DWORD processId, DWORD threadId, DWORD flags);
// Removes the hook: from then on it is never called, not even for events
// raised before and not yet delivered. FALSE for an unknown hook.
BOOL UnhookWinEvent(HWINEVENTHOOK hook);

}  // extern "C"
