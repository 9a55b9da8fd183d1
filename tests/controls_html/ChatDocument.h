// The document the chat window hands to the viewer: its fixed head, then a
// fragment of seven lines per message, each line ended by CR LF.
#pragma once

#include <memory>
#include <string>

class TSectionList;

// Message i (from 0) alternates between the user's own and the contact's,
// and between a short text, a text with a smiley picture and a text of two
// lines.
std::string ChatDocument(int Messages);
std::string ChatHead();
std::string ChatFragment(int Index);

// A document with the chat window's settings: the viewer's default fonts and
// colours, no linked sheets, pictures only from SmileyDir, where the smiley
// processor's Windows paths ("...\\config\\s1.gif") are looked up as
// "smiley01.gif".
std::unique_ptr<TSectionList> MakeChatDocument(const std::string& SmileyDir);
// The file rules of that document: pictures only from SmileyDir, under the
// names given there; no linked sheets.
void ApplyChatDocumentRules(TSectionList& Doc, const std::string& SmileyDir);
