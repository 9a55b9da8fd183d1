#include "controls/html/url/UrlHelpers.h"

#include "platform/base/HexDigit.h"
#include "platform/base/StringRoutines.h"

namespace {

std::string CutQuery(std::string_view Url)
{
  std::size_t Q = Url.find('?');
  return std::string(Q == std::string::npos ? Url : Url.substr(0, Q));
}

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix)
{
  return Text.size() >= Prefix.size() && SameText(Text.substr(0, Prefix.size()), Prefix);
}

// The index of the "/" that ends the root of Base ("scheme://host/"), std::string::npos
// when Base has none.
std::size_t RootOf(const std::string& Base)
{
  if (StartsWithNoCase(Base, "file:///")) {
    std::size_t Slash = Base.find('/', 8);
    return Slash == std::string::npos ? 7 : Slash;
  }
  std::size_t Scheme = Base.find("://");
  if (Scheme != std::string::npos) {
    std::size_t Slash = Base.find('/', Scheme + 3);
    return Slash == std::string::npos ? Scheme + 2 : Slash;
  }
  return Base.find('/');
}

}  // namespace

std::string UrlDirectory(std::string_view Url)
{
  std::string S = CutQuery(Trim(Url));
  std::size_t Start = 0;
  std::size_t Double = S.find("//");
  if (Double != std::string::npos)
    Start = Double + 2;
  std::size_t Last = S.rfind('/');
  if (Last != std::string::npos && Last >= Start)
    return S.substr(0, Last + 1);
  return S + "/";
}

std::string CombineUrl(std::string_view BaseText, std::string_view RelativeText)
{
  std::string Base = Trim(BaseText);
  const std::string Protocol = UrlProtocol(Base);
  std::size_t Root = RootOf(Base);
  if (Root != std::string::npos) {
    if (Base.empty() || Base.back() != '/')
      Base += '/';
  } else {
    Base += '/';
    Root = Base.size() - 1;
  }

  const std::string Relative = Trim(RelativeText);
  std::string Result;
  if (Relative.empty() || Relative[0] != '/')
    Result = Base + Relative;
  else if (Relative.size() > 1 && Relative[1] == '/')
    Result = Protocol != "file" ? Protocol + ":" + Relative : "file:///" + Relative;
  else
    Result = Base.substr(0, Root + 1) + Relative.substr(1);

  // "/../" after the root takes the segment before it along; within the root
  // only its "../" goes.
  for (std::size_t Up = Result.find("/../"); Up != std::string::npos; Up = Result.find("/../")) {
    if (Up > Root) {
      std::size_t Before = Up == 0 ? std::string::npos : Result.rfind('/', Up - 1);
      if (Before == std::string::npos)
        break;
      Result.erase(Before, Up + 3 - Before);
    } else {
      Result.erase(Up + 1, 3);
    }
  }
  for (std::size_t Here = Result.find("/./"); Here != std::string::npos; Here = Result.find("/./"))
    Result.erase(Here, 2);
  return Result;
}

bool IsAbsoluteReference(std::string_view Text)
{
  const std::string S = CutQuery(Text);
  std::size_t Scheme = S.find("://");
  if (Scheme != std::string::npos && S.find('/') >= Scheme)
    return true;
  return LowerCase(S).find("mailto:") != std::string::npos;
}

std::string UrlProtocol(std::string_view Url)
{
  return LowerCase(SplitUrl(CutQuery(Url)).Protocol);
}

TUrlParts SplitUrl(std::string_view Url)
{
  TUrlParts Parts;
  if (Url.empty())
    return Parts;
  std::string Rest;
  std::size_t Scheme = Url.find("://");
  if (Scheme != std::string::npos) {
    Parts.Protocol = std::string(Url.substr(0, Scheme));
    Rest = std::string(Url.substr(Scheme + 3));
  } else if (Url[0] == '/') {
    Parts.Protocol = "http";
    if (Url.size() > 1 && Url[1] != '/') {
      Parts.Path = std::string(Url);
      return Parts;
    }
    Rest = std::string(Url.substr(1));
  } else if (!StartsWithNoCase(Url, "http:")) {
    if (StartsWithNoCase(Url, "mailto:")) {
      Parts.Protocol = "mailto";
      Rest = std::string(Url.substr(Url.find(':') + 1));
    } else {
      Rest = std::string(Url);
    }
  } else {
    Parts.Protocol = "http";
    if (Url.size() > 6 && Url[6] != '/') {
      Parts.Path = std::string(Url.substr(5));
      return Parts;
    }
    Rest = Url.size() > 6 ? std::string(Url.substr(6)) : std::string();
  }

  std::size_t Slash = Rest.find('/');
  std::string Authority = Rest.substr(0, Slash);
  if (Slash != std::string::npos)
    Parts.Path = Rest.substr(Slash);

  std::size_t Colon = Authority.rfind(':');
  std::size_t At = Authority.rfind('@');
  if (Colon == std::string::npos && At == std::string::npos) {
    Parts.Host = Authority;
    return Parts;
  }
  if (Colon != std::string::npos && (At == std::string::npos || Colon > At)) {
    Parts.Port = Authority.substr(Colon + 1);
    std::size_t HostStart = At == std::string::npos ? 0 : At + 1;
    Parts.Host = Authority.substr(HostStart, Colon - HostStart);
    if (At == std::string::npos)
      return Parts;
  } else {
    Parts.Host = Authority.substr(At + 1);
  }
  std::string UserInfo = Authority.substr(0, At);
  std::size_t Separator = UserInfo.find(':');
  if (Separator == std::string::npos) {
    Parts.User = UserInfo;
  } else {
    Parts.User = UserInfo.substr(0, Separator);
    Parts.Password = UserInfo.substr(Separator + 1);
  }
  return Parts;
}

int NthOccurrence(std::string_view Substr, std::string_view Text, int N)
{
  if (N == 0)
    return 0;
  if (N > 0) {
    std::size_t At = Substr.empty() ? std::string::npos : Text.find(Substr);
    for (int Found = 1; At != std::string::npos; ++Found) {
      if (Found == N)
        return int(At) + 1;
      At = Text.find(Substr, At + 1);
    }
    return int(Text.size()) + 1;
  }
  if (Substr.empty() || Substr.size() > Text.size())
    return 0;
  int Found = 0;
  for (std::size_t At = Text.size() - Substr.size() + 1; At-- > 0;) {
    if (Text.compare(At, Substr.size(), Substr) == 0 && ++Found == -N)
      return int(At) + 1;
  }
  return 0;
}

std::string ReferenceToFileName(std::string_view Reference)
{
  // One pass: a decoded "%" is not read again, and "%00" is left as written
  // rather than putting a zero into a file name. A "%" in the first place, or
  // one not followed by two hexadecimal digits, ends the decoding.
  std::string S;
  S.reserve(Reference.size());
  bool Decoding = Reference.empty() || Reference[0] != '%';
  for (std::size_t At = 0; At < Reference.size(); ++At) {
    char C = Reference[At];
    if (Decoding && C == '%') {
      int Hi = At + 2 < Reference.size() ? HexDigitValue(Reference[At + 1]) : -1;
      int Lo = At + 2 < Reference.size() ? HexDigitValue(Reference[At + 2]) : -1;
      if (Hi >= 0 && Lo >= 0 && (Hi | Lo) != 0) {
        S += char(Hi * 16 + Lo);
        At += 2;
        continue;
      }
      Decoding = false;
    }
    S += C;
  }

  if (S.find('/') == std::string::npos)
    return S;
  std::string Lower = LowerCase(S);
  std::size_t Prefix = Lower.find("file:///");
  if (Prefix != std::string::npos)
    S.erase(Prefix, 8);
  else if ((Prefix = Lower.find("file://")) != std::string::npos)
    S.erase(Prefix, 7);
  for (char& C : S) {
    if (C == '|')
      C = ':';
    else if (C == '/')
      C = '\\';
  }
  return S;
}

std::string ExpandReferenceFileName(std::string_view Reference, std::string_view BaseFolder)
{
  std::string Name = Trim(ReferenceToFileName(Reference));
  if (!Name.empty() && !BaseFolder.empty() && Name.rfind("\\\\", 0) != 0 && !(Name.size() > 1 && Name[1] == ':') &&
      Name[0] == '\\')
    return std::string(BaseFolder) + Name;
  return Name;
}
