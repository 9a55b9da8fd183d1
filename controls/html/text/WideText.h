// Searching and trimming wide text (case conversion and comparison are the
// base layer's WideUpperCase, WideLowerCase and WideSameStr).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The 1-based position of the first occurrence of Substr in Text, 0 when
// absent; an empty Substr, or one longer than Text, is not found.
int WidePos(std::u16string_view Substr, std::u16string_view Text);
// The index of the first or last occurrence of Ch, npos when absent.
std::size_t WideStrScan(std::u16string_view Text, char16_t Ch);
std::size_t WideStrRScan(std::u16string_view Text, char16_t Ch);
// Text without its leading and trailing characters below 33.
std::u16string WideTrim(std::u16string_view Text);

// Hands Text and a wide CR LF to Collector's AddText: how the document objects
// write one line of the text they copy.
template <class Collector>
void WriteTextLine(Collector& Buffer, std::u16string_view Text)
{
  Buffer.AddText(Text.data(), int(Text.size()));
  Buffer.AddText(u"\r\n", 2);
}
