// The enumerations, sets and event types of the standard controls, described
// for the run-time type information.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/Method.h"
#include "platform/base/Set.h"
#include "platform/classes/Forward.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TCheckBoxState, "StdCtrls", cbUnchecked, cbChecked, cbGrayed);
CORVANE_ENUM(TEditCharCase, "StdCtrls", ecNormal, ecUpperCase, ecLowerCase);
CORVANE_ENUM(TTextLayout, "StdCtrls", tlTop, tlCenter, tlBottom);
CORVANE_ENUM(TLeftRight, "Classes", lrLeftJustify, lrRightJustify);
CORVANE_ENUM(TListBoxStyle, "StdCtrls", lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual,
             lbVirtualOwnerDraw);
CORVANE_ENUM(TComboBoxStyle, "StdCtrls", csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
             csOwnerDrawVariable);
CORVANE_ENUM(TOwnerDrawStateFlag, "Windows", odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
             odHotLight, odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit);
using TOwnerDrawState = Set<TOwnerDrawStateFlag>;
CORVANE_DESCRIBE_SET(TOwnerDrawState);

using TDrawItemEvent = Method<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = Method<void(TWinControl* Control, int Index, int& Height)>;
// Virtual list boxes: the text, the object and the index of a text.
using TLBGetDataEvent = Method<void(TWinControl* Control, int Index, std::string& Data)>;
using TLBGetDataObjectEvent = Method<void(TWinControl* Control, int Index, TObject*& DataObject)>;
using TLBFindDataEvent = Method<int(TWinControl* Control, const std::string& FindString)>;
using TScrollEvent = Method<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;
