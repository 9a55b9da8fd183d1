// The types of the plug-in contract.
#pragma once

struct INetwork;
struct INetworkInput;
struct IMessageInput;
struct IMessageProcessor;
struct ProcessedMessage;
class TNetwork;
class TMessageProcessor;
class TMessageInput;
