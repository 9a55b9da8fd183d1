// The viewer's own types: its border styles and options, the events it
// fires, the history entry and the right-click parameters, and the private
// messages it posts to itself.
#pragma once

#include <memory>
#include <string>

#include "platform/base/Method.h"
#include "platform/base/Set.h"
#include "platform/base/StringList.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/graphics/Graphic.h"

class TBitmap;
class TCanvas;
class THtmlView;
class TImageObj;
class TMemoryStream;
class ThvPanel;

enum THTMLBorderStyle : unsigned char { htFocused, htNone, htSingle };

enum htOptionEnum : unsigned char {
  htOverLinksActive,
  htNoLinkUnderline,
  htPrintTableBackground,
  htPrintBackground,
  htPrintMonochromeBlack,
  htShowDummyCaret,
  htShowVScroll
};
CORVANE_ENUM_RANGE(htOptionEnum, 0, 6);
using THtmlViewOptions = Set<htOptionEnum>;


// What lies under a right click.
class TRightClickParameters : public TObject {
public:
  std::string URL;
  std::string Target;
  TImageObj* Image = nullptr;
  int ImageX = 0, ImageY = 0;
  std::u16string ClickWord;
};

// One entry of the history: where the document was scrolled and its kind.
class PositionObj : public TObject {
public:
  int SavedPos = 0;
  unsigned char FileType = 0;
  std::unique_ptr<TStringList> FormData;  // may be empty
};

using THotSpotEvent = Method<void(TObject* Sender, const std::string& SRC)>;
using THotSpotClickEvent = Method<void(TObject* Sender, const std::string& SRC, bool& Handled)>;
using THtmlViewProgressEvent = Method<void(TObject* Sender, TProgressStage Stage, int PercentDone)>;
using TProcessingEvent = Method<void(TObject* Sender, bool ProcessingOn)>;
using TSoundRequestEvent = Method<void(TObject* Sender, const std::string& SRC, int Loop, bool Terminate)>;
using TMetaType = Method<void(TObject* Sender, const std::string& HttpEq, const std::string& Name,
                              const std::string& Content)>;
using TLinkType = Method<void(TObject* Sender, const std::string& Rel, const std::string& Rev, const std::string& Href)>;
using TMetaRefreshType = Method<void(TObject* Sender, int Delay, const std::string& URL)>;
using TImageClickEvent = Method<void(TObject* Sender, TObject* Obj, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TImageOverEvent = Method<void(TObject* Sender, TObject* Obj, TShiftState Shift, int X, int Y)>;
using TRightClickEvent = Method<void(TObject* Sender, TRightClickParameters& Parameters)>;
using TParseEvent = Method<void(TObject* Sender, std::string& Source)>;
using TFormSubmitEvent = Method<void(TObject* Sender, const std::string& Action, const std::string& Target,
                                      const std::string& EncType, const std::string& Method, TStringList* Results)>;
// The handler answers a stream it keeps (read from its start to its end),
// the viewer's WaitStream() for "later" (see THtmlView::InsertImage), or
// leaves it null: the viewer then reads the file the name stands for.
using TStreamRequestEvent = Method<void(TObject* Sender, const std::string& SRC, TMemoryStream*& Stream)>;
// The handler answers a bitmap, which the viewer takes (into its image
// cache), and its transparent colour, or leaves Color at clNone.
using TGetBitmapEvent = Method<void(TObject* Sender, const std::string& SRC, TBitmap*& Bitmap, TColor& Color)>;
using TScriptEvent = Method<void(TObject* Sender, const std::string& Name, const std::string& Language,
                                 const std::string& Script)>;
using TIncludeEvent = Method<void(TObject* Sender, const std::string& Command, TStringList* Params, std::string& IString)>;
using TPrintHeaderEvent = Method<void(TObject* Sender, TCanvas* Canvas, int NumPage, int W, int H, bool& StopPrinting)>;
using TPrintHTMLHeaderEvent = Method<void(TObject* Sender, THtmlView* HFViewer, int NumPage, bool LastPage, int& XL,
                                          int& XR, bool& StopPrinting)>;
// Form controls and panels of the document, handed on by the viewer.
using TObjectClickEvent = Method<void(TObject* Sender, TObject* Obj, const std::string& OnClick)>;
using TObjectTagEvent = Method<void(TObject* Sender, TObject* Obj, const std::string& Attribute)>;
using TFileBrowseEvent = Method<void(TObject* Sender, TObject* Obj, std::string& S)>;
using TPanelCreateEvent = Method<void(TObject* Sender, const std::string& AName, const std::string& AType,
                                      const std::string& SRC, ThvPanel* Panel)>;
using TPanelDestroyEvent = Method<void(TObject* Sender, ThvPanel* Panel)>;
using TPanelPrintEvent = Method<void(TObject* Sender, ThvPanel* Panel, TBitmap* Bitmap)>;

// Private messages of the viewer (posted to its own window).
constexpr unsigned WM_HTML_FORMSUBMIT = 0x464;  // fire the pending OnFormSubmit
constexpr unsigned WM_HTML_MOUSESCROLL = 0x466;  // run the scroll loop
constexpr unsigned WM_HTML_HOTSPOTCLICK = 0x467;  // follow the hot spot

// The viewer's cursors in the screen's table.
constexpr TCursor HandCursor = 1, ThickIBeamCursor = 2, UpDownCursor = 3, UpOnlyCursor = 4, DownOnlyCursor = 5;
