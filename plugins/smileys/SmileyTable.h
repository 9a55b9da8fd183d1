// The newsreader's smiley table: a text file of tab-separated lines whose
// first line is a header. Word 1 of a line is the smiley text, word 3 the
// image file name (runs of tabs part words as one); other words are unused.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TSmiley {
  std::string Text;   // as typed in a message; never empty
  std::string Image;  // file name in the data folder's "config\" folder; may be empty
};

// The file is local but not ours: these bounds keep a damaged one from
// costing more than a table can reasonably need.
inline constexpr std::size_t MaxSmileyFileSize = std::size_t(4) << 20;
inline constexpr std::size_t MaxSmileys = 4096;

// The entries of a table file's content, in file order: the first line is
// dropped, lines end with CR, LF or CR LF, and a line without any word gives
// no entry (an empty smiley would match nothing).
std::vector<TSmiley> ParseSmileyTable(std::string_view Content);

// Reads and parses the file; raises the file layer's error when it cannot be
// read (or is larger than MaxSmileyFileSize).
std::vector<TSmiley> LoadSmileyTable(const std::string& FileName);
