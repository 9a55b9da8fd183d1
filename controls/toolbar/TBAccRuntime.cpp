// The accessibility run-time of the toolbar framework: binding the platform's
// accessibility entry points by name, the list of live objects that the end
// of the program disconnects, COM initialisation, win events, the Alt key's
// name and the accessible objects of views and viewers made on demand.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/base/ErrorMode.h"
#include "platform/base/ThreadId.h"
#include "platform/classes/Messages.h"

namespace {

using TLresultFromObject = LRESULT (*)(REFIID, WPARAM, IUnknown*);
using TAccessibleObjectFromWindow = HRESULT (*)(HWND, DWORD, REFIID, void**);
using TNotifyWinEvent = void (*)(DWORD, HWND, LONG, LONG);

struct TOleaccBinding {
  bool Available = false;
  TLresultFromObject LresultFromObject = nullptr;
  TAccessibleObjectFromWindow AccessibleObjectFromWindow = nullptr;
};

const TOleaccBinding& Oleacc()
{
  static const TOleaccBinding binding = [] {
    TOleaccBinding b;
    UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE lib = LoadLibrary("oleacc.dll");
    SetErrorMode(previous);
    if (lib) {
      b.LresultFromObject = reinterpret_cast<TLresultFromObject>(GetProcAddress(lib, "LresultFromObject"));
      b.AccessibleObjectFromWindow =
          reinterpret_cast<TAccessibleObjectFromWindow>(GetProcAddress(lib, "AccessibleObjectFromWindow"));
      b.Available = b.LresultFromObject && b.AccessibleObjectFromWindow;
    }
    return b;
  }();
  return binding;
}

// The live objects and their lock; the counters change without it.
struct TLiveList {
  std::mutex Lock;
  TTBCustomAccObject* Head = nullptr;
  TAccDisconnectProc Disconnect = nullptr;
  // COM is initialised on the GUI thread the first time accessibility is
  // asked for there, and uninitialised at the end when that succeeded.
  bool ComInitialised = false;
};

void UnitEnd();

// Never freed: objects that clients keep past the end of the program still
// unlink themselves under the lock.
TLiveList& Live()
{
  static TLiveList* list = [] {
    auto* l = new TLiveList;
    std::atexit(&UnitEnd);
    return l;
  }();
  return *list;
}

void UnitEnd()
{
  DisconnectAccessibleObjects();
  if (Live().ComInitialised) {
    Live().ComInitialised = false;
    CoUninitialize();
  }
}

std::atomic<int> LiveViewObjects{0};
std::atomic<int> LiveViewerObjects{0};

}  // namespace

bool AccessibilityAvailable()
{
  static const bool available = [] {
    bool a = Oleacc().Available;
    if (a && IsMainThread())
      Live().ComInitialised = SUCCEEDED(CoInitialize(nullptr));
    return a;
  }();
  return available;
}

bool AccessibleOfWindow(HWND Window, IDispatch*& Object)
{
  Object = nullptr;
  if (!AccessibilityAvailable())
    return false;
  void* p = nullptr;
  if (FAILED(Oleacc().AccessibleObjectFromWindow(Window, DWORD(OBJID_WINDOW), IID_IDispatch, &p)) || !p)
    return false;
  Object = static_cast<IDispatch*>(p);
  return true;
}

void CallNotifyWinEvent(DWORD Event, HWND Window, LONG ObjectId, LONG ChildId)
{
  static const TNotifyWinEvent notify = BindUser32<TNotifyWinEvent>("NotifyWinEvent");
  if (notify)
    notify(Event, Window, ObjectId, ChildId);
}

std::string AltKeyName()
{
  char name[256] = {};
  LONG scan = LONG(MapVirtualKey(VK_MENU, 0)) << 16;
  if (GetKeyNameText(scan, name, int(sizeof name)) > 0 && name[0])
    return name;
  return "Alt";
}

bool AnswerAccessibleObject(TTBView* View, TMessage& Message)
{
  if (LONG(Message.LParam) != OBJID_CLIENT || !View || !AccessibilityAvailable())
    return false;
  TTBViewAccObject* object = View->AccObject();
  if (!object)
    return false;
  Message.Result = Oleacc().LresultFromObject(IID_IAccessible, Message.WParam, static_cast<IAccessible*>(object));
  return true;
}

TTBCustomAccObject::TTBCustomAccObject()
{
  std::lock_guard<std::mutex> guard(Live().Lock);
  FNextLive = Live().Head;
  if (FNextLive)
    FNextLive->FPrevLive = this;
  Live().Head = this;
}

TTBCustomAccObject::~TTBCustomAccObject()
{
  std::lock_guard<std::mutex> guard(Live().Lock);
  if (FPrevLive)
    FPrevLive->FNextLive = FNextLive;
  else
    Live().Head = FNextLive;
  if (FNextLive)
    FNextLive->FPrevLive = FPrevLive;
}

void DisconnectAccessibleObjects()
{
  // Disconnecting can free the object (and others), whose destructors take
  // the lock: each object is picked under the lock and cut off outside it,
  // and the list is read afresh for the next one.
  std::vector<TTBCustomAccObject*> done;
  for (;;) {
    TTBCustomAccObject* next = nullptr;
    TAccDisconnectProc disconnect;
    {
      std::lock_guard<std::mutex> guard(Live().Lock);
      for (TTBCustomAccObject* o = Live().Head; o; o = o->FNextLive)
        if (std::find(done.begin(), done.end(), o) == done.end()) {
          next = o;
          break;
        }
      disconnect = Live().Disconnect ? Live().Disconnect : &CoDisconnectObject;
    }
    if (!next)
      return;
    done.push_back(next);
    disconnect(static_cast<IAccessible*>(next), 0);
  }
}

void SetAccDisconnectProc(TAccDisconnectProc Proc)
{
  std::lock_guard<std::mutex> guard(Live().Lock);
  Live().Disconnect = Proc;
}

int LiveViewAccObjects() { return LiveViewObjects.load(); }
int LiveViewerAccObjects() { return LiveViewerObjects.load(); }

TTBViewAccObject::TTBViewAccObject(TTBView* AView) : FView(AView) { ++LiveViewObjects; }

TTBViewAccObject::~TTBViewAccObject()
{
  --LiveViewObjects;
  if (FView)
    FView->ForgetAccObject();
}

TTBItemViewerAccObject::TTBItemViewerAccObject(TTBItemViewer* AViewer) : FViewer(AViewer) { ++LiveViewerObjects; }

TTBItemViewerAccObject::~TTBItemViewerAccObject()
{
  --LiveViewerObjects;
  if (FViewer)
    FViewer->ForgetAccObject();
}

TTBViewAccObject* TTBView::AccObject()
{
  if (!FAccObject && AccessibilityAvailable()) {
    FAccObject = new TTBViewAccObject(this);
    FAccObject->AddRef();
  }
  return FAccObject;
}

void TTBView::ReleaseAccObject()
{
  if (TTBViewAccObject* object = FAccObject) {
    object->ClientIsGone();
    FAccObject = nullptr;
    object->Release();
  }
}

TTBItemViewerAccObject* TTBItemViewer::AccObject()
{
  if (!FAccObject && AccessibilityAvailable())
    FAccObject = new TTBItemViewerAccObject(this);
  return FAccObject;
}

void TTBItemViewer::ReleaseAccObject()
{
  if (FAccObject) {
    FAccObject->ClientIsGone();
    FAccObject = nullptr;
  }
}
