#include "platform/base/CodePage.h"

#include "platform/base/LastError.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <mutex>
#include <vector>

namespace {

struct PageName {
  UINT Page;
  const char* Name;
};

// The pages the system reaches, with the iconv name of each.
constexpr PageName PageNames[] = {
    {874, "CP874"},          {932, "CP932"},          {936, "CP936"},          {949, "CP949"},
    {950, "CP950"},          {1250, "CP1250"},        {1251, "CP1251"},        {1252, "CP1252"},
    {1253, "CP1253"},        {1254, "CP1254"},        {1255, "CP1255"},        {1256, "CP1256"},
    {1257, "CP1257"},        {1258, "CP1258"},        {1361, "CP1361"},        {10000, "MACINTOSH"},
    {20127, "ASCII"},        {20932, "EUC-JP"},       {28591, "ISO-8859-1"},   {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},   {28594, "ISO-8859-4"},   {28595, "ISO-8859-5"},   {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},   {28598, "ISO-8859-8"},   {28599, "ISO-8859-9"},   {28603, "ISO-8859-13"},
    {28605, "ISO-8859-15"},  {50220, "ISO-2022-JP"},  {50221, "ISO-2022-JP-3"}, {50222, "ISO-2022-JP-3"},
};

// The page behind the pseudo pages (0 to 3).
UINT RealPage(UINT page)
{
  switch (page) {
  case CP_ACP:
  case CP_OEMCP:
  case CP_THREAD_ACP:
    return CP_UTF8;
  case CP_MACCP:
    return 10000;
  default:
    return page;
  }
}

const char* IconvName(UINT page)
{
  for (const auto& entry : PageNames)
    if (entry.Page == page)
      return entry.Name;
  return nullptr;
}

// Whether iconv serves the page in both directions; asked once per page.
bool IconvHas(UINT page)
{
  static std::mutex lock;
  static std::map<UINT, bool> known;
  std::lock_guard<std::mutex> guard(lock);
  auto found = known.find(page);
  if (found != known.end())
    return found->second;
  bool ok = false;
  if (const char* name = IconvName(page)) {
    iconv_t to = iconv_open("UTF-32LE", name);
    iconv_t from = iconv_open(name, "UTF-32LE");
    ok = to != iconv_t(-1) && from != iconv_t(-1);
    if (to != iconv_t(-1))
      iconv_close(to);
    if (from != iconv_t(-1))
      iconv_close(from);
  }
  known[page] = ok;
  return ok;
}

bool PageKnown(UINT page)
{
  page = RealPage(page);
  return page == CP_UTF8 || IconvHas(page);
}

char32_t ReadUtf32(const char* p)
{
  auto b = [&](int i) { return char32_t(static_cast<unsigned char>(p[i])); };
  return b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24);
}

// Decodes through iconv; every byte iconv refuses becomes U+FFFD.
WideString IconvDecode(UINT page, std::string_view text, bool& invalid)
{
  WideString result;
  iconv_t cd = iconv_open("UTF-32LE", IconvName(page));
  if (cd == iconv_t(-1))
    return result;
  result.reserve(text.size());
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char buffer[1024];
  auto flush = [&](char* end) {
    for (char* p = buffer; p + 4 <= end; p += 4)
      AppendUtf16(result, ReadUtf32(p));
  };
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof(buffer);
    std::size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
    flush(out);
    if (done == std::size_t(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL (a sequence cut by the end): one byte is given up.
      invalid = true;
      AppendUtf16(result, ReplacementChar);
      ++in;
      --inLeft;
    }
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  iconv_close(cd);
  return result;
}

std::string IconvEncode(UINT page, std::u16string_view text, char defaultChar, bool& usedDefault)
{
  std::string result;
  iconv_t cd = iconv_open(IconvName(page), "UTF-32LE");
  if (cd == iconv_t(-1))
    return result;
  // Whole characters in UTF-32, lone surrogates already replaced.
  std::string units;
  units.reserve(text.size() * 4);
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t c = DecodeUtf16Char(text, pos);
    for (int i = 0; i < 4; ++i)
      units += char((c >> (8 * i)) & 0xFF);
  }
  char* in = units.data();
  std::size_t inLeft = units.size();
  char buffer[1024];
  for (;;) {
    char* out = buffer;
    std::size_t outLeft = sizeof(buffer);
    std::size_t done = inLeft > 0 ? iconv(cd, &in, &inLeft, &out, &outLeft)
                                   : iconv(cd, nullptr, nullptr, &out, &outLeft);
    result.append(buffer, std::size_t(out - buffer));
    if (done != std::size_t(-1) && inLeft == 0) {
      if (out == buffer)
        break;  // the shift state is back to its start
      continue;
    }
    if (done == std::size_t(-1) && errno != E2BIG) {
      // A character the page cannot show.
      usedDefault = true;
      char* dout = buffer;
      std::size_t dleft = sizeof(buffer);
      // Return to the initial shift state before the plain default byte.
      iconv(cd, nullptr, nullptr, &dout, &dleft);
      result.append(buffer, std::size_t(dout - buffer));
      result += defaultChar;
      in += 4;
      inLeft -= 4;
    }
  }
  iconv_close(cd);
  return result;
}

// Failures leave their reason for GetLastError and answer 0.
int Fail(DWORD code)
{
  SetLastError(code);
  return 0;
}

}  // namespace

UINT GetACP() { return CP_UTF8; }
UINT GetOEMCP() { return CP_UTF8; }

BOOL IsValidCodePage(UINT CodePage)
{
  // The pseudo pages are not code pages of their own.
  if (CodePage <= CP_THREAD_ACP)
    return FALSE;
  return PageKnown(CodePage) ? TRUE : FALSE;
}

WideString CodePageToWide(UINT CodePage, std::string_view text, bool* ok)
{
  UINT page = RealPage(CodePage);
  bool known = PageKnown(page);
  if (ok)
    *ok = known;
  if (!known)
    return {};
  if (page == CP_UTF8)
    return UTF8Decode(text);
  bool invalid = false;
  return IconvDecode(page, text, invalid);
}

std::string WideToCodePage(UINT CodePage, std::u16string_view text, bool* ok, char defaultChar, bool* usedDefault)
{
  UINT page = RealPage(CodePage);
  bool known = PageKnown(page);
  if (ok)
    *ok = known;
  if (usedDefault)
    *usedDefault = false;
  if (!known)
    return {};
  if (page == CP_UTF8)
    return UTF8Encode(text);
  bool used = false;
  std::string result = IconvEncode(page, text, defaultChar, used);
  if (usedDefault)
    *usedDefault = used;
  return result;
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar)
{
  if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
      (cchWideChar > 0 && !lpWideCharStr))
    return Fail(ERROR_INVALID_PARAMETER);
  UINT page = RealPage(CodePage);
  if (!PageKnown(page))
    return Fail(ERROR_INVALID_PARAMETER);
  std::size_t length = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : std::size_t(cbMultiByte);
  std::string_view text(lpMultiByteStr, length);
  WideString wide;
  bool invalid = false;
  if (page == CP_UTF8) {
    wide.reserve(length);
    for (std::size_t pos = 0; pos < text.size();) {
      bool valid = true;
      AppendUtf16(wide, DecodeUtf8Char(text, pos, &valid));
      invalid = invalid || !valid;
    }
  } else {
    wide = IconvDecode(page, text, invalid);
  }
  if (invalid && (dwFlags & MB_ERR_INVALID_CHARS))
    return Fail(ERROR_NO_UNICODE_TRANSLATION);
  if (cchWideChar == 0)
    return int(wide.size());
  if (wide.size() > std::size_t(cchWideChar))
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(lpWideCharStr, wide.data(), wide.size() * sizeof(char16_t));
  return int(wide.size());
}

int WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, BOOL* lpUsedDefaultChar)
{
  if (lpUsedDefaultChar)
    *lpUsedDefaultChar = FALSE;
  if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
      (cbMultiByte > 0 && !lpMultiByteStr))
    return Fail(ERROR_INVALID_PARAMETER);
  UINT page = RealPage(CodePage);
  if (!PageKnown(page))
    return Fail(ERROR_INVALID_PARAMETER);
  std::size_t length = 0;
  if (cchWideChar == -1) {
    while (lpWideCharStr[length])
      ++length;
    ++length;
  } else {
    length = std::size_t(cchWideChar);
  }
  bool used = false;
  char defaultChar = lpDefaultChar && *lpDefaultChar ? *lpDefaultChar : '?';
  std::string bytes = WideToCodePage(page, std::u16string_view(lpWideCharStr, length), nullptr, defaultChar, &used);
  if (lpUsedDefaultChar)
    *lpUsedDefaultChar = used ? TRUE : FALSE;
  if (cbMultiByte == 0)
    return int(bytes.size());
  if (bytes.size() > std::size_t(cbMultiByte))
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(lpMultiByteStr, bytes.data(), bytes.size());
  return int(bytes.size());
}

BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE b)
{
  switch (RealPage(CodePage)) {
  case 932:
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  case 936:
  case 949:
  case 950:
    return b >= 0x81 && b <= 0xFE;
  case 1361:
    return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
  default:
    return FALSE;
  }
}

LPSTR CharNextExA(WORD CodePage, LPCSTR lpCurrentChar, DWORD)
{
  if (!lpCurrentChar)
    return nullptr;
  LPSTR p = const_cast<LPSTR>(lpCurrentChar);
  if (*p == 0)
    return p;
  if (RealPage(CodePage) == CP_UTF8) {
    // A whole sequence, never past the terminating zero.
    std::size_t available = 1;
    while (available < 4 && p[available] != 0)
      ++available;
    std::size_t pos = 0;
    DecodeUtf8Char(std::string_view(p, available), pos);
    return p + pos;
  }
  if (IsDBCSLeadByteEx(CodePage, BYTE(*p)) && p[1] != 0)
    return p + 2;
  return p + 1;
}
