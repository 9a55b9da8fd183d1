// TFileStream: a stream over a named file, which it opens and closes. Names
// may use "\" or "/".
//
// Share modes hold between every stream of every process that opens the file
// through this class: a stream denying writers makes any later opening for
// writing fail (and the other way round). They are kept with open-file-
// description locks on bytes far past any real content, so they never block
// reading or writing the data itself. fmShareCompat counts as exclusive, and
// so does fmCreate without a share mode.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/HandleStream.h"

inline constexpr WORD fmCreate = 0xFF00;
inline constexpr WORD fmOpenRead = 0x0000;
inline constexpr WORD fmOpenWrite = 0x0001;
inline constexpr WORD fmOpenReadWrite = 0x0002;
inline constexpr WORD fmShareCompat = 0x0000;
inline constexpr WORD fmShareExclusive = 0x0010;
inline constexpr WORD fmShareDenyWrite = 0x0020;
inline constexpr WORD fmShareDenyRead = 0x0030;
inline constexpr WORD fmShareDenyNone = 0x0040;

class TFileStream : public THandleStream {
public:
  // Raises EFCreateError or EFOpenError ("Impossible d'ouvrir le fichier
  // <name>" with the reason on a second line).
  TFileStream(std::string_view FileName, WORD Mode);
  // Rights: the permission bits of a file that fmCreate makes (0666 by default,
  // less the process's mask).
  TFileStream(std::string_view FileName, WORD Mode, Cardinal Rights);
  ~TFileStream() override;

  const std::string& FileName() const { return FFileName; }

private:
  std::string FFileName;
  int FLockHandle = -1;  // the descriptor holding the share locks, when not FHandle
};
