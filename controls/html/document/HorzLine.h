// THorzLine: the line of an HR, inside a THRBlock that gives it its width
// and alignment; TPage: the zero-height marker of a PAGE element.
#pragma once

#include "controls/html/document/SectionBase.h"
#include "platform/base/Types.h"

class TAttributeList;
class TProperties;

class THorzLine : public TSectionBase {
public:
  // Reads ALIGN, WIDTH, SIZE, COLOR and NOSHADE; WIDTH and COLOR go into
  // Props (the rule's style), and the style height becomes the thickness.
  THorzLine(TSectionList* ADocument, TAttributeList& Attributes, TProperties& Props);
  int VSize = 2;  // thickness
  TColor Color = clNone;
  int Align = 2;  // 1 left, 2 centre, 3 right
  bool NoShade = false;
  int HWidth = 0;
  int XLeft = 0;

  void CopySelection() override;
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;
  int Paint(HDC DC, const TRect& Clip, int X) override;
};

class TPage : public TSectionBase {
public:
  using TSectionBase::TSectionBase;
};
