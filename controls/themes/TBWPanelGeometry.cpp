#include "controls/themes/TBWPanelGeometry.h"

TRect PanelCloseBox(bool InVerticalDock, bool CaptionVertical, int ClientWidth, int ClientHeight, int CaptionHeight)
{
  const int side = CaptionHeight - 1;
  if (InVerticalDock || !CaptionVertical) {
    const int left = ClientWidth - CaptionHeight + 3;
    return TRect(left, 2, left + side, 2 + side);
  }
  const int top = ClientHeight - CaptionHeight + 3;
  return TRect(2, top, 2 + side, top + side);
}

int PanelHitTest(const TPanelHitInput& In)
{
  const TRect& W = In.Window;
  const TPoint& P = In.Point;
  const int g = PanelResizeGrip;
  // 1. The edge facing the inside of the form resizes.
  if (In.Resizable || In.Designing) {
    switch (In.Dock) {
    case dpTop:
      if (P.y >= W.Bottom - g)
        return HTBOTTOM;
      break;
    case dpBottom:
      if (P.y <= W.Top + g)
        return HTTOP;
      break;
    case dpLeft:
      if (P.x >= W.Right - g)
        return HTRIGHT;
      break;
    case dpRight:
      if (P.x <= W.Left + g)
        return HTLEFT;
      break;
    }
  }
  // 2. Edges shared with a neighbour in a multi-dock split.
  if (P.x >= W.Right - g && In.Splits[psRight])
    return HT_SPLIT_RIGHT;
  if (P.y >= W.Bottom - g && In.Splits[psBottom])
    return HT_SPLIT_BOTTOM;
  if (P.x <= W.Left + g && In.Splits[psLeft])
    return HT_SPLIT_LEFT;
  if (P.y <= W.Top + g && In.Splits[psTop])
    return HT_SPLIT_TOP;
  if (In.InClient)
    return HTCLIENT;
  // 3. Inside the two-pixel ring: the caption bar and its close box.
  TRect inner = W;
  InflateRect(&inner, -2, -2);
  if (!PtInRect(&inner, P) || !In.CaptionShown || In.Designing)
    return 0;
  const TPoint local(P.x - W.Left, P.y - W.Top);
  if (!IsRectEmpty(&In.CloseBox) && PtInRect(&In.CloseBox, local))
    return HT_TB_CLOSE;
  return HT_TB_BORDER;
}

int DockedResizeLength(int Edge, const TRect& Initial, const TPoint& Start, const TPoint& Cursor)
{
  switch (Edge) {
  case HTLEFT:
    return Initial.Width() + (Start.x - Cursor.x);
  case HTRIGHT:
    return Initial.Width() + (Cursor.x - Start.x);
  case HTTOP:
    return Initial.Height() + (Start.y - Cursor.y);
  default:
    return Initial.Height() + (Cursor.y - Start.y);
  }
}

TRect PlaceMovingEdge(int Edge, const TRect& Initial, int Length)
{
  TRect r = Initial;
  switch (Edge) {
  case HTLEFT:
    r.Left = r.Right - Length;
    break;
  case HTRIGHT:
    r.Right = r.Left + Length;
    break;
  case HTTOP:
    r.Top = r.Bottom - Length;
    break;
  default:
    r.Bottom = r.Top + Length;
    break;
  }
  return r;
}

int ClampDockedLength(int Size, int ParentExtent, int NonClient, int MinClient, int MaxClient)
{
  if (Size > ParentExtent - 32)
    Size = ParentExtent - 32;
  int client = Size - NonClient;
  if (client < MinClient)
    client = MinClient;
  else if (MaxClient > MinClient && client > MaxClient)
    client = MaxClient;
  return client + NonClient;
}
