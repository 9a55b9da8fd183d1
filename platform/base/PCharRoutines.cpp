#include "platform/base/PCharRoutines.h"

#include <cstring>

namespace {

// Each block starts with its size, so StrBufSize and StrDispose can find it.
constexpr std::size_t Header = sizeof(std::max_align_t);

unsigned char Upper(char c)
{
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? u - 32 : u;
}

}  // namespace

Cardinal StrLen(const char* Str) { return Str ? Cardinal(std::strlen(Str)) : 0; }
char* StrEnd(const char* Str) { return const_cast<char*>(Str + StrLen(Str)); }
std::string StrPas(const char* Str) { return Str ? std::string(Str) : std::string(); }

char* StrAlloc(Cardinal Size)
{
  char* block = new char[Header + Size + 1];
  std::memcpy(block, &Size, sizeof(Size));
  char* text = block + Header;
  text[0] = 0;
  return text;
}

Cardinal StrBufSize(const char* Str)
{
  if (!Str)
    return 0;
  Cardinal size;
  std::memcpy(&size, Str - Header, sizeof(size));
  return size;
}

char* StrNew(const char* Str)
{
  if (!Str || !*Str)
    return nullptr;
  Cardinal length = StrLen(Str);
  char* copy = StrAlloc(length + 1);
  std::memcpy(copy, Str, length + 1);
  return copy;
}

void StrDispose(char* Str)
{
  if (Str)
    delete[] (Str - Header);
}

char* StrCopy(char* Dest, const char* Source)
{
  std::memmove(Dest, Source, StrLen(Source) + 1);
  return Dest;
}

char* StrLCopy(char* Dest, const char* Source, Cardinal MaxLen)
{
  Cardinal n = 0;
  while (n < MaxLen && Source && Source[n]) {
    Dest[n] = Source[n];
    ++n;
  }
  Dest[n] = 0;
  return Dest;
}

char* StrPCopy(char* Dest, std::string_view Source)
{
  std::memcpy(Dest, Source.data(), Source.size());
  Dest[Source.size()] = 0;
  return Dest;
}

char* StrPLCopy(char* Dest, std::string_view Source, Cardinal MaxLen)
{
  return StrPCopy(Dest, Source.substr(0, MaxLen));
}

char* StrCat(char* Dest, const char* Source)
{
  StrCopy(StrEnd(Dest), Source);
  return Dest;
}

int StrComp(const char* Str1, const char* Str2) { return StrLComp(Str1, Str2, ~Cardinal(0)); }
int StrIComp(const char* Str1, const char* Str2) { return StrLIComp(Str1, Str2, ~Cardinal(0)); }

int StrLComp(const char* Str1, const char* Str2, Cardinal MaxLen)
{
  Str1 = Str1 ? Str1 : "";
  Str2 = Str2 ? Str2 : "";
  for (Cardinal i = 0; i < MaxLen; ++i) {
    unsigned char a = static_cast<unsigned char>(Str1[i]), b = static_cast<unsigned char>(Str2[i]);
    if (a != b)
      return int(a) - int(b);
    if (a == 0)
      break;
  }
  return 0;
}

int StrLIComp(const char* Str1, const char* Str2, Cardinal MaxLen)
{
  Str1 = Str1 ? Str1 : "";
  Str2 = Str2 ? Str2 : "";
  for (Cardinal i = 0; i < MaxLen; ++i) {
    unsigned char a = Upper(Str1[i]), b = Upper(Str2[i]);
    if (a != b)
      return int(a) - int(b);
    if (a == 0)
      break;
  }
  return 0;
}

char* StrScan(const char* Str, char Chr)
{
  if (!Str)
    return nullptr;
  for (const char* p = Str;; ++p) {
    if (*p == Chr)
      return const_cast<char*>(p);
    if (*p == 0)
      return nullptr;
  }
}

char* StrRScan(const char* Str, char Chr)
{
  if (!Str)
    return nullptr;
  const char* found = nullptr;
  for (const char* p = Str;; ++p) {
    if (*p == Chr)
      found = p;
    if (*p == 0)
      return const_cast<char*>(found);
  }
}

char* StrPos(const char* Str1, const char* Str2)
{
  if (!Str1 || !Str2 || !*Str2)
    return nullptr;
  return const_cast<char*>(std::strstr(Str1, Str2));
}
