// The enumerations and sets docks, dockable windows and their frames share.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/Set.h"
#include "platform/base/Method.h"

class TObject;
class TTBDock;
class TTBCustomDockableWindow;
class TTBFloatingWindowParent;

enum TTBDockPosition : uint8_t { dpTop, dpBottom, dpLeft, dpRight };
CORVANE_ENUM_RANGE(TTBDockPosition, 0, 3);
using TTBDockableTo = Set<TTBDockPosition>;
enum TTBDockBoundLine : uint8_t { blTop, blBottom, blLeft, blRight };
CORVANE_ENUM_RANGE(TTBDockBoundLine, 0, 3);
using TTBDockBoundLines = Set<TTBDockBoundLine>;

// Where a dockable window is or would be.
enum TTBDockType : uint8_t { dtNotDocked, dtFloating, dtTopBottom, dtLeftRight };

enum TTBDockMode : uint8_t { dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks };
enum TTBDragHandleStyle : uint8_t { dhDouble, dhNone, dhSingle };
enum TTBFloatingMode : uint8_t { fmOnTopOfParentForm, fmOnTopOfAllForms };
// How a docked window gives up length when its row is too short.
enum TTBShrinkMode : uint8_t { tbsmNone, tbsmWrap, tbsmChevron };
enum TTBResizeBehaviourFlag : uint8_t { rbCornerHandles, rbClipCursor };
CORVANE_ENUM_RANGE(TTBResizeBehaviourFlag, 0, 1);
using TTBResizeBehaviour = Set<TTBResizeBehaviourFlag>;

using TTBInsertRemoveEvent = Method<void(TObject* Sender, bool Inserting, TTBCustomDockableWindow* Bar)>;
using TTBRequestDockEvent = Method<void(TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept)>;
using TTBDockChangingEvent = Method<void(TObject* Sender, bool Floating, TTBDock* DockingTo)>;

// How a dockable window reaches the store of its placement values, keyed by
// the window's Name and a value name. A loading access answers the stored
// value or the Value given as default; a saving access stores Value.
struct TTBPlacementValueAccess {
  std::function<int(const std::string& Name, const std::string& ValueName, int Value)> Integer;
  std::function<std::string(const std::string& Name, const std::string& ValueName, const std::string& Value)> String;
};

// Non-client hit codes of docked windows and floating frames.
constexpr int HT_TB_BORDER = 2000;
constexpr int HT_TB_CLOSE = 2001;
constexpr int HT_TB_CAPTION = 2002;

inline bool IsVerticalPosition(TTBDockPosition P) { return P == dpLeft || P == dpRight; }
