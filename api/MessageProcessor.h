// The interface that every message processor ("*.mp") implements, its result
// record, its entry point, and the host's holder of one loaded processor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "api/ContractTypes.h"
#include "platform/base/Interface.h"
#include "platform/base/Object.h"

// What Process answers: the new kind and the new text, which the processor
// owns and keeps valid until its next call.
struct ProcessedMessage {
  MessageKind Kind;
  char* Text;
};
static_assert(sizeof(ProcessedMessage) == 16, "ProcessedMessage has the natural 64-bit layout");
static_assert(offsetof(ProcessedMessage, Kind) == 0 && offsetof(ProcessedMessage, Text) == 8,
              "ProcessedMessage fields sit at offsets 0 and 8");

// Slots 3 to 7, in this order after the three counting slots. A Process that
// fails inside the processor leaves its result area as the caller filled it.
struct IMessageProcessor : IUnknown {
  static constexpr GUID IID = {};

  virtual void Process(ProcessedMessage* Result, const UserID* Key, MessageKind Kind, const char* Message) = 0;
  virtual const char* GetName() = 0;
  virtual const char* GetDescription() = 0;
  virtual const char* GetAuthor() = 0;
  virtual std::int32_t GetVersion() = 0;

protected:
  ~IMessageProcessor() = default;
};

// The export "CreateMessageProcessor": stores one counted reference in *Intf,
// or leaves it empty when the processor could not create its object.
using TCreateMessageProcessor = void (*)(IMessageProcessor** Intf);

// One loaded message processor; the same life as TNetwork.
class TMessageProcessor : public TObject {
public:
  explicit TMessageProcessor(const std::string& FileName);
  ~TMessageProcessor() override;
  TMessageProcessor(const TMessageProcessor&) = delete;
  TMessageProcessor& operator=(const TMessageProcessor&) = delete;

  HMODULE Module = nullptr;
  TCreateMessageProcessor Entry = nullptr;
  InterfacePtr<IMessageProcessor> Processor;
};
