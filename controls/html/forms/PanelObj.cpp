#include "controls/html/forms/PanelObj.h"

#include <algorithm>
#include <cstdlib>

#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/PanelWindow.h"
#include "controls/html/parser/Attributes.h"
#include "platform/base/Exception.h"
#include "platform/base/MulDiv.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/win.h"

namespace {

constexpr int ParkedAt = -4000;

// MulDiv whose divisor may be zero: then nothing can be derived from it.
int Scaled(int Number, int Numerator, int Denominator)
{
  return Denominator == 0 ? 0 : MulDiv(Number, Numerator, Denominator);
}

}  // namespace

TWinControl* PanelAsWindow(ThvPanel* Panel) { return Panel; }

TPanelObj::TPanelObj(TSectionList* ADocument, TAttributeList& A, int APos) : TImageObj(ADocument, std::string())
{
  Pos = APos;
  Requested = true;  // no picture of its own
  Align = AlignBaseline;
  Panel = new ThvPanel(nullptr);
  Panel->SetBounds(ParkedAt, ParkedAt, 30, 20);
  Panel->SetBevelOuter(bvNone);
  Panel->SetBorderStyle(bsSingle);
  Panel->SetColor(0xFFFFFF);
  Panel->SetCtl3D(false);
  Panel->SetParentCtl3D(false);
  Panel->SetParentFont(false);
  Panel->SetCaption("");
  ADocument->Forms->AttachWindow(Panel);
  bool HasHSpace = false;
  for (int I = 0; I < A.Count(); ++I) {
    const TAttribute* At = A.Items(I);
    const std::string& S = At->Name;
    switch (At->Which) {
    case NameSy:
      Name = S;
      try {
        Panel->SetName(S);
      } catch (const Exception&) {
        // A name the class library does not take stays the element's only.
      }
      break;
    case SrcSy: Src = S; break;
    case AltSy: SetAlt(S); break;
    case TypeSy: Type = S; break;
    case AlignSy: {
      const std::string U = UpperCase(Trim(S));
      if (U == "TOP") Align = AlignTop;
      else if (U == "MIDDLE" || U == "ABSMIDDLE") Align = AlignMiddle;
      else if (U == "LEFT") Align = AlignLeft;
      else if (U == "RIGHT") Align = AlignRight;
      break;
    }
    case WidthSy:
      if (S.find('%') != std::string::npos) {
        SpecWidth = std::clamp(At->Value, 1, 100);
        PercentWidth = true;
      } else {
        SpecWidth = std::clamp(At->Value, 0, MaxSize);
        Panel->SetWidth(SpecWidth);
      }
      break;
    case HeightSy:
      if (S.find('%') != std::string::npos) {
        if (At->Value >= 1 && At->Value <= 100) {
          SpecHeight = At->Value;
          PercentHeight = true;
        }
      } else {
        SpecHeight = std::clamp(At->Value, 1, MaxSize);
      }
      break;
    case HSpaceSy:
      HasHSpace = true;
      HSpaceL = HSpaceR = std::min(std::abs(std::clamp(At->Value, -100000, 100000)), 40);
      break;
    case VSpaceSy: VSpaceT = VSpaceB = std::min(std::abs(std::clamp(At->Value, -100000, 100000)), 40); break;
    default: break;
    }
  }
  if (!HasHSpace)
    HSpaceL = HSpaceR = Floating() ? 3 : 0;
  TDocumentForms& F = *ADocument->Forms;
  if (F.OnPanelCreate)
    F.OnPanelCreate(Name, Type, Src, Panel);
  NaturalWidth = Panel->Width();
  NaturalHeight = Panel->Height();
  F.PanelList.push_back(this);
}

TPanelObj::~TPanelObj()
{
  TDocumentForms& F = *Document->Forms;
  std::erase(F.PanelList, this);
  if (F.OnPanelDestroy)
    F.OnPanelDestroy(Panel);
  Panel->SetParent(nullptr);
  Panel->SetParentWindow(nullptr);
  delete Panel;
}

void TPanelObj::Measure(int AvailHeight, int AvailWidth, const TFontObj* Font)
{
  (void)Font;
  if (Sized && !PercentWidth && !PercentHeight)
    return;
  int W, H;
  const bool HasW = SpecWidth >= 0, HasH = SpecHeight >= 0;
  if (PercentWidth) {
    W = MulDiv(std::max(0, AvailWidth), SpecWidth, 100);
    H = PercentHeight ? MulDiv(std::max(0, AvailHeight), SpecHeight, 100)
      : HasH          ? SpecHeight
                      : Scaled(W, NaturalHeight, NaturalWidth);
  } else if (PercentHeight) {
    H = MulDiv(std::max(0, AvailHeight), SpecHeight, 100);
    W = HasW ? SpecWidth : Scaled(H, NaturalWidth, NaturalHeight);
  } else if (HasW && HasH) {
    W = SpecWidth;
    H = SpecHeight;
  } else if (HasH) {
    H = SpecHeight;
    W = NaturalHeight == 0 ? NaturalWidth : Scaled(H, NaturalWidth, NaturalHeight);
  } else if (HasW) {
    W = SpecWidth;
    H = NaturalWidth == 0 ? NaturalHeight : Scaled(W, NaturalHeight, NaturalWidth);
  } else {
    W = NaturalWidth;
    H = NaturalHeight;
  }
  ClientWidth = ImageWidth = std::clamp(W, 0, MaxSize);
  ClientHeight = ImageHeight = std::clamp(H, 0, MaxSize);
  Sized = true;
  if (Panel->Width() != ClientWidth || Panel->Height() != ClientHeight)
    Panel->SetBounds(Panel->Left(), Panel->Top(), ClientWidth, ClientHeight);
}

void TPanelObj::Draw(HDC DC, int X, int Baseline, int LineTop, const TFontObj* Font)
{
  (void)Font;
  int Y;
  switch (Align) {
  case AlignTop:
  case AlignLeft:
  case AlignRight: Y = LineTop + VSpaceT; break;
  case AlignMiddle: Y = Baseline - (ClientHeight + VSpaceB - VSpaceT) / 2; break;
  default: Y = Baseline - ClientHeight - VSpaceB; break;
  }
  DrawX = X;
  DrawY = Y;
  Shown = true;
  if (Document->Printing) {  // the window stays; its picture goes onto the page
    if (Panel->ShowIt)
      PrintTo(DC, X, Y - Document->YOff);
    return;
  }
  if (!Panel->ShowIt) {
    Park();
    return;
  }
  const int SY = Y - Document->YOff;
  if (Panel->Left() != X || Panel->Top() != SY)
    Panel->SetBounds(X, SY, ClientWidth, ClientHeight);
  if (!Panel->Visible())
    Panel->Show();
}

void TPanelObj::Park()
{
  if (Panel->Left() != ParkedAt)
    Panel->SetBounds(ParkedAt, ParkedAt, Panel->Width(), Panel->Height());
}

void TPanelObj::PrintTo(HDC DC, int X, int Y)
{
  if (!Panel->ShowIt)
    return;
  TDocumentForms& F = *Document->Forms;
  if (F.OnPanelPrint) {
    TBitmap Picture;
    Picture.SetSize(ClientWidth, ClientHeight);
    const int OldW = Panel->Width(), OldH = Panel->Height();
    Panel->SetBounds(Panel->Left(), Panel->Top(), ClientWidth, ClientHeight);
    try {
      F.OnPanelPrint(Panel, &Picture);
    } catch (...) {
      Panel->SetBounds(Panel->Left(), Panel->Top(), OldW, OldH);
      throw;
    }
    Panel->SetBounds(Panel->Left(), Panel->Top(), OldW, OldH);
    BitBlt(DC, X, Y, ClientWidth, ClientHeight, Picture.Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  const int Saved = SaveDC(DC);
  HBRUSH Fill = CreateSolidBrush(Panel->Color());
  const TRect R{X, Y, X + ClientWidth, Y + ClientHeight};
  FillRect(DC, &R, Fill);
  DeleteObject(Fill);
  HBRUSH Black = CreateSolidBrush(0);
  FrameRect(DC, &R, Black);
  DeleteObject(Black);
  TRect Inside{X + 15, Y + 15, X + ClientWidth - 15, Y + ClientHeight - 15};
  SetBkMode(DC, TRANSPARENT);
  DrawText(DC, Alt().c_str(), int(Alt().size()), &Inside, DT_WORDBREAK);
  RestoreDC(DC, Saved);
}
