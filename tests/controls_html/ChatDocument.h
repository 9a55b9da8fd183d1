// The document the chat window hands to the viewer: its fixed head, then a
// fragment of seven lines per message, each line ended by CR LF.
#pragma once

#include <string>

// Message i (from 0) alternates between the user's own and the contact's,
// and between a short text, a text with a smiley picture and a text of two
// lines.
std::string ChatDocument(int Messages);
std::string ChatHead();
std::string ChatFragment(int Index);
