// The api tests play the host: the test executable exports CreateMessageInput
// and CreateNetworkInput, whose objects record every call they receive.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/Exception.h"

namespace fake_host {

// "ReceiveMessage(0;1;2,45000.5,salut,1)", "AddLog(...)", ...
std::vector<std::string>& Calls();
// Objects handed out and not yet freed.
int LiveObjects();
// Makes CreateMessageInput leave its variable empty.
void SetRefuseMessageInput(bool Refuse);

// The message of the Exception that Create throws; empty when it throws none.
inline std::string FailureOf(const std::function<void()>& Create)
{
  try {
    Create();
  } catch (const Exception& e) {
    return e.Message();
  }
  return {};
}

}  // namespace fake_host
