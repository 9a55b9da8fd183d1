// The document builder: turns the parser's element stream into the document
// objects of a section list: the body block, blocks for paragraphs,
// divisions, headings, lists and their items, text sections with their font
// runs and links, images, rules, preformatted text, maps and page markers,
// tables, form controls and panels.
// A document that cannot be read to its end keeps what was built before the
// fault; nothing is shown to the user and nothing escapes.
#pragma once

#include <string>

class TSectionList;

// Parses Text (an HTML document) into Document, which the caller has
// cleared and given its defaults.
void ParseHtmlIntoSections(const std::string& Text, TSectionList& Document);
// Shows Text, in the code page given (1252 unless told), as preformatted lines.
void ParseTextIntoSections(const std::string& Text, TSectionList& Document, unsigned CodePage = 1252);
