#include "controls/themes/XTBItems.h"

#include <algorithm>

#include "controls/themes/XTBViewers.h"
#include "platform/base/CodePage.h"
#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"
#include "platform/classes/controls/Control.h"

std::string WideToSystemText(const WideString& Text) { return WideToCodePage(CP_ACP, Text); }

WideString SystemTextToWide(const std::string& Text) { return CodePageToWide(CP_ACP, Text); }

TXTBCustomItem::TXTBCustomItem(TComponent* AOwner) : TTBWCustomItem(AOwner)
{
  SetDisplayMode(nbdmImageAndText);
  SetStretch(true);
}

void TXTBCustomItem::SetCaption(const WideString& Value)
{
  if (FCaption == Value)
    return;
  FCaption = Value;
  TTBCustomItem::SetCaption(WideToSystemText(Value));
}

void TXTBCustomItem::SetHint(const WideString& Value)
{
  if (FHint == Value)
    return;
  FHint = Value;
  TTBCustomItem::SetHint(WideToSystemText(Value));
}

void TXTBCustomItem::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  ItemChanged(false);
}

void TXTBCustomItem::ChangeCustomSize(int& Field, int Value)
{
  Value = std::max(Value, -1);
  if (Field == Value)
    return;
  Field = Value;
  ItemChanged(true);
}

void TXTBCustomItem::SetControl(TControl* Value)
{
  if (FControl == Value)
    return;
  FControl = Value;
  if (Value)
    Value->FreeNotification(this);
  UpdateProps();
}

bool TXTBCustomItem::DialogChar(WORD) { return false; }

void TXTBCustomItem::DoDrawHint(TBitmap* HintBitmap, WideString& Hint, bool& PaintDefault)
{
  if (OnDrawHint)
    OnDrawHint(this, HintBitmap, Hint, PaintDefault);
}

void TXTBCustomItem::DoDrawItem(TCanvas* Canvas, const TRect& ARect, const TTBWItemInfo& ItemInfo,
                                TXTBPaintStage PaintStage, bool& PaintDefault)
{
  if (OnDrawItem)
    OnDrawItem(this, Canvas, ARect, ItemInfo, PaintStage, PaintDefault);
}

void TXTBCustomItem::DoDrawCaption(TCanvas* Canvas, const TRect& ClientAreaRect, WideString& Caption,
                                   TRect& CaptionRect, bool IsTextRotated, TXTBPaintStage PaintStage,
                                   bool& PaintDefault)
{
  if (OnDrawCaption)
    OnDrawCaption(this, Canvas, ClientAreaRect, Caption, CaptionRect, IsTextRotated, PaintStage, PaintDefault);
}

void TXTBCustomItem::DoDrawImage(TCanvas* Canvas, const TTBWItemInfo& ItemInfo, TXTBPaintStage PaintStage,
                                 TCustomImageList*& ImageList, int& ImageIndex, TRect& ARect, bool& PaintDefault)
{
  if (OnDrawImage)
    OnDrawImage(this, Canvas, ItemInfo, PaintStage, ImageList, ImageIndex, ARect, PaintDefault);
}

void TXTBCustomItem::ToggleControl()
{
  if (FControl)
    FControl->SetVisible(!FControl->Visible());
}

void TXTBCustomItem::UpdateProps()
{
  if (!FControl || ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning) ||
      ComponentState().Contains(csDestroying))
    return;
  SetChecked(FControl->Visible());
}

TTBItemViewer* TXTBCustomItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TXTBItemViewer(AView, this, InlineDepth);
}

void TXTBCustomItem::Click()
{
  if (FControl)
    ToggleControl();
  TTBWCustomItem::Click();
}

void TXTBCustomItem::RefreshFromAction()
{
  TTBWCustomItem::RefreshFromAction();
  UpdateProps();
}

void TXTBCustomItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
  if (auto* action = dynamic_cast<TCustomAction*>(Sender)) {
    if (!CheckDefaults || FCaption.empty())
      SetCaption(SystemTextToWide(action->Caption()));
    if (!CheckDefaults || FHint.empty())
      SetHint(SystemTextToWide(action->Hint()));
  }
  TTBWCustomItem::ActionChange(Sender, CheckDefaults);
}

TTBCustomItemActionLink* TXTBCustomItem::NewActionLink() { return new TXTBCustomItemActionLink(this); }

void TXTBCustomItem::Notification(TComponent* AComponent, TOperation Operation)
{
  TTBWCustomItem::Notification(AComponent, Operation);
  if (Operation == opRemove && FControl && AComponent == FControl)
    SetControl(nullptr);
}

// Streaming: both texts are stored wide, and only when not empty; a stream
// that holds them as 8-bit text still loads.

void TXTBCustomItem::DefineProperties(TFiler* Filer)
{
  TTBWCustomItem::DefineProperties(Filer);
  Filer->DefineProperty("CaptionW", TReaderProc(this, &TXTBCustomItem::ReadCaption),
                        TWriterProc(this, &TXTBCustomItem::WriteCaption), !FCaption.empty());
  Filer->DefineProperty("HintW", TReaderProc(this, &TXTBCustomItem::ReadHint),
                        TWriterProc(this, &TXTBCustomItem::WriteHint), !FHint.empty());
}

void TXTBCustomItem::ReadCaption(TReader* Reader) { SetCaption(Reader->ReadWideString()); }

void TXTBCustomItem::WriteCaption(TWriter* Writer) { Writer->WriteWideString(FCaption); }

void TXTBCustomItem::ReadHint(TReader* Reader) { SetHint(Reader->ReadWideString()); }

void TXTBCustomItem::WriteHint(TWriter* Writer) { Writer->WriteWideString(FHint); }

// Action link

void TXTBCustomItemActionLink::SetCaption(const std::string& Value)
{
  if (IsCaptionLinked())
    FClient->SetCaption(SystemTextToWide(Value));
}

void TXTBCustomItemActionLink::SetHint(const std::string& Value)
{
  if (IsHintLinked())
    FClient->SetHint(SystemTextToWide(Value));
}

// Submenu and separator items

TXTBSubmenuItem::TXTBSubmenuItem(TComponent* AOwner) : TXTBItem(AOwner)
{
  // 0x0080 marks the sub-items as editable in a designer; nothing here reads it.
  SetItemStyle(TTBItemFlags(ItemStyle() | tbsfOpensSubmenu | 0x0080));
}

TTBItemViewer* TXTBSeparatorItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TXTBSeparatorItemViewer(AView, this, InlineDepth);
}
