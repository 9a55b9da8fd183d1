// A settings store that keeps its values in memory, each under its full path
// (the store's root path and the value's path), as text: integers in
// decimal, floats in their shortest exact form with a decimal point, binary
// blocks in hexadecimal. A folder is a path with values below it.
//
// Paths are compared exactly, case included: the element names of a set of
// characters ("Char_a", "Char_A") differ only in case.
#pragma once

#include <map>

#include "controls/utility/storage/UtAppStorage.h"

class TUtMemoryAppStorage : public TUtCustomAppStorage {
public:
  using TUtCustomAppStorage::TUtCustomAppStorage;

  void EnumFoldersRaw(const std::string& Path, std::vector<std::string>& Names) override;
  void EnumValuesRaw(const std::string& Path, std::vector<std::string>& Names) override;
  // Flag is not needed here: a store of values has no empty folders.
  bool IsFolderRaw(const std::string& Path, bool Flag) override;
  bool PathExistsRaw(const std::string& Path) override;
  bool ValueExistsRaw(const std::string& Path) override;
  void DeleteValueRaw(const std::string& Path) override;
  void DeleteTreeRaw(const std::string& Path) override;
  // A stored text that is no number raises EConvertError.
  std::int32_t ReadIntegerRaw(const std::string& Path, std::int32_t Default) override;
  void WriteIntegerRaw(const std::string& Path, std::int32_t Value) override;
  double ReadFloatRaw(const std::string& Path, double Default) override;
  void WriteFloatRaw(const std::string& Path, double Value) override;
  std::string ReadStringRaw(const std::string& Path, const std::string& Default) override;
  void WriteStringRaw(const std::string& Path, const std::string& Value) override;
  // Copies at most Size bytes and answers how many; 0 for a missing value.
  int ReadBinaryRaw(const std::string& Path, void* Buffer, int Size) override;
  void WriteBinaryRaw(const std::string& Path, const void* Buffer, int Size) override;

  using TValueMap = std::map<std::string, std::string>;
  // Every value under its full path.
  const TValueMap& Values() const { return FValues; }

protected:
  // Called after every change of the values.
  virtual void Changed() {}
  TValueMap FValues;

private:
  void Put(const std::string& Path, std::string Text);
  const std::string* Find(const std::string& Path) const;
  // The children of a full path: names of values (Folders false) or folders.
  void Children(const std::string& Path, bool Folders, std::vector<std::string>& Names) const;
};
