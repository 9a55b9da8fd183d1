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

class TControl;
class TWinControl;
class TCustomControl;
class TGraphicControl;
class TControlCanvas;
class TSizeConstraints;
class TDragObject;
class TCustomForm;
class TApplication;
class TScreen;
class THintWindow;
class TTimer;
