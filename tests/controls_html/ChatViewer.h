// The viewer control as the chat window sets it up, and where a document
// position lies on the screen; shared by the viewer's tests (headless and
// X11) and its benchmark.
#pragma once

#include <string>

#include "platform/base/Geometry.h"

class THtmlView;
class TSectionList;

// Background white, black text, vertical bar only, and the chat document's
// file rules (ApplyChatDocumentRules).
void ApplyChatViewerSettings(THtmlView& Viewer, const std::string& SmileyDir);
// The first document position where Word stands, -1 when it does not.
int DocumentPositionOf(TSectionList& Doc, const std::u16string& Word);
// A screen point inside the character at document position Pos.
TPoint ScreenPointOf(THtmlView& Viewer, int Pos);
