// The fixed vocabulary of the tokenizer: the tag table, the attribute table
// and the point sizes of FONT SIZE 1 to 7.
#pragma once

#include <string>
#include <string_view>

#include "controls/html/parser/Symbols.h"

// The symbol of an upper-case tag name in a start tag (StartTag true) or an end
// tag; CommandSy when the name is in no row, or when an end tag names a row
// without end symbol. Rows are searched in table order, names compared exactly.
Symb TagSymbol(std::string_view UpperName, bool StartTag);

// The lower-case tag name of a start symbol or an end symbol, empty when the
// symbol has no row: the element name under which property sets are pushed.
std::string TagNameOfStart(Symb Sy);
std::string TagNameOfEnd(Symb Sy);
// The end symbol of a start symbol of rows 1 to 53, CommandSy for the others.
Symb EndSymbolOf(Symb StartSy);

// The symbol of an upper-case attribute name (first matching row), or
// OtherAttribute.
Symb AttributeSymbol(std::string_view UpperName);
// The upper-case word of an attribute symbol, empty when no row has it.
std::string AttributeWord(Symb Sy);

// FONT SIZE 1 to 7 in points at a default size of 12, for normal and for
// preformatted text. The parser scales them to the viewer's default size.
inline constexpr double FontConvBase[7] = {8, 10, 12, 14, 18, 24, 36};
inline constexpr double PreFontConvBase[7] = {7, 8, 10, 12, 15, 20, 30};
