#include "platform/classes/graphics/Graphic.h"

#include "platform/base/FileStream.h"

void TGraphic::LoadFromFile(const std::string& FileName)
{
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const std::string& FileName)
{
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::SetTransparent(bool Value)
{
  if (Value != FTransparent) {
    FTransparent = Value;
    Changed(this);
  }
}

void TGraphic::SetModified(bool Value)
{
  if (Value)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::Changed(TObject*)
{
  FModified = true;
  if (OnChange)
    OnChange(this);
}

void TGraphic::Progress(TObject* Sender, TProgressStage Stage, BYTE PercentDone, bool RedrawNow, const TRect& R,
                        const std::string& Msg)
{
  if (OnProgress)
    OnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}
