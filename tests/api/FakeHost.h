// The api tests play the host: the test executable exports CreateMessageInput
// and CreateNetworkInput, whose objects record every call they receive.
#pragma once

#include <string>
#include <vector>

namespace fake_host {

// "ReceiveMessage(0;1;2,45000.5,salut,1)", "AddLog(...)", ...
std::vector<std::string>& Calls();
// Objects handed out and not yet freed.
int LiveObjects();
// Makes CreateMessageInput leave its variable empty.
void SetRefuseMessageInput(bool Refuse);

}  // namespace fake_host
