// Messages: per-thread queues, sending and posting, the message loop calls.
//
// Sending to a window of the calling thread calls its procedure at once;
// sending to another thread's window queues the call, which that thread runs
// while it waits in GetMessage, PeekMessage, WaitMessage or a send of its own,
// and the sender waits (handling calls sent to it meanwhile). WM_COPYDATA to a
// window of another process crosses over a local socket (CrossProcess.h).
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// 0 when the time limit passed, the receiver hung or vanished; result gets the answer.
LRESULT SendMessageTimeout(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                            DWORD_PTR* result);
BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// >0 for a message, 0 for WM_QUIT, -1 for an invalid window filter.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL InSendMessage();
BOOL ReplyMessage(LRESULT result);
DWORD GetQueueStatus(UINT flags);
DWORD GetMessagePos();
LONG GetMessageTime();
UINT RegisterWindowMessage(LPCSTR name);

