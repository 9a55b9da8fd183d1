// A settings store kept in a text file, written whole and crash-safely after
// every change (or once at the end of an update block).
//
// File format (version 1), UTF-8, one value a line:
//   ; comment lines start with ";" or "#"; blank lines are ignored
//   Forms\Main\Width=640
//   Forms\Main\Caption=Fenêtre principale
// The text before the first "=" is the value's full path, the rest its value.
// In both, "%" followed by two hexadecimal digits stands for that byte: the
// writer escapes "%", control characters and DEL, "=" in paths, and a ";" or
// "#" that would begin a line. A line without "=", an empty path, or a broken
// escape (kept as written) never stops the reading; a later line for the same
// path wins. Files larger than 16 MiB are refused.
#pragma once

#include "controls/utility/storage/UtMemoryAppStorage.h"

class TUtFileAppStorage : public TUtMemoryAppStorage {
public:
  // Reads the file when it exists; a missing file is an empty store.
  explicit TUtFileAppStorage(const std::string& FileName = {}, TComponent* AOwner = nullptr);
  // Writes what an unfinished update block still holds; a failure then can
  // only be dropped, so finish update blocks to learn of write errors.
  ~TUtFileAppStorage() override;

  const std::string& FileName() const { return FFileName; }
  // Switches to another file and reads it.
  void SetFileName(const std::string& Value);
  // Reads the file again, dropping unsaved changes.
  void Reload();
  // Writes every value to the file now.
  void Flush();
  // Changes between BeginUpdate and the matching EndUpdate are written once.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // The file's text for the values, and the values of a file's text.
  static std::string Serialize(const TValueMap& Values);
  static void Parse(std::string_view Text, TValueMap& Values);

  static constexpr std::size_t MaxFileSize = std::size_t(16) << 20;

protected:
  void Changed() override;

private:
  std::string FFileName;
  int FUpdateCount = 0;
  bool FDirty = false;
};
