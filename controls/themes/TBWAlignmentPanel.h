// TTBWAlignmentPanel: a panel object that lays its aligned children out
// inside its margins and tells how much room its content needs.
#pragma once

#include <memory>

#include "controls/themes/TBWControlMargins.h"
#include "controls/themes/TBWPanelObject.h"

class TTBWAlignmentPanel : public TTBWPanelObject {
public:
  explicit TTBWAlignmentPanel(TComponent* AOwner);
  ~TTBWAlignmentPanel() override;

  TTBWControlMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TTBWControlMargins* Value) { FMargins->Assign(Value); }

  // The margins, the visible children aligned to the top and bottom (left
  // and right), and what the visible client-filling children need.
  int ContentHeight() override { return ContentExtent(true); }
  int ContentWidth() override { return ContentExtent(false); }

protected:
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;

private:
  void MarginsChanged(TObject* Sender);
  int ContentExtent(bool Vertical);

  std::unique_ptr<TTBWControlMargins> FMargins;
};
