// TSectionBase: the base of every object of a document's flow (text
// sections, blocks, rules, page markers). It keeps where the object lies in
// the document (its character positions and its vertical extent) and answers
// every layout, paint and hit-testing question with "nothing here"; the
// derived objects answer for themselves.
#pragma once

#include <string>

#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/win/gdi/GdiTypes.h"

class IndentManager;
class TSectionList;
class TUrlTarget;
class TImageObj;
class TImageFormControlObj;

// What lies under a point for the link search.
struct THitLink {
  enum { HasTarget = 1, HasControl = 2, HasTitle = 4 };
  int Flags = 0;
  const TUrlTarget* Target = nullptr;  // owned by the document
  std::string Title;
  std::string MapUrl;  // a server-side or client-side map's link, when one decided
  TImageFormControlObj* Control = nullptr;  // an image input under the point
  int ControlX = 0, ControlY = 0;           // the point within its picture
};

class TSectionBase : public TObject {
public:
  explicit TSectionBase(TSectionList* ADocument) : Document(ADocument) {}

  TSectionList* Document;
  // Where the flow goes on below the object is TopY + ContentHeight; what it
  // paints spans [PaintTop, PaintBottom). Each object of a conversation keeps
  // these, so nothing that follows from them is kept beside them.
  int ContentHeight = 0;
  int StartPos = 0;
  int CharCount = 0;
  int TopY = 999999999;  // until the first layout
  int PaintBottom = 0;
  int PaintTop = 0;

  virtual int TopOfContent() const { return TopY; }
  // Appends the selected text to the document's copy buffer.
  virtual void CopySelection() {}
  // Lays the object out at (X, Y) in Width; Pos is the running character
  // position; MaxWidth receives the width the object would like. Returns the
  // height it takes in the flow.
  virtual int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y);
  // Paints what meets Clip (screen coordinates; the document's y offset is
  // subtracted); returns the y below the object.
  virtual int Paint(HDC DC, const TRect& Clip, int X);
  virtual bool HitLink(int X, int Y, THitLink& Hit) { (void)X; (void)Y; (void)Hit; return false; }
  virtual TImageObj* HitImage(int X, int Y) { (void)X; (void)Y; return nullptr; }
  virtual int CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight)
  {
    (void)X; (void)Y; (void)CaretX; (void)CaretY; (void)CaretHeight;
    InText = false;
    return -1;
  }
  virtual int DocToSource(int Pos) const { (void)Pos; return -1; }
  virtual int SourceToDoc(int Source, bool TowardsPrevious) const { (void)Source; (void)TowardsPrevious; return -1; }
  virtual bool CaretPoint(int Pos, int& X, int& Y) const { (void)Pos; (void)X; (void)Y; return false; }
  virtual bool CharAt(int Pos, char16_t& Ch) const { (void)Pos; (void)Ch; return false; }
  virtual void MeasureWidths(int& Min, int& Max) { Min = Max = 0; }
  // Closes the object once the builder has given it all its content.
  virtual void FinishText() {}
  // An empty object (no characters and nothing else to show) is dropped.
  virtual bool IsEmpty() const { return false; }
  // The sections of a block's content are children; others have none.
  virtual bool IsBlock() const { return false; }
};
