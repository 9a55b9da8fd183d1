// An abstract, hierarchical store of named settings. Values live at paths of
// names separated by "\"; parts of the name space can be handed to other
// stores (sub-storages); typed reads and writes of integers, floats, strings,
// booleans, date-times, binary blocks, enumerations and sets are built on
// fifteen primitives that a concrete store supplies (see TUtMemoryAppStorage
// and TUtFileAppStorage). Everything runs on the caller's thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/utility/UtComponent.h"
#include "controls/utility/storage/UtAppStorageOptions.h"
#include "controls/utility/storage/UtAppSubStorages.h"
#include "platform/base/DateTime.h"
#include "platform/base/Method.h"
#include "platform/classes/typinfo/TypInfo.h"

class TUtCustomAppStorage;
using TUtAppStoragePropTranslateEvent =
    Method<void(TUtCustomAppStorage* Sender, TPersistent* Instance, std::string& Name, bool Reading)>;
using TUtAppStorageCryptEvent = Method<void(std::string& Value)>;

class TUtCustomAppStorage : public TUtComponent {
public:
  explicit TUtCustomAppStorage(TComponent* AOwner = nullptr);
  ~TUtCustomAppStorage() override;

  // One normalised path: restarts at the last element beginning with "\",
  // drops empty names, and lets a name of n dots remove n - 1 names before it.
  static std::string JoinPaths(const std::vector<std::string>& Paths);

  const std::string& RootPath() const { return FRootPath; }
  void SetRootPath(const std::string& Value) { FRootPath = Value; }
  const std::string& CurrentPath() const { return FCurrentPath; }
  void SetCurrentPath(const std::string& Value) { FCurrentPath = Value; }

  TUtCustomAppStorageOptions* StorageOptions();
  // Copies the other object's values into this store's own options; nil or
  // the store's own object does nothing.
  void SetStorageOptions(TUtCustomAppStorageOptions* Value);
  TUtAppSubStorages* SubStorages() { return FSubStorages.get(); }

  TUtAppStoragePropTranslateEvent OnTranslatePropertyName;  // kept, never called here
  TUtAppStorageCryptEvent OnEncryptPropertyValue;
  TUtAppStorageCryptEvent OnDecryptPropertyValue;
  // Values pass through the crypt events only while the level is above 0.
  void EnablePropertyValueCrypt() { ++FCryptLevel; }
  void DisablePropertyValueCrypt() { --FCryptLevel; }
  bool IsPropertyValueCryptEnabled() const { return FCryptLevel > 0; }
  std::string EncryptValue(const std::string& Value);
  std::string DecryptValue(const std::string& Value);

  // The store that holds Path and the path within it ("\" + the rest).
  void ResolveStoragePath(const std::string& Path, std::string& TargetPath, TUtCustomAppStorage*& TargetStore);
  // RootPath + "\" + JoinPaths([CurrentPath, Path]) without leading "\".
  std::string FullPath(const std::string& Path) const;
  virtual void SplitValuePath(const std::string& Path, std::string& KeyPath, std::string& ValueName);

  // Public operations: each resolves its path and asks the store that holds it.
  bool IsFolder(const std::string& Path, bool Flag = true);
  bool ValueExists(const std::string& Path);
  void DeleteTree(const std::string& Path);
  std::int32_t ReadInteger(const std::string& Path, std::int32_t Default);
  void WriteInteger(const std::string& Path, std::int32_t Value);
  std::string ReadString(const std::string& Path, const std::string& Default);
  void WriteString(const std::string& Path, const std::string& Value);

  // Typed operations on resolved paths.
  virtual TDateTime ReadDateTimeRaw(const std::string& Path, TDateTime Default);
  virtual void WriteDateTimeRaw(const std::string& Path, TDateTime Value);
  virtual bool ReadBooleanRaw(const std::string& Path, bool Default);
  virtual void WriteBooleanRaw(const std::string& Path, bool Value);
  virtual std::int32_t ReadIntegerValue(const std::string& Path, std::int32_t Default);
  virtual void WriteIntegerValue(const std::string& Path, std::int32_t Value);
  virtual double ReadFloatValue(const std::string& Path, double Default);
  virtual void WriteFloatValue(const std::string& Path, double Value);
  virtual std::string ReadStringValue(const std::string& Path, const std::string& Default);
  virtual void WriteStringValue(const std::string& Path, const std::string& Value);
  virtual int ReadBinaryValue(const std::string& Path, void* Buffer, int Size);
  virtual void WriteBinaryValue(const std::string& Path, const void* Buffer, int Size);
  virtual TDateTime ReadDateTimeValue(const std::string& Path, TDateTime Default);
  virtual void WriteDateTimeValue(const std::string& Path, TDateTime Value);
  virtual bool ReadBooleanValue(const std::string& Path, bool Default);
  virtual void WriteBooleanValue(const std::string& Path, bool Value);
  // Default and Value are the ordinal in memory, of its type's ordinal size.
  virtual void ReadEnumerationValue(const std::string& Path, PTypeInfo TypeInfo, const void* Default, void* Value);
  virtual void WriteEnumerationValue(const std::string& Path, PTypeInfo TypeInfo, const void* Value);
  // Default and Value are set bitmaps of SetTypeSize(TypeInfo) bytes.
  virtual void ReadSetValue(const std::string& Path, PTypeInfo TypeInfo, const void* Default, void* Value);
  virtual void WriteSetValue(const std::string& Path, PTypeInfo TypeInfo, const void* Value);
  virtual std::string CharElementName(int Code);
  virtual std::string IntegerElementName(int N);

  // Typed enumeration and set access that resolves the path first.
  template <class E>
  E ReadEnum(const std::string& Path, E Default);
  template <class E>
  void WriteEnum(const std::string& Path, E Value);
  template <class E>
  Set<E> ReadSet(const std::string& Path, const Set<E>& Default);
  template <class E>
  void WriteSet(const std::string& Path, const Set<E>& Value);

  // The primitives of a concrete store; paths are resolved, and the store's
  // own root path applies (see FullPath). The first, second, fourth and sixth
  // are called by nothing here.
  virtual void EnumFoldersRaw(const std::string& Path, std::vector<std::string>& Names) = 0;
  virtual void EnumValuesRaw(const std::string& Path, std::vector<std::string>& Names) = 0;
  virtual bool IsFolderRaw(const std::string& Path, bool Flag) = 0;
  virtual bool PathExistsRaw(const std::string& Path) = 0;
  virtual bool ValueExistsRaw(const std::string& Path) = 0;
  virtual void DeleteValueRaw(const std::string& Path) = 0;
  virtual void DeleteTreeRaw(const std::string& Path) = 0;
  virtual std::int32_t ReadIntegerRaw(const std::string& Path, std::int32_t Default) = 0;
  virtual void WriteIntegerRaw(const std::string& Path, std::int32_t Value) = 0;
  virtual double ReadFloatRaw(const std::string& Path, double Default) = 0;
  virtual void WriteFloatRaw(const std::string& Path, double Value) = 0;
  virtual std::string ReadStringRaw(const std::string& Path, const std::string& Default) = 0;
  virtual void WriteStringRaw(const std::string& Path, const std::string& Value) = 0;
  virtual int ReadBinaryRaw(const std::string& Path, void* Buffer, int Size) = 0;
  virtual void WriteBinaryRaw(const std::string& Path, const void* Buffer, int Size) = 0;

  // Whether Store is among this store's sub-storages, at any depth.
  bool HasSubStorage(const TUtCustomAppStorage* Store) const;

protected:
  // The options object that the store makes for itself.
  virtual std::unique_ptr<TUtCustomAppStorageOptions> OptionsClass() const;
  // A store that sub-storage items hand paths to takes its items with it.
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool IsMissing(const std::string& Path);
  void EnumerationRangeCheck(PTypeInfo TypeInfo, std::int64_t Value);

  std::string FRootPath;
  std::string FCurrentPath;
  std::unique_ptr<TUtCustomAppStorageOptions> FStorageOptions;
  std::unique_ptr<TUtAppSubStorages> FSubStorages;
  int FCryptLevel = 0;
};

#include "controls/utility/storage/UtAppStorageTyped.inl"
