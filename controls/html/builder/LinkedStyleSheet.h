// A style sheet named by a LINK element: fetched through the viewer's stream
// request or read from an allowed file, then added to the document's styles.
#pragma once

#include <string>

class TSectionList;

// Loads and parses the sheet at Href when Rel is "stylesheet"; a sheet that
// cannot be had is skipped without a word. True when one was parsed.
bool LoadLinkedStyleSheet(TSectionList& Doc, const std::string& Rel, const std::string& Href);
