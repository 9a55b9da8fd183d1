// Conversation files: when a chat window closes with "Enregistrer la
// conversation" ticked, its session is appended to an HTML page kept per
// contact, in a folder per network under the current directory. Earlier
// sessions are never changed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/DateTime.h"

class TStrings;

// The lines of a file that does not exist yet (16): the chat window's head
// with the declaration of its encoding (UTF-8) and the session block's
// style, and the closing body and page.
const std::vector<std::string>& ConversationSkeleton();

// The chat window's document starts with this many head lines; the message
// fragments follow.
inline constexpr int DocumentHeadLines = 12;

// A network or contact name made into one safe, still readable file name:
// "/", "\", "%", control characters, a leading dot and a dot after a dot
// become "%" and two hexadecimal digits of their byte; a name longer than
// the file system allows is cut at a character boundary and ends with "%%"
// and a digest of the whole name. An empty name gives "%". Different names
// always give different file names, and a name from a remote contact can
// never leave its folder.
std::string ConversationNamePart(std::string_view Name);

// "<network>/<nick>.html", relative to the current directory, both parts
// made safe.
std::string ConversationFilePath(std::string_view NetworkName, std::string_view Nick);

// The lines of one saved session: the header block with the session's start
// (escaped), then the conversation block holding the document's lines from
// index DocumentHeadLines on.
std::vector<std::string> SessionBlock(TDateTime SessionStart, const TStrings& Document);

// Appends the session to the contact's file (created from the skeleton when
// missing, its folder too), inserting it before the file's last two lines.
// The file is rewritten through a temporary file and a rename, so a failure
// or a crash leaves the earlier content whole. Raises on failure (the folder
// cannot be made, the file cannot be read or written, or it has fewer than
// two lines); the file is then as it was. Logs the start and the end under
// "tessel.dll".
void SaveConversation(std::string_view NetworkName, std::string_view Nick, TDateTime SessionStart,
                      const TStrings& Document);
