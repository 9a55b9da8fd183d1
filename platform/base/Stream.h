// TStream: the abstract byte stream of the class library. Read and Write move
// at most Count bytes and answer how many moved; ReadBuffer and WriteBuffer
// insist on all of them and raise EReadError ("Erreur de lecture du flux") or
// EWriteError ("Erreur d'écriture du flux") otherwise. Values written with
// WriteValue and read with ReadValue are little-endian whatever the machine.
#pragma once

#include <bit>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "platform/base/Object.h"
#include "platform/base/Types.h"

inline constexpr WORD soFromBeginning = 0;
inline constexpr WORD soFromCurrent = 1;
inline constexpr WORD soFromEnd = 2;

// Scoped, so that Seek(0, soBeginning) never competes with the 32-bit form.
enum class TSeekOrigin { soBeginning, soCurrent, soEnd };
inline constexpr TSeekOrigin soBeginning = TSeekOrigin::soBeginning;
inline constexpr TSeekOrigin soCurrent = TSeekOrigin::soCurrent;
inline constexpr TSeekOrigin soEnd = TSeekOrigin::soEnd;

class TStream : public TObject {
public:
  virtual Integer Read(void* Buffer, Integer Count) = 0;
  virtual Integer Write(const void* Buffer, Integer Count) = 0;
  // The 64-bit form is the one descendants implement; the 32-bit form calls it.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  Integer Seek(Integer Offset, WORD Origin);

  void ReadBuffer(void* Buffer, Integer Count);
  void WriteBuffer(const void* Buffer, Integer Count);
  // Copies Count bytes from Source's position; 0 copies the whole of Source
  // from its start. Answers the number of bytes copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);

  Int64 Position() { return Seek(Int64(0), soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize);

  template <class T>
    requires std::is_arithmetic_v<T>
  T ReadValue()
  {
    unsigned char bytes[sizeof(T)];
    ReadBuffer(bytes, Integer(sizeof(T)));
    if constexpr (std::endian::native == std::endian::big)
      Reverse(bytes, sizeof(T));
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

  template <class T>
    requires std::is_arithmetic_v<T>
  void WriteValue(T value)
  {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
      Reverse(bytes, sizeof(T));
    WriteBuffer(bytes, Integer(sizeof(T)));
  }

private:
  static void Reverse(unsigned char* bytes, std::size_t n)
  {
    for (std::size_t i = 0; i < n / 2; ++i)
      std::swap(bytes[i], bytes[n - 1 - i]);
  }
};
