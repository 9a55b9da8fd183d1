// TGraphic: the common face of pictures (bitmaps, icons and the image
// formats registered later): drawing into a rectangle of a canvas, size,
// emptiness, transparency, streams and files, and a change event.
#pragma once

#include <string>

#include "platform/base/Exception.h"
#include "platform/base/Geometry.h"
#include "platform/base/Method.h"
#include "platform/base/Persistent.h"
#include "platform/base/Types.h"
#include "platform/classes/Forward.h"

class TStream;

CORVANE_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
CORVANE_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// Stages of a long operation on a picture (decoding), reported through OnProgress.
enum TProgressStage : unsigned char { psStarting, psRunning, psEnding };
using TProgressEvent = Method<void(TObject* Sender, TProgressStage Stage, BYTE PercentDone, bool RedrawNow,
                                   const TRect& R, const std::string& Msg)>;

class TGraphic : public TPersistent {
public:
  // Draws the whole picture stretched into Rect (the canvas's Draw and StretchDraw call this).
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  virtual HPALETTE Palette() const { return nullptr; }
  virtual void SetPalette(HPALETTE) {}
  bool Modified() const { return FModified; }
  void SetModified(bool Value);
  // An empty picture of the same class (TPicture copies pictures through it).
  virtual TGraphic* NewInstance() const = 0;

  TNotifyEvent OnChange;
  // Told how far a decoder has come (decoders call Progress).
  TProgressEvent OnProgress;

protected:
  virtual void Changed(TObject* Sender);
  virtual void Progress(TObject* Sender, TProgressStage Stage, BYTE PercentDone, bool RedrawNow, const TRect& R,
                        const std::string& Msg);

  bool FTransparent = false;

private:
  bool FModified = false;
};
