// File search: FindFirst, FindNext and FindClose over one folder.
//
// A pattern is a path whose last part may hold "*" (any run of characters) and
// "?" (exactly one character); "*.*" matches every name, with or without a
// dot. Names are matched without regard to ASCII case, as the original
// platform's file systems did, so "*.NET" finds "tcp.net".
//
// Attributes: faDirectory for folders; faHidden for names starting with "."
// (but not for "." and ".."); faReadOnly for files that nobody may write (no
// write permission bit; folders never carry it, their permissions say nothing
// about their files); faArchive for regular files; faSysFile for anything that is neither
// a regular file nor a folder (devices, sockets, pipes, dangling links).
// A search returns an entry only when the entry has no attribute among
// faHidden, faSysFile and faDirectory that the search did not ask for: a search
// without faDirectory skips folders, and one with faDirectory reports "." and
// ".." like any folder.
//
// Entries come in a fixed order: "." and "..", then the names sorted without
// regard to case (then byte by byte), so plug-ins load in the same order on
// every machine. The folder is read at FindFirst; later changes are not seen.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/base/Types.h"

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchState;

struct TSearchRec {
  // Last modification, as a packed local date and time: bits 25-31 year - 1980,
  // 21-24 month, 16-20 day, 11-15 hours, 5-10 minutes, 0-4 seconds / 2. The
  // date conversions turn it into a TDateTime (FileDateToDateTime).
  Integer Time = 0;
  Int64 Size = 0;
  Integer Attr = 0;
  std::string Name;
  Integer ExcludeAttr = 0;
  std::shared_ptr<TSearchState> FindHandle;
};

// Starts a search; 0 and the first entry in rec, or an error code
// (ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND when the
// folder does not exist).
Integer FindFirst(std::string_view path, Integer attr, TSearchRec& rec);
// The next entry: 0, or ERROR_NO_MORE_FILES at the end.
Integer FindNext(TSearchRec& rec);
// Ends the search and frees its state.
void FindClose(TSearchRec& rec);

// Whether a name matches a pattern of "*" and "?", ASCII case ignored.
bool MatchesFilePattern(std::string_view name, std::string_view pattern);

// A time_t as the packed local date and time of TSearchRec.Time.
Integer PackFileTime(long long unixSeconds);
