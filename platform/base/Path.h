// Paths. The system's code builds paths with "\" as on its original platform;
// every file function of the layer accepts "\" and "/" alike as separators.
// There are no drive letters: a path is absolute when it starts with a
// separator. Results that the layer builds itself use "/".
#pragma once

#include <string>
#include <string_view>

inline constexpr char PathDelim = '/';

// The path with every "\" turned into "/", as the file system wants it.
std::string NativePath(std::string_view path);

inline bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

// Index of the last separator, or npos.
std::size_t LastPathDelimiter(std::string_view path);

// "a\b\c.txt" -> "a\b\" (up to and with the last separator; "" without one).
std::string ExtractFilePath(std::string_view fileName);
// "a\b\c.txt" -> "a\b": the path without its last separator, unless that
// separator is the root or follows another separator.
std::string ExtractFileDir(std::string_view fileName);
// "a\b\c.txt" -> "c.txt".
std::string ExtractFileName(std::string_view fileName);
// "a\b\c.txt" -> ".txt": from the last "." of the name part on; "" without one.
std::string ExtractFileExt(std::string_view fileName);
// Replaces the extension (or appends one): ("a\b.txt", ".ini") -> "a\b.ini".
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);

// Appends "/" unless the path already ends with a separator ("" gives "/").
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Removes one trailing separator, if any.
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// The absolute form of a path: relative to the current directory, "." and ".."
// resolved and repeated separators merged, without reading the file system
// (links are not followed); a trailing separator stays. Uses "/" throughout.
std::string ExpandFileName(std::string_view fileName);
