// Declarations of the class library's classes, so that headers name each other
// without including each other.
#pragma once

class TComponent;
class TFiler;
class TReader;
class TWriter;
class TCollection;
class TCollectionItem;
class TOwnedCollection;

class TGraphicsObject;
class TFont;
class TPen;
class TBrush;
class TCanvas;
class TGraphic;
class TPicture;
class TBitmap;
class TIcon;
class TChangeLink;
class TCustomImageList;
class TImageList;

class TMenuItem;
class TMenu;
class TPopupMenu;
class TMainMenu;

class TBasicAction;
class TBasicActionLink;
class TContainedAction;
class TCustomAction;
class TAction;
class TActionLink;
class TCustomActionList;
class TActionList;
class TShortCutList;

// Built by the controls half of the library; named here for the message records.
class TControl;
class TWinControl;
class THintWindow;
