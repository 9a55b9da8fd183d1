// The x11 display's state, shared by its sources (X11Display.cpp for the
// window system's calls, X11Events.cpp for the reader thread).
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "platform/display/x11/X11Clipboard.h"
#include "platform/display/x11/X11Core.h"
#include "platform/display/x11/X11Cursors.h"
#include "platform/display/x11/X11DragSource.h"
#include "platform/display/x11/X11DropTarget.h"
#include "platform/display/x11/X11Display.h"
#include "platform/display/x11/X11Keyboard.h"
#include "platform/display/x11/X11Tray.h"
#include "platform/display/x11/X11Window.h"

struct TX11Display::TState {
  x11::TCore Core;
  std::unique_ptr<x11::TX11Keyboard> Keyboard;
  std::unique_ptr<x11::TX11Transfer> Transfer;
  std::unique_ptr<x11::TX11Clipboard> Clipboard;
  std::unique_ptr<x11::TX11DropTarget> DropTarget;
  std::unique_ptr<x11::TX11DragSource> DragSource;
  std::unique_ptr<x11::TX11Tray> Tray;
  std::unique_ptr<x11::TX11Cursors> Cursors;
  std::map<HWND, std::unique_ptr<x11::TX11Window>> Windows;
  // Framebuffers of a display that could not be opened (no pixels while
  // the window system let go of them).
  struct TDetached {
    TRect Rect;
    std::vector<uint32_t> Pixels;
  };
  std::map<HWND, TDetached> Detached;
  Cursor CurrentCursor = 0;
  std::atomic<bool> Compositor{false};

  // Pointer grabs: the capture's window, and whether the keyboard goes too;
  // a capture's window that the server has not shown yet is grabbed once it
  // shows (a menu takes the capture as soon as it maps its window), and one
  // whose grab failed (another program held one) at the reader's next turns.
  Window Grab = 0;
  bool KeyboardGrab = false;
  Window PendingGrab = 0;
  // What the window system was told of the pointer and the buttons.
  TPoint LastPoint{-100000, -100000};
  bool LastOutside = false;
  unsigned ButtonsDown = 0;
  bool MotionPending = false;
  TPoint Motion;
  bool LeavePending = false;
  TPoint LeavePoint;
  // Keyboard focus: the window of ours that has it now, the one the window
  // system was told of, one to focus once it shows, and the keys held.
  Window Focus = 0;
  Window ReportedFocus = 0;
  Window PendingFocus = 0;
  std::set<BYTE> KeysDown;

  std::thread Reader;
  std::atomic<bool> Stop{false};
  // Sync(): the batches the reader finished.
  std::mutex SyncLock;
  std::condition_variable SyncDone;
  std::uint64_t Batches = 0;

  // Grabs the pointer (and for popups the keyboard) for a shown window.
  void GrabPointerFor(x11::TX11Window* w);
  x11::TX11Window* Find(HWND hwnd);
  x11::TX11Window* FindX(Window w);
  bool PointInOurWindows(TPoint p);
  void ReaderLoop();
  void Handle(XEvent& ev, x11::TActions& actions);
  void HandlePointer(XEvent& ev, x11::TX11Window* w, x11::TActions& actions);
  void FlushMotion(x11::TActions& actions);
  void EndBatch(x11::TActions& actions);
  void SyncButtons(unsigned state, TPoint at, x11::TActions& actions);
};
