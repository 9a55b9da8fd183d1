// Window-procedure hooks: any number of clients watch the messages of a
// control without subclassing it themselves. One record per control
// replaces its WindowProc with a dispatcher that calls the "before" hooks,
// the control's previous procedure, then the "after" hooks; a hook answering
// true ends the dispatch. Hooks may be added or removed during a dispatch
// (per-level cursors keep every level valid). The record of a destroyed
// control is freed later, from the message queue, since it may be inside
// its own dispatcher when the control goes.
#pragma once

#include <memory>
#include <vector>

#include "controls/utility/UtComponent.h"
#include "platform/base/Method.h"
#include "platform/classes/Messages.h"

class TControl;

// A hook: true means handled (the dispatch stops).
using TUtHookProc = Method<bool(TMessage& Message)>;
enum TUtHookOrder { hoBeforeMsg = 0, hoAfterMsg = 1 };

class TUtHookInfos;

// The process-wide registry of hook records.
class TUtWndProcHook : public TComponent {
public:
  TUtWndProcHook() : TComponent(nullptr) {}
  ~TUtWndProcHook() override;
  bool RegisterWndProc(TControl* Control, TUtHookProc Hook, TUtHookOrder Order);
  bool UnRegisterWndProc(TControl* Control, TUtHookProc Hook, TUtHookOrder Order);
  // Records waiting in the releaser (for tests of the deferred release).
  static int PendingReleases();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TUtHookInfos* Find(TControl* Control);
  std::vector<TUtHookInfos*> FInfos;
};

TUtWndProcHook& WndProcHook();
bool RegisterWndProcHook(TControl* Control, TUtHookProc Hook, TUtHookOrder Order);
bool UnRegisterWndProcHook(TControl* Control, TUtHookProc Hook, TUtHookOrder Order);

using TUtHookMessageEvent = Method<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

// The component face: a control and two events.
class TUtWindowHook : public TUtComponent {
public:
  explicit TUtWindowHook(TComponent* AOwner = nullptr);
  ~TUtWindowHook() override;
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);
  TUtHookMessageEvent BeforeMessage() const { return FBeforeMessage; }
  void SetBeforeMessage(TUtHookMessageEvent Value);
  TUtHookMessageEvent AfterMessage() const { return FAfterMessage; }
  void SetAfterMessage(TUtHookMessageEvent Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // "IsForm": the hook watches its own form, which a stream cannot name as a
  // reference to another component.
  void DefineProperties(TFiler* Filer) override;

private:
  bool IsForm() const;
  void ReadIsForm(TReader* Reader);
  void WriteIsForm(TWriter* Writer);
  bool BeforeHook(TMessage& Message);
  bool AfterHook(TMessage& Message);
  void Register(bool On);
  bool Designing() const { return ComponentState().Contains(csDesigning); }

  bool FActive = true;
  TControl* FControl = nullptr;
  TUtHookMessageEvent FBeforeMessage;
  TUtHookMessageEvent FAfterMessage;
};
