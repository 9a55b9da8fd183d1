// Routines shared by the library's components: word extraction, module and
// shell versions, and the nearest-level tables.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// 1-based position of the N-th word of S, words being separated by runs of
// the characters in Delimiters; 0 when S has fewer words.
int NthWordPos(int N, std::string_view S, std::string_view Delimiters);
// The N-th word, empty when there is none.
std::string NthWord(int N, std::string_view S, std::string_view Delimiters);

// The file's version as major shl 16 + minor, 0 when it has no version resource.
std::uint32_t ModuleFileVersion(const std::string& FileName);
// The shell library's version, asked once and kept (0 is asked again).
std::uint32_t ShellVersion();

// The index of the first of the levels nearest to Value.
int NearestLevel(int Value, std::span<const std::uint8_t> Levels);
// The four tables built at start for the level sets {0, 85, 170, 255},
// {0, 51, ..., 255}, {0, 43, ..., 255} and {0, 36, ..., 255} (Index 0 to 3):
// entry v is the index of the level nearest to v.
const std::uint8_t* NearestLevelTable(int Index);
