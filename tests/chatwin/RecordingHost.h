// The chat library's tests play the host: the test program exports
// CreateMessageInput, whose objects record every call. Like the host, it
// echoes a sent text back to the library as the user's own message.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "api/ContractTypes.h"

namespace recording_host {

// "SendToContact(0;0;1,salut)", "ShowOwnMessage(...)", "AddLog(...)", ...
std::vector<std::string>& Calls();
// The answers of GetContactName and GetNetworkName.
std::string& ContactName();
std::string& NetworkName();
// Run by ShowOwnMessage with the key marked "-", as the host's receive path
// hands the user's own message to the library.
std::function<void(const UserID& MarkedKey, const std::string& Text)>& OwnMessageEcho();
// The calls that fail while named here ("GetContactName", ...): each raises
// "Échec simulé de " + its name; "CreateMessageInput" hands out no object.
std::set<std::string>& FailingCalls();
// Objects handed out and not yet freed.
int LiveObjects();

}  // namespace recording_host
