// The message-processor side of the contract, against the test processor.
#include <gtest/gtest.h>

#include "api/MessageProcessor.h"
#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"
#include "tests/fixtures/testmp/TestProcessorControl.h"

namespace {

template <class R = void, class... A>
R CallSlot(IMessageProcessor* processor, int slot, A... args)
{
  using Slot = R (*)(IMessageProcessor*, A...);
  void** table = *reinterpret_cast<void***>(processor);
  return reinterpret_cast<Slot>(table[slot])(processor, args...);
}

ITestProcessorControl* ProcessorControlOf(HMODULE module)
{
  auto entry = reinterpret_cast<TTestProcessorControlEntry>(GetProcAddress(module, "TestProcessorControl"));
  return entry ? entry() : nullptr;
}

}  // namespace

TEST(ProcessorContract, EverySlotInItsPlace)
{
  TMessageProcessor holder("testmp.mp");
  ITestProcessorControl* control = ProcessorControlOf(holder.Module);
  ASSERT_NE(control, nullptr);
  control->Reset();
  IMessageProcessor* p = holder.Processor.Get();

  // The result area comes first; an own message keeps its "-".
  ProcessedMessage result{9, nullptr};
  const UserID key("-0;2;5");
  CallSlot(p, 3, &result, &key, mkRtf, "salut");
  EXPECT_EQ(result.Kind, mkRtf);
  EXPECT_STREQ(result.Text, "[mp] salut");
  EXPECT_STREQ(CallSlot<const char*>(p, 4), "Préfixe de test");
  EXPECT_STREQ(CallSlot<const char*>(p, 5), "Met un préfixe devant chaque message");
  EXPECT_STREQ(CallSlot<const char*>(p, 6), "Auteur de test");
  EXPECT_EQ(CallSlot<std::int32_t>(p, 7), 1);
  EXPECT_EQ(control->Journal(), (std::vector<std::string>{"Process(-0;2;5,1,salut)", "GetName", "GetDescription",
                                                          "GetAuthor", "GetVersion"}));
}

TEST(ProcessorContract, AnAnswerLivesUntilTheNextProcess)
{
  TMessageProcessor holder("testmp.mp");
  ProcessorControlOf(holder.Module)->Reset();
  const UserID key("0;0;1");
  ProcessedMessage first{};
  holder.Processor->Process(&first, &key, mkText, "un");
  ProcessedMessage second{};
  holder.Processor->Process(&second, &key, mkText, "deux");
  EXPECT_STREQ(second.Text, "[mp] deux");
  // The first answer was freed (reading it now is what the sanitizer reports).
  EXPECT_FALSE(ProcessorControlOf(holder.Module)->IsLiveAnswer(first.Text));
  EXPECT_TRUE(ProcessorControlOf(holder.Module)->IsLiveAnswer(second.Text));
}

TEST(ProcessorContract, AFailingProcessLeavesTheResultAreaAsItWas)
{
  TCDebugWindow console;
  TMessageProcessor holder("testmp_fails.mp");
  const UserID key("0;0;1");
  ProcessedMessage result{mkHtml, nullptr};
  holder.Processor->Process(&result, &key, mkText, "salut");
  EXPECT_EQ(result.Kind, mkHtml);
  EXPECT_EQ(result.Text, nullptr);
  EXPECT_EQ(console.Lines, (std::vector<TCDebugLine>{{"testmp_fails.mp", 1, "Process : Échec simulé de Process"}}));
}

TEST(ProcessorHolder, RefusesWhatIsNoProcessor)
{
  auto failure = [](const char* file) -> std::string {
    try {
      TMessageProcessor holder(file);
    } catch (const Exception& e) {
      return e.Message();
    }
    return {};
  };
  EXPECT_EQ(failure("absent.mp"), "Impossible de charger la DLL");
  EXPECT_EQ(failure("testmp_nocreate.mp"), "Ce n'est pas un plugin Message Coirvane 2.1");
  EXPECT_EQ(failure("testnet.net"), "Ce n'est pas un plugin Message Coirvane 2.1");
}
