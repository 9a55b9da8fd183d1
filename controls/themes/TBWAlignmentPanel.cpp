#include "controls/themes/TBWAlignmentPanel.h"

#include "controls/themes/TBWDrawing.h"
#include "platform/classes/controls/SizeConstraints.h"

TTBWAlignmentPanel::TTBWAlignmentPanel(TComponent* AOwner)
    : TTBWPanelObject(AOwner), FMargins(std::make_unique<TTBWControlMargins>())
{
  FMargins->OnChange = TNotifyEvent(this, &TTBWAlignmentPanel::MarginsChanged);
}

TTBWAlignmentPanel::~TTBWAlignmentPanel() = default;

void TTBWAlignmentPanel::MarginsChanged(TObject*)
{
  Realign();
  Invalidate();
}

void TTBWAlignmentPanel::AdjustClientRect(TRect& Rect)
{
  TTBWPanelObject::AdjustClientRect(Rect);
  Rect.Left += FMargins->Left();
  Rect.Top += FMargins->Top();
  Rect.Right -= FMargins->Right();
  Rect.Bottom -= FMargins->Bottom();
}

int TTBWAlignmentPanel::ContentExtent(bool Vertical)
{
  int extent = Vertical ? FMargins->Top() + FMargins->Bottom() : FMargins->Left() + FMargins->Right();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (!child->Visible())
      continue;
    const TAlign align = child->Align();
    if (Vertical ? align == alTop || align == alBottom : align == alLeft || align == alRight)
      extent += Vertical ? child->Height() : child->Width();
    else if (align == alClient) {
      if (auto* object = dynamic_cast<TTBWPanelObject*>(child))
        extent += Vertical ? object->ContentHeight() : object->ContentWidth();
      else
        extent += Vertical ? child->Constraints()->MinHeight() : child->Constraints()->MinWidth();
    }
  }
  return extent;
}

void TTBWAlignmentPanel::Paint()
{
  // At design time only: an outline that shows where the panel lies.
  if (!ComponentState().Contains(csDesigning))
    return;
  HBRUSH brush = DitherBrush(clBtnFace, clBtnShadow);
  TRect r = ClientRect();
  FrameRect(Canvas()->Handle(), &r, brush);
  DeleteObject(brush);
}
