// The chat window's conversation as an HTML document, kept as a list of
// lines: a fixed head (styles for the header line and the two message
// boxes), then one fragment of seven lines per message. Nothing here knows
// windows: the chat window appends, the viewer shows, the conversation file
// copies the fragments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "api/ContractTypes.h"

class TConversationLines;

// The 12 head lines, from "<HTML>" to "<BODY bgcolor="white">"; the body is
// never closed.
const std::vector<std::string>& DocumentHead();

// The seven lines of one message: a break, the header block ("Moi, " or the
// escaped nickname, then the date) and the message box ("moi" or "lui")
// holding Html with every CR written as "<BR>" (LF stays). A zero character
// (an RTF message's \'00 or \u0) is left out: the viewer would end the whole
// conversation there.
std::vector<std::string> MessageFragment(bool Own, std::string_view Nick, TDateTime Time, std::string_view Html);
// Adds MessageFragment's seven lines to Lines, the message box's line written
// in place: a large message is not held once more on its way in.
void AddMessageFragment(TConversationLines& Lines, bool Own, std::string_view Nick, TDateTime Time,
                        std::string_view Html);

// The line shown for a kind the window does not know.
inline constexpr const char* UnknownKindText =
    "Désolé, cette affichage de Corvane ne connait pas ce format :/ (Formatmessage : ";

// What a message shows as, in markup: HTML (kind 2) stays markup; plain
// text, and RTF (kind 1) once made text, are escaped so that a contact's
// "<img ...>" shows as typed. The user's own messages are never converted
// (any kind but HTML shows as the text typed). A contact's message of any
// other kind shows the fixed apology line.
std::string MessageHtml(bool Own, MessageKind Kind, std::string_view Text);
// The same without a copy of a message that is markup already: Text itself,
// or Converted holding what the message shows as.
std::string_view MessageHtml(bool Own, MessageKind Kind, std::string_view Text, std::string& Converted);
