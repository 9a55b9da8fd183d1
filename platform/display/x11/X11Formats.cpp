#include "platform/display/x11/X11Formats.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "platform/base/Utf.h"
#include "platform/win/shell/DropFiles.h"

namespace x11 {

namespace {

const char* const HtmlFormat = "HTML Format";
const char* const RtfFormat = "Rich Text Format";

bool IsTextFormat(const std::string& f) { return f == "CF_UNICODETEXT" || f == "CF_TEXT" || f == "CF_OEMTEXT"; }

// CR LF (and lone CR) become LF for other programs.
std::string ToUnixLines(const std::string& s)
{
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n')
        ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Lone LF become CR LF for the layer.
std::string ToLayerLines(const std::string& s)
{
  std::string out;
  out.reserve(s.size() + s.size() / 16);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r'))
      out += '\r';
    out += s[i];
  }
  return out;
}

std::string UpToZero(const std::string& s) { return s.substr(0, s.find('\0')); }

std::string BytesUpToZero(const std::vector<unsigned char>& bytes)
{
  return UpToZero(std::string(bytes.begin(), bytes.end()));
}

// The layer's text of a text format as UTF-8.
std::string LayerText(const std::string& format, const std::vector<BYTE>& layer)
{
  if (format != "CF_UNICODETEXT")
    return BytesUpToZero(layer);
  std::u16string wide;
  for (std::size_t i = 0; i + 1 < layer.size(); i += 2) {
    char16_t c = char16_t(layer[i] | (layer[i + 1] << 8));
    if (!c)
      break;
    wide += c;
  }
  return UTF8Encode(wide);
}

void PutLayerText(const std::string& format, const std::string& utf8, std::vector<BYTE>& out)
{
  if (format == "CF_UNICODETEXT") {
    std::u16string wide = UTF8Decode(utf8);
    out.clear();
    out.reserve((wide.size() + 1) * 2);
    for (char16_t c : wide) {
      out.push_back(BYTE(c & 0xFF));
      out.push_back(BYTE(c >> 8));
    }
    out.push_back(0);
    out.push_back(0);
  } else {
    out.assign(utf8.begin(), utf8.end());
    out.push_back(0);
  }
}

std::string Latin1ToUtf8(const std::string& bytes)
{
  std::u16string wide;
  for (unsigned char c : bytes)
    wide += char16_t(c);
  return UTF8Encode(wide);
}

std::string Utf8ToLatin1(const std::string& utf8)
{
  std::string out;
  for (char16_t c : UTF8Decode(utf8))
    out += c < 0x100 ? char(c) : '?';
  return out;
}

// Bytes another program sent as text: UTF-16 when a byte-order mark says
// so, else UTF-8 (a UTF-8 mark dropped).
std::string DecodeForeignText(const std::vector<unsigned char>& x)
{
  if (x.size() >= 2 && ((x[0] == 0xFF && x[1] == 0xFE) || (x[0] == 0xFE && x[1] == 0xFF))) {
    bool little = x[0] == 0xFF;
    std::u16string wide;
    for (std::size_t i = 2; i + 1 < x.size(); i += 2)
      wide += little ? char16_t(x[i] | (x[i + 1] << 8)) : char16_t((x[i] << 8) | x[i + 1]);
    return UpToZero(UTF8Encode(wide));
  }
  std::string s = BytesUpToZero(x);
  if (s.size() >= 3 && s.compare(0, 3, "\xEF\xBB\xBF") == 0)
    s.erase(0, 3);
  return s;
}

// The offsets of an "HTML Format" header, -1 where missing; End is where
// the header's lines stop.
struct THtmlHeader {
  long long StartHtml = -1, EndHtml = -1, StartFragment = -1, EndFragment = -1;
  std::size_t End = 0;
};

THtmlHeader ParseHtmlHeader(const std::string& s)
{
  static const char* const Keys[] = {"Version",      "StartHTML",      "EndHTML",   "StartFragment",
                                     "EndFragment",  "StartSelection", "EndSelection", "SourceURL"};
  THtmlHeader h;
  std::size_t at = 0;
  while (at < s.size()) {
    std::size_t colon = s.find(':', at);
    std::size_t eol = s.find('\n', at);
    if (colon == std::string::npos || (eol != std::string::npos && colon > eol))
      break;
    std::string key = s.substr(at, colon - at);
    if (std::find(std::begin(Keys), std::end(Keys), key) == std::end(Keys))
      break;
    std::string value = s.substr(colon + 1, (eol == std::string::npos ? s.size() : eol) - colon - 1);
    long long number = 0;
    bool negative = !value.empty() && value[0] == '-';
    std::size_t digits = 0;
    for (std::size_t i = negative ? 1 : 0; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])) &&
                                          digits < 12;
         ++i, ++digits)
      number = number * 10 + (value[i] - '0');
    if (digits == 0 || negative)
      number = -1;
    if (key == "StartHTML")
      h.StartHtml = number;
    else if (key == "EndHTML")
      h.EndHtml = number;
    else if (key == "StartFragment")
      h.StartFragment = number;
    else if (key == "EndFragment")
      h.EndFragment = number;
    at = eol == std::string::npos ? s.size() : eol + 1;
  }
  h.End = at;
  return h;
}

// The HTML of an "HTML Format" block: the document its offsets name, else
// the fragment, else what follows the header.
std::string HtmlWithoutHeader(const std::string& block)
{
  THtmlHeader h = ParseHtmlHeader(block);
  long long size = static_cast<long long>(block.size());
  auto valid = [size](long long from, long long to) { return from >= 0 && from <= to && to <= size; };
  if (valid(h.StartHtml, h.EndHtml) && h.EndHtml > h.StartHtml)
    return block.substr(std::size_t(h.StartHtml), std::size_t(h.EndHtml - h.StartHtml));
  if (valid(h.StartFragment, h.EndFragment))
    return block.substr(std::size_t(h.StartFragment), std::size_t(h.EndFragment - h.StartFragment));
  return block.substr(h.End);
}

// An "HTML Format" block around HTML from another program: the fragment is
// what its markers enclose, else all of it.
std::string HtmlWithHeader(const std::string& html)
{
  const std::string startMark = "<!--StartFragment-->", endMark = "<!--EndFragment-->";
  const char* layout = "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\nEndFragment:%010zu\r\n";
  char header[160];
  std::size_t headerSize = std::size_t(std::snprintf(header, sizeof header, layout, std::size_t(0), std::size_t(0),
                                                     std::size_t(0), std::size_t(0)));
  std::size_t fragmentStart = 0, fragmentEnd = html.size();
  std::size_t s = html.find(startMark);
  if (s != std::string::npos) {
    std::size_t e = html.find(endMark, s + startMark.size());
    if (e != std::string::npos) {
      fragmentStart = s + startMark.size();
      fragmentEnd = e;
    }
  }
  std::snprintf(header, sizeof header, layout, headerSize, headerSize + html.size(), headerSize + fragmentStart,
                headerSize + fragmentEnd);
  return std::string(header, headerSize) + html;
}

bool IsUnreservedInPath(unsigned char c) { return std::isalnum(c) || std::strchr("-._~/", c) != nullptr; }

std::string FileUri(std::string path)
{
  std::replace(path.begin(), path.end(), '\\', '/');
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (IsUnreservedInPath(c)) {
      uri += char(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      uri += hex;
    }
  }
  return uri;
}

int HexValue(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  c = char(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool ThisHost(const std::string& host)
{
  if (host.empty() || host == "localhost")
    return true;
  char name[256] = {};
  return gethostname(name, sizeof name - 1) == 0 && host == name;
}

// The local path a line of a URI list names; false for anything else.
bool PathOfUri(std::string line, std::string& path)
{
  if (line.size() < 5)
    return false;
  std::string scheme = line.substr(0, 5);
  std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (scheme != "file:")
    return false;
  std::string rest = line.substr(5);
  if (rest.compare(0, 2, "//") == 0) {
    std::size_t slash = rest.find('/', 2);
    if (slash == std::string::npos || !ThisHost(rest.substr(2, slash - 2)))
      return false;
    rest = rest.substr(slash);
  }
  if (rest.empty() || rest[0] != '/')
    return false;
  path.clear();
  for (std::size_t i = 0; i < rest.size(); ++i) {
    int hi, lo;
    if (rest[i] == '%' && i + 2 < rest.size() && (hi = HexValue(rest[i + 1])) >= 0 &&
        (lo = HexValue(rest[i + 2])) >= 0) {
      path += char(hi * 16 + lo);
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return path.find('\0') == std::string::npos;
}

bool DropFilesToUris(const std::vector<BYTE>& layer, std::string& out)
{
  HGLOBAL block = BlockOf(layer);
  if (!block)
    return false;
  out.clear();
  UINT count = DragQueryFileW(block, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::u16string name(DragQueryFileW(block, i, nullptr, 0) + 1, u'\0');
    name.resize(DragQueryFileW(block, i, name.data(), UINT(name.size())));
    std::string path = UTF8Encode(name);
    if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
      out += FileUri(path) + "\r\n";
  }
  GlobalFree(block);
  return !out.empty();
}

bool UrisToDropFiles(const std::string& list, std::vector<BYTE>& out)
{
  std::vector<std::string> names;
  std::size_t at = 0;
  while (at < list.size()) {
    std::size_t eol = list.find('\n', at);
    std::string line = list.substr(at, (eol == std::string::npos ? list.size() : eol) - at);
    at = eol == std::string::npos ? list.size() : eol + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
      line.pop_back();
    std::string path;
    if (!line.empty() && line[0] != '#' && PathOfUri(line, path))
      names.push_back(path);
  }
  if (names.empty())
    return false;
  HDROP drop = MakeDropFiles(names);
  if (!drop)
    return false;
  const BYTE* p = static_cast<const BYTE*>(GlobalLock(drop));
  if (p)
    out.assign(p, p + GlobalSize(drop));
  GlobalUnlock(drop);
  GlobalFree(drop);
  return p != nullptr;
}

}  // namespace

HGLOBAL BlockOf(const std::vector<BYTE>& bytes)
{
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block)
    return nullptr;
  if (void* p = GlobalLock(block)) {
    if (!bytes.empty())
      std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

std::vector<std::string> XTargetsOf(const std::string& layerFormat)
{
  if (IsTextFormat(layerFormat))
    return {"UTF8_STRING", "text/plain;charset=utf-8", "TEXT", "STRING"};
  if (layerFormat == HtmlFormat)
    return {"text/html"};
  if (layerFormat == RtfFormat)
    return {"text/rtf"};
  if (layerFormat == "CF_HDROP")
    return {"text/uri-list"};
  return {};
}

std::vector<std::string> XSourcesOf(const std::string& layerFormat)
{
  if (IsTextFormat(layerFormat))
    return {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain", "STRING"};
  if (layerFormat == RtfFormat)
    return {"text/rtf", "application/rtf"};
  return XTargetsOf(layerFormat);
}

std::vector<std::string> LayerFormatsOf(const std::string& xTarget)
{
  for (const char* layer : {"CF_UNICODETEXT", HtmlFormat, RtfFormat, "CF_HDROP"}) {
    std::vector<std::string> sources = XSourcesOf(layer);
    if (std::find(sources.begin(), sources.end(), xTarget) != sources.end())
      return IsTextFormat(layer) ? std::vector<std::string>{"CF_UNICODETEXT", "CF_TEXT"}
                                 : std::vector<std::string>{layer};
  }
  return {};
}

bool LayerToX(const std::string& layerFormat, const std::string& xTarget, const std::vector<BYTE>& layer,
              std::string& out)
{
  std::vector<std::string> targets = XTargetsOf(layerFormat);
  if (std::find(targets.begin(), targets.end(), xTarget) == targets.end())
    return false;
  if (IsTextFormat(layerFormat)) {
    out = ToUnixLines(LayerText(layerFormat, layer));
    if (xTarget == "STRING")
      out = Utf8ToLatin1(out);
    return true;
  }
  if (layerFormat == HtmlFormat) {
    out = HtmlWithoutHeader(BytesUpToZero(layer));
    return true;
  }
  if (layerFormat == RtfFormat) {
    out = BytesUpToZero(layer);
    return true;
  }
  return DropFilesToUris(layer, out);
}

bool XToLayer(const std::string& xTarget, const std::string& layerFormat, const std::vector<unsigned char>& x,
              std::vector<BYTE>& out)
{
  std::vector<std::string> sources = XSourcesOf(layerFormat);
  if (std::find(sources.begin(), sources.end(), xTarget) == sources.end())
    return false;
  if (IsTextFormat(layerFormat)) {
    std::string text = xTarget == "STRING" ? Latin1ToUtf8(BytesUpToZero(x)) : DecodeForeignText(x);
    PutLayerText(layerFormat, ToLayerLines(text), out);
    return true;
  }
  if (layerFormat == HtmlFormat) {
    std::string block = HtmlWithHeader(DecodeForeignText(x));
    out.assign(block.begin(), block.end());
    out.push_back(0);
    return true;
  }
  if (layerFormat == RtfFormat) {
    std::string rtf = BytesUpToZero(x);
    out.assign(rtf.begin(), rtf.end());
    out.push_back(0);
    return true;
  }
  return UrisToDropFiles(BytesUpToZero(x), out);
}

}  // namespace x11
