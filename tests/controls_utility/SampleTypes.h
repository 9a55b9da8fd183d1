// Types described to the type information for the utility library's tests.
#pragma once

#include "platform/base/Persistent.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TLetter, "Letters", ltA, ltB, ltC, ltD, ltE);
using TLetters = Set<TLetter>;
CORVANE_DESCRIBE_SET(TLetters);
using TCheckBoxStates = Set<TCheckBoxState>;
CORVANE_DESCRIBE_SET(TCheckBoxStates);
using TCharSet = Set<char>;
CORVANE_DESCRIBE_SET(TCharSet);

struct ISample : IUnknown {
  static constexpr GUID IID = MakeGUID("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
  virtual void Touch() = 0;
};
CORVANE_DESCRIBE_INTERFACE(ISample, IUnknown, "Samples");

struct IDerivedSample : ISample {
  static constexpr GUID IID = MakeGUID("{11111111-2222-3333-4444-555555555555}");
};
CORVANE_DESCRIBE_INTERFACE(IDerivedSample, ISample, "Samples");

class TSampleItem : public TPersistent {
public:
  int Count() const { return FCount; }
  void SetCount(int v) { FCount = v; }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState v) { FState = v; }
  int FCount = 0;
  TCheckBoxState FState = cbUnchecked;
  std::string FCaption;
};
CORVANE_DESCRIBE_CLASS(TSampleItem, TPersistent, "Samples",
                       .Property("Count", &TSampleItem::Count, &TSampleItem::SetCount).Default(3)
                       .Property("State", &TSampleItem::State, &TSampleItem::SetState).Stored(false)
                       .Field("Caption", &TSampleItem::FCaption));
