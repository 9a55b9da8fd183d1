// The window system's state, private to platform/win/window: the window
// records, their handle table, the per-thread queues and the input state.
//
// Locking: one recursive lock (Core().Lock) guards the tree, the handle table,
// classes and input state; each thread's queue has a mutex of its own. No
// window procedure, hook or back-end call runs while Core().Lock is held:
// callers copy what they need, unlock, then call out, and re-resolve handles
// afterwards (the call may have destroyed the window).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/win/gdi/Region.h"
#include "platform/win/gdi/SurfaceDC.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/WindowTypes.h"

class TDisplayBackend;

namespace wincore {

struct TClassRec {
  ATOM Atom = 0;
  std::string Name;
  UINT Style = 0;
  WNDPROC WndProc = nullptr;
  int ClsExtra = 0;
  int WndExtra = 0;
  HINSTANCE Instance = nullptr;
  HICON Icon = nullptr;
  HICON IconSm = nullptr;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  std::string MenuName;
  std::vector<BYTE> Extra;
  int WindowCount = 0;
};

struct TThread;

struct TWnd {
  HWND Handle = nullptr;
  TClassRec* Class = nullptr;
  std::shared_ptr<TThread> Thread;
  WNDPROC WndProc = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  std::string Text;
  TWnd* Parent = nullptr;  // the desktop for top-level windows
  TWnd* Owner = nullptr;
  std::vector<TWnd*> Children;  // z-order, the topmost first
  TRect Rect;    // window rectangle, in the parent's client coordinates
  TRect Client;  // client rectangle, in the parent's client coordinates
  TRect NormalRect;  // the rectangle a minimised or maximised window returns to
  TPoint MinPosition{-1, -1};  // kept for the window placement; minimising does not move the window
  LONG_PTR Id = 0;
  HINSTANCE Instance = nullptr;
  LONG_PTR UserData = 0;
  std::vector<BYTE> Extra;
  std::vector<std::pair<std::string, HANDLE>> Props;
  bool MessageOnly = false;
  bool Destroying = false;
  bool NoRedraw = false;  // WM_SETREDRAW FALSE
  // Painting state: the update region is in client coordinates, the frame's
  // in window coordinates.
  TRegion Update;
  TRegion FrameUpdate;
  bool Erase = false;
  bool InternalPaint = false;
  bool NeedsPaintCounted = false;
  std::unique_ptr<TRegion> WindowRgn;  // window coordinates
  HRGN WindowRgnHandle = nullptr;
  // Top-level windows own a framebuffer. While hidden or minimised it holds
  // no pixels (PixelsReleased) and Surface has no bits.
  TSurface Surface;
  bool HasSurface = false;
  bool PixelsReleased = false;
  BYTE Alpha = 255;
  COLORREF ColorKey = 0;
  DWORD LayeredFlags = 0;
  bool PerPixelAlpha = false;  // the last UpdateLayeredWindow blended with each pixel's alpha
  // Its pixels come from UpdateLayeredWindow: the window system never paints
  // it (nor erases it), until SetLayeredWindowAttributes takes over.
  bool LayeredByUpdate = false;
  // A window whose class casts a drop shadow has this layered window under
  // it while shown (DropShadow.cpp), with an image made for Rect's size.
  HWND DropShadow = nullptr;
  TSize DropShadowSize;
  HICON IconBig = nullptr;
  HICON IconSmall = nullptr;
  HFONT Font = nullptr;
  HDC OwnDC = nullptr;
  WORD UIState = 0;
  bool NcActive = false;  // the caption shows as active (WM_NCACTIVATE)
  // The standard scroll bars' values.
  struct TBar {
    int Min = 0;
    int Max = 100;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    UINT Disabled = 0;  // ESB_* arrows
    bool DisableNoScroll = false;
  } HBar, VBar;
  bool Published = false;
  // A window of another process, known through FindWindow.
  bool Foreign = false;
  int ForeignPid = 0;
  std::uint64_t ForeignHandle = 0;
};

// A message sent to a window of another thread, or arriving from another process.
struct TSent {
  HWND Hwnd = nullptr;
  UINT Msg = 0;
  WPARAM W = 0;
  LPARAM L = 0;
  LRESULT Result = 0;
  bool Done = false;       // under the waiter's queue mutex
  bool NoReply = false;    // SendNotifyMessage: nobody waits
  std::shared_ptr<TThread> Waiter;
  // Work to run on the receiving thread instead of a message (SWP_ASYNCWINDOWPOS).
  std::function<void()> Task;
  // Told the answer on the receiving thread (copy data from another process,
  // answered over its socket); false when the receiver went away unanswered.
  std::function<void(bool, LRESULT)> OnDone;
  // Copy data that came from another process lives here for the call.
  std::vector<BYTE> Payload;
  COPYDATASTRUCT Cds;
};

struct TTimer {
  HWND Hwnd = nullptr;
  UINT_PTR Id = 0;
  UINT Interval = 0;
  std::uint64_t Due = 0;
  TIMERPROC Proc = nullptr;
  bool Pending = false;  // due and not yet retrieved
};

// One input event from the display, turned into messages when a thread asks
// for its next message, so that routing follows the capture and windows as
// they are at that moment.
struct TRawInput {
  enum TKind { MouseMove, Button, Wheel, Key, AppActivation } Kind = MouseMove;
  TPoint Pt;
  int ButtonIndex = 0;  // 0 left, 1 right, 2 middle
  bool Down = false;
  int Delta = 0;
  BYTE Vk = 0;
  WORD Scan = 0;
  bool Extended = false;
  bool Repeat = false;
  DWORD Char = 0;
  DWORD Time = 0;
  bool Outside = false;  // over no window of the process: only the capture hears it
  BYTE Keys[256] = {};  // the key state once the event happened
};

struct TInputMsg {
  MSG Msg;
  BYTE Keys[256] = {};  // the key state that GetKeyState reports while it is handled
};

struct TCaret {
  HWND Owner = nullptr;
  int Width = 0;
  int Height = 0;
  TPoint Pos;
  int HideCount = 1;
  bool On = false;        // drawn right now
  int HiddenByPaint = 0;  // BeginPaint calls not yet matched by EndPaint
};
// The id of the internal timer that blinks the caret (WM_SYSTIMER).
constexpr UINT_PTR CaretTimerId = UINT_PTR(-3);

struct TThread {
  DWORD Id = 0;
  std::thread::id StdId;
  bool Alive = true;
  std::mutex M;
  std::condition_variable Cv;
  bool Waiting = false;
  std::deque<MSG> Posted;
  std::deque<TInputMsg> Input;
  std::deque<std::shared_ptr<TSent>> Sent;
  std::vector<TTimer> Timers;
  bool Quit = false;
  int QuitCode = 0;
  // Owned by the thread itself.
  BYTE Keys[256] = {};
  DWORD LastTime = 0;
  TPoint LastPos;
  int NeedPaint = 0;  // windows of this thread with something to paint (Core().Lock)
  bool AltAlone = false;
  int InSendDepth = 0;
  TCaret Caret;
  std::vector<std::shared_ptr<TSent>> Replying;  // sent messages being handled, innermost last
  std::uint64_t WakeSeq = 0;  // moves on whenever something arrives (under M)
};

struct THook {
  HHOOK Handle = nullptr;
  int Kind = 0;
  HOOKPROC Proc = nullptr;
  DWORD ThreadId = 0;  // 0: every thread of the process
  // Set under the core lock, read without it by a chain being walked on
  // another thread (the chain holds its own reference to the hook).
  std::atomic<bool> Removed{false};
};

struct TMouseTrack {
  HWND Hwnd = nullptr;
  DWORD Flags = 0;
  DWORD HoverTime = 0;
};
// The id of the internal timer that times mouse hovering.
constexpr UINT_PTR HoverTimerId = UINT_PTR(-2);

struct TCore {
  std::recursive_mutex Lock;
  struct TSlot {
    TWnd* Wnd = nullptr;
    std::uint32_t Generation = 1;
  };
  std::vector<TSlot> Slots;
  std::deque<std::uint32_t> Free;
  TWnd* Desktop = nullptr;
  TWnd* MessageRoot = nullptr;
  std::vector<std::unique_ptr<TClassRec>> Classes;
  ATOM NextAtom = 0xC000;
  std::unordered_map<std::string, UINT> RegisteredMessages;
  UINT NextMessage = 0xC000;
  std::map<DWORD, std::shared_ptr<TThread>> Threads;
  // Input state shared by the process's windows.
  HWND Active = nullptr;
  HWND Focus = nullptr;
  HWND Capture = nullptr;
  bool AppActive = false;
  bool ForegroundLocked = false;
  HWND LockedUpdate = nullptr;
  TPoint CursorPos;
  bool CursorClipped = false;
  TRect CursorClip;
  BYTE AsyncKeys[256] = {};
  std::deque<TRawInput> Raw;
  HCURSOR Cursor = nullptr;
  int CursorShowCount = 0;
  TMouseTrack Track;
  // The last click, for double clicks.
  HWND LastClickWnd = nullptr;
  UINT LastClickMsg = 0;
  DWORD LastClickTime = 0;
  TPoint LastClickPt;
  bool LastClickWasDouble = false;
  // Hooks, the newest first.
  std::vector<std::shared_ptr<THook>> Hooks;
  std::uintptr_t NextHook = 1;
  std::unique_ptr<TDisplayBackend> Display;
  // Moves on whenever the pixels a window DC may reach could have changed;
  // held window DCs compare it before drawing (GeometryChanged).
  std::atomic<std::uint64_t> Geometry{0};
};

TCore& Core();

// The calling thread's queue state (made on first use).
TThread& CurrentThread();
std::shared_ptr<TThread> CurrentThreadPtr();
DWORD CurrentThreadId();

// Handle table. Resolve answers null for 0, stale, foreign-table and
// destroyed values. Call with Core().Lock held when the pointer is used after.
HWND AddHandle(TWnd* w);
void RemoveHandle(HWND h);
TWnd* Resolve(HWND h);
TWnd* ResolveLocal(HWND h);  // null for windows of other processes too

// Tree helpers (Core().Lock held).
bool IsTopLevel(const TWnd* w);       // a direct child of the desktop
TWnd* RootOf(TWnd* w);                 // the top-level window holding w
bool IsDescendant(const TWnd* ancestor, const TWnd* w);  // w inside ancestor (or equal)
TPoint ClientOriginOnScreen(const TWnd* w);
TRect ScreenWindowRect(const TWnd* w);
TRect ScreenClientRect(const TWnd* w);
bool IsVisibleChain(const TWnd* w);   // visible with every ancestor
void Unlink(TWnd* w);
void LinkAt(TWnd* parent, TWnd* w, TWnd* insertAfter, bool bottom);
// Windows of the tree rooted at w, parents before children.
void CollectPreOrder(TWnd* w, std::vector<TWnd*>& out);

// Sending and posting from the core.
LRESULT Send(HWND h, UINT msg, WPARAM w, LPARAM l);
bool PostTo(TThread& t, const MSG& m);
void Wake(TThread& t);
void WakeAll();

// Input (InputRouting.cpp): cooking the next raw event on the calling thread; true
// when one was cooked. A retrieval whose message range (Lo, Hi; both 0 for
// all) takes no message of that event's kind leaves it raw, so it is turned
// into a message against the capture and focus of the moment it is asked for.
bool CookNextRawInput(UINT Lo = 0, UINT Hi = 0);
bool ThreadTakesInput(TThread& t);

// Painting (Painting.cpp).
void AddNeedPaint(TWnd* w);
void UpdatePaintCount(TWnd* w);
TWnd* FindWindowToPaint(TThread& t, TWnd* filter);
void InvalidateTree(TWnd* w, const TRegion& clientArea, bool erase, UINT flags);
void InvalidateParentArea(TWnd* w, const TRect& rectInParent);
TRegion VisibleRegion(TWnd* w, bool wholeWindow, bool clipChildren, bool clipSiblings);
void ReleaseWindowDCs(TWnd* w);
// A window was shown, hidden, moved, resized, restacked, reshaped, linked or
// unlinked (lock held): DCs held on windows work out their reach again before
// they next draw.
void GeometryChanged();
// Shows pixels that changed in the framebuffer of the top-level window holding
// hwnd (framebuffer coordinates). Called without Core().Lock held.
void Present(HWND hwnd, const TRegion& changed);

// Pixels of windows nobody sees (HiddenPixels.cpp). A top-level window wants
// pixels while it is shown and not minimised; a popup without a caption, or
// one whose pixels come from UpdateLayeredWindow (only its owner can draw
// them again), always. Follow: lets go
// of them, or takes them back and has the whole window repainted, as the
// window's state now asks (lock held).
bool WantsPixels(const TWnd* w);
void FollowPixelNeed(TWnd* w);

// Drop shadows (DropShadow.cpp). Follow: after a top-level window moved,
// changed size, showed, hid or restacked, its shadow (made when first
// needed) is put right, hidden or dropped. Lock not held.
void FollowDropShadow(HWND hwnd);
void DestroyDropShadow(HWND hwnd);
// Each shadow right below its window in the desktop's children (lock held).
void KeepDropShadowsBelow();
// Whether windows of CS_DROPSHADOW classes get one: the display composes.
bool DropShadowsShown();

// Non-client area (NonClient.cpp).
TRect DefaultClientRect(DWORD style, DWORD exStyle, const TRect& windowRect, bool child);
LRESULT DefaultHitTest(HWND hwnd, TPoint screenPt);
// Paints into target when given (a WM_PRINT of the frame), else onto the window.
void PaintDefaultFrame(HWND hwnd, HRGN updateRegion, HDC target = nullptr);
void RunMoveSizeLoop(HWND hwnd, WPARAM command, TPoint start);
// The standard scroll bars (ScrollBars.cpp): painting into a window DC (window
// coordinates) and the tracking loop of a press on one.
void PaintScrollBars(HWND hwnd, HDC windowDC);
void TrackScrollBar(HWND hwnd, bool vertical, TPoint screenPoint);

// Timers (Timers.cpp).
std::uint64_t NowMs();
bool TimeIsVirtual();
void KillWindowTimers(TThread& t, HWND h);
// The earliest due time of the thread's timers; UINT64_MAX when none.
std::uint64_t NextTimerDue(TThread& t);

// Hooks (Hooks.cpp).
bool HasHooks(int kind);
LRESULT CallHooks(int kind, int code, WPARAM w, LPARAM l);

// The caret (Caret.cpp): the blink, and hiding it around painting.
void BlinkCaret(HWND hwnd);
void HideCaretForPaint(HWND hwnd);
void ShowCaretAfterPaint(HWND hwnd);

// Cross-process publishing (CrossProcess.cpp).
void PublishWindowsChanged();
bool ForeignAlive(TWnd* w);
// pid and remote: those of the target's stand-in, read under Core().Lock
// (a stand-in may be freed once the lock is let go).
LRESULT SendForeignCopyData(int pid, std::uint64_t remote, HWND sender, const COPYDATASTRUCT* cds, UINT timeoutMs,
                            bool& ok);

// Calls a window procedure the way SendMessage does (hooks included), or
// the way DispatchMessage does (no hooks).
LRESULT CallProc(HWND h, UINT msg, WPARAM w, LPARAM l);
LRESULT CallProcNoHooks(HWND h, UINT msg, WPARAM w, LPARAM l);
// Runs the calls other threads sent to this one.
void ProcessSentMessages(TThread& t);
// Runs work on the thread of a window, without waiting for it.
bool QueueTask(TThread& t, std::function<void()> task);
// Queues copy data from another process for a window's thread, without
// waiting; done hears the answer on that thread.
bool QueueForeignCopyData(TWnd* target, HWND sender, ULONG_PTR tag, std::vector<BYTE> payload,
                          std::function<void(bool, LRESULT)> done);
// Sends to a window of another thread and waits (UINT_MAX: no limit).
LRESULT SendToThread(TWnd* target, UINT msg, WPARAM w, LPARAM l, UINT flags, UINT timeoutMs, bool& ok);

// Geometry (WindowPos.cpp).
bool ContainsScreenPoint(TWnd* w, TPoint pt);
HWND HitTestTree(TPoint pt, LRESULT* hitOut, HWND skipBelow);
void Restack();
void FillMinMaxInfo(TWnd* w, MINMAXINFO& mmi);
// Activation (Activation.cpp): activates a top-level window (click: by a
// mouse press), answers the one that was active; WM_ACTIVATEAPP to every
// top-level window when the process gains or loses the foreground; another
// window takes over when the active one goes.
HWND ActivateWindow(HWND hwnd, bool click);
void SendActivateApp(bool active);
void ActivateOtherWindow(HWND leaving);
// Window classes (WindowClass.cpp).
TClassRec* FindClass(LPCSTR name);
UINT CrossProcessTimeoutValue();

// Display back end (DisplayBackend.cpp); null when none is registered.
TDisplayBackend* Display();
// Tells the display the styles, owner and icons of a top-level window that
// has a framebuffer (Core().Lock held; the back end does not call back).
void TellDisplayWindowState(TWnd* w);

}  // namespace wincore
