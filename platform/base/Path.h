// Paths. The system's code builds paths with "\" as on its original platform;
// every file function of the layer accepts "\" and "/" alike as separators.
#pragma once

#include <string>
#include <string_view>

inline constexpr char PathDelim = '/';

// The path with every "\" turned into "/", as the file system wants it.
std::string NativePath(std::string_view path);

inline bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }
