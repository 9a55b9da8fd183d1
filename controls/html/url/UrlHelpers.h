// Text operations on references (URLs and file references): directory part,
// combining a base with a relative reference, the full-URL test, protocol and
// parts of a URL, the n-th occurrence of a substring, and the conversion of a
// file reference into a local file name. They keep no state.
#pragma once

#include <string>
#include <string_view>

// The directory part of Url, ending in "/", with any query cut first.
std::string UrlDirectory(std::string_view Url);
// Base combined with Relative: root-relative and protocol-relative references,
// "/../" and "/./" steps resolved.
std::string CombineUrl(std::string_view Base, std::string_view Relative);
// True for a full URL ("://" before any "/") or a mail link.
bool IsAbsoluteReference(std::string_view Text);
// The protocol of Url, lower-cased ("http" for a path starting with "/").
std::string UrlProtocol(std::string_view Url);

struct TUrlParts {
  std::string Protocol, User, Password, Host, Port, Path;
};
TUrlParts SplitUrl(std::string_view Url);

// n > 0: the 1-based position of the n-th occurrence of Substr in Text, or
// one past Text's length when there are fewer. n < 0: the position of the
// |n|-th occurrence counted from the end, or 0. n = 0: 0.
int NthOccurrence(std::string_view Substr, std::string_view Text, int N);

// A file reference as a local file name: "%" escapes decoded in one pass,
// "file:///" or "file://" removed, "|" made ":" and "/" made "\".
std::string ReferenceToFileName(std::string_view Reference);
// ReferenceToFileName, trimmed; a name that starts with a single "\" (no drive,
// no "\\" share) gets BaseFolder in front.
std::string ExpandReferenceFileName(std::string_view Reference, std::string_view BaseFolder);
