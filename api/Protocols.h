// The network interface that every network plug-in ("*.net") implements, its
// entry point, and the host's holder of one loaded network plug-in.
#pragma once

#include <cstdint>
#include <string>

#include "api/ContractTypes.h"
#include "platform/base/Interface.h"
#include "platform/base/Object.h"

// Slots 3 to 22, in this order after the three counting slots. Texts returned
// stay owned by the plug-in and valid until its next call on the interface; a
// null text reads as an empty one. A slot whose work fails inside the plug-in
// answers 0, a null text, or leaves its result area as the caller filled it.
struct INetwork : IUnknown {
  static constexpr GUID IID = {};

  virtual void Configure() = 0;
  virtual void Connect() = 0;
  virtual void Disconnect() = 0;
  virtual void Start() = 0;
  virtual void BuildGroupMenu(std::int32_t Group) = 0;
  virtual void BuildContactMenu(std::int32_t Group, std::int32_t Contact) = 0;
  virtual PresenceStatus GetStatus() = 0;
  virtual const char* GetName() = 0;
  virtual const char* GetAuthor() = 0;
  virtual std::int32_t GetVersion() = 0;
  virtual std::int32_t GetContactCount(std::int32_t Group) = 0;
  virtual std::int32_t GetGroupCount() = 0;
  virtual const char* GetContactName(std::int32_t Group, std::int32_t Contact) = 0;
  virtual const char* GetGroupName(std::int32_t Group) = 0;
  virtual PresenceStatus GetContactStatus(std::int32_t Group, std::int32_t Contact) = 0;
  virtual void SendToContact(std::int32_t Group, std::int32_t Contact, const char* Message) = 0;
  virtual void SetStatus(std::int32_t Status) = 0;
  virtual void SetIndex(std::int32_t Index) = 0;
  virtual void SetModule(HMODULE Module) = 0;
  // Writes the key of the contact behind an outside address into Result.
  virtual void AddressToUserID(UserID* Result, const ShortString* Address) = 0;

protected:
  ~INetwork() = default;
};

// The export "CreateNetwork": stores one counted reference in *Intf, or leaves
// it empty when the plug-in could not create its object.
using TCreateNetwork = void (*)(INetwork** Intf);

// One loaded network plug-in. Creation loads the file and obtains the
// interface, raising Exception with the system's texts on failure (and
// freeing what it took); destruction releases the interface, then the module.
class TNetwork : public TObject {
public:
  explicit TNetwork(const std::string& FileName);
  ~TNetwork() override;
  TNetwork(const TNetwork&) = delete;
  TNetwork& operator=(const TNetwork&) = delete;

  HMODULE Module = nullptr;
  TCreateNetwork Entry = nullptr;
  InterfacePtr<INetwork> Network;
};
