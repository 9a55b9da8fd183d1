// TMessageInput attaches to the running host: here, the test executable,
// which exports CreateMessageInput (FakeHost.cpp).
#include <gtest/gtest.h>

#include "api/MessageInput.h"
#include "api/MessageProcessor.h"
#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"
#include "tests/api/FakeHost.h"
#include "tests/fixtures/testmp/TestProcessorControl.h"

TEST(MessageInput, AttachesToTheRunningHostAndGivesBackWhatItTook)
{
  HMODULE program = GetModuleHandle(nullptr);
  const int loads = GetModuleLoadCount(program);
  fake_host::Calls().clear();
  {
    TMessageInput input;
    EXPECT_EQ(input.HostModule, program);
    ASSERT_TRUE(input.HostInput);
    EXPECT_EQ(GetModuleLoadCount(program), loads + 1);
    EXPECT_EQ(fake_host::LiveObjects(), 1);
    input.HostInput->AddLog("Bonjour");
    ShortString nick;
    const UserID key("0;1;2");
    input.HostInput->GetContactName(&nick, &key);
    EXPECT_EQ(nick.str(), "Bob");
  }
  EXPECT_EQ(fake_host::Calls(), (std::vector<std::string>{"AddLog(Bonjour)", "GetContactName(0;1;2)"}));
  EXPECT_EQ(fake_host::LiveObjects(), 0);
  EXPECT_EQ(GetModuleLoadCount(program), loads);
}

TEST(MessageInput, FailsWithTheSystemTextsAndKeepsNothing)
{
  HMODULE program = GetModuleHandle(nullptr);
  const int loads = GetModuleLoadCount(program);
  EXPECT_EQ(fake_host::FailureOf([] { TMessageInput input("absent_module"); }), "Impossible de charger Corvane");

  // A module without the export (kept loaded meanwhile to read its count).
  HMODULE other = LoadLibrary("testmp.mp");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(fake_host::FailureOf([] { TMessageInput input("testmp.mp"); }), "Ce n'est pas le bon Executable Corvane");
  EXPECT_EQ(GetModuleLoadCount(other), 1);
  FreeLibrary(other);

  fake_host::SetRefuseMessageInput(true);
  EXPECT_EQ(fake_host::FailureOf([] { TMessageInput input; }), "Corvane n'a pas fourni son interface de messages");
  fake_host::SetRefuseMessageInput(false);
  EXPECT_EQ(GetModuleLoadCount(program), loads);
  EXPECT_EQ(fake_host::LiveObjects(), 0);
}

TEST(MessageInput, APlugInReachesTheHostThroughItsOwnCopy)
{
  HMODULE program = GetModuleHandle(nullptr);
  const int loads = GetModuleLoadCount(program);
  fake_host::Calls().clear();
  TMessageProcessor holder("testmp.mp");
  auto entry = reinterpret_cast<TTestProcessorControlEntry>(GetProcAddress(holder.Module, "TestProcessorControl"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry()->HostAddLog("Quenby - Chargement des Smileys..."), "");
  EXPECT_EQ(fake_host::Calls(), std::vector<std::string>{"AddLog(Quenby - Chargement des Smileys...)"});
  EXPECT_EQ(fake_host::LiveObjects(), 0);
  EXPECT_EQ(GetModuleLoadCount(program), loads);
}
