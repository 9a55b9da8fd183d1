// Text routines every module shares: replacing every occurrence of a text, and
// finding the N-th word of a text whose words are parted by delimiters. The
// host splits contact keys with them (delimiter ";"), the smiley processor
// its table lines (delimiter tab). Positions count from 1.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Set.h"

// A set of 8-bit characters.
using TWordDelimiters = Set<unsigned char>;

// S with every occurrence of Old replaced by New, left to right; replacement
// text is never searched again, and an empty Old changes nothing.
std::string StrReplaceAll(std::string_view S, std::string_view Old, std::string_view New);

// Position of the first character of the N-th word (N from 1), or 0 when S
// has fewer words. Leading delimiters are skipped; a run of delimiters is one
// separator.
int NthWordPos(int N, std::string_view S, const TWordDelimiters& Delimiters);

// The N-th word, or the empty text.
std::string NthWord(int N, std::string_view S, const TWordDelimiters& Delimiters);
