// The theme registry: theme classes under unique names (case ignored),
// instances created on first use and shared by use count. Failures raise
// Exception with the texts below and change nothing.
#pragma once

#include <string>
#include <vector>

class TTBWTheme;
class TStrings;

// What a theme class reference stands for: makes a theme of the class.
using TTBWThemeClass = TTBWTheme* (*)(const std::string& Name);

template <class T>
TTBWTheme* ThemeClassOf(const std::string& Name)
{
  return new T(Name);
}

constexpr std::size_t MaxThemeNameLength = 255;

// "Cannot register theme" for an empty name, a name longer than 255
// characters or no class; "Theme %s is already registered" for a name
// present in any case.
void RegisterTheme(const std::string& Name, TTBWThemeClass ThemeClass);
int FindThemeIndex(const std::string& Name);
bool ThemeExists(const std::string& Name);
// Appends the names in registration order (List not null).
void GetThemeNames(TStrings* List);
std::vector<std::string> ThemeNames();
// The shared instance, created on first use ("Unknown theme NAME" when no
// such theme is registered).
TTBWTheme* AcquireTheme(const std::string& Name);
// One use less; the last frees the theme and clears Theme ("Cannot release
// theme" for an object the registry did not give out).
void ReleaseTheme(TTBWTheme*& Theme);
int ThemeUseCount(const std::string& Name);
// Empties the registry (the end of the program; tests).
void ClearThemeRegistry();
