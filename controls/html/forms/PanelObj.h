// TPanelObj: a PANEL element, an embedded panel window that the host fills
// in its creation event. It stands in the text like an image (inline or
// floating), sizes itself from its attributes and the size the host gave
// it, and moves its window there when it paints.
#pragma once

#include <string>

#include "controls/html/document/ImageObj.h"

class TAttributeList;

class ThvPanel;  // PanelWindow.h
class TWinControl;

// The panel as a window, for code that cannot include the class library's
// panel next to the style headers.
TWinControl* PanelAsWindow(ThvPanel* Panel);

class TPanelObj : public TImageObj {
public:
  TPanelObj(TSectionList* ADocument, TAttributeList& Attributes, int APos);
  ~TPanelObj() override;

  ThvPanel* Panel;  // owned
  int NaturalWidth = 0, NaturalHeight = 0;
  bool Sized = false;
  bool Shown = false;  // placed by the last paint
  std::string Name, Type, Src;

  void Measure(int AvailHeight, int AvailWidth, const TFontObj* Font) override;
  void Draw(HDC DC, int X, int Baseline, int LineTop, const TFontObj* Font) override;
  void Park();
  // Prints the panel: through the print event when there is one, else a
  // frame in the panel's colour with its ALT text.
  void PrintTo(HDC DC, int X, int Y);
};
