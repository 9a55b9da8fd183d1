// The published properties of the class library's classes, for readers of the
// run-time type information (settings stores, property listings). The
// enumerations and sets are described where they are declared.
#pragma once

#include "platform/classes/actions/ContainedAction.h"
#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/actions/CustomActionList.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Pen.h"
#include "platform/classes/menus/MenuItem.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_DESCRIBE_CLASS(TComponent, TPersistent, "Classes",
                       .Property("Name", &TComponent::Name, &TComponent::SetName)
                       .Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0));

CORVANE_DESCRIBE_CLASS(TFont, TPersistent, "Graphics",
                       .Property("Charset", &TFont::Charset, &TFont::SetCharset)
                       .Property("Color", &TFont::Color, &TFont::SetColor)
                       .Property("Height", &TFont::Height, &TFont::SetHeight)
                       .Property("Name", &TFont::Name, &TFont::SetName)
                       .Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault)
                       .Property("Size", &TFont::Size, &TFont::SetSize).Stored(false)
                       .Property("Style", &TFont::Style, &TFont::SetStyle));

CORVANE_DESCRIBE_CLASS(TPen, TPersistent, "Graphics",
                       .Property("Color", &TPen::Color, &TPen::SetColor).Default(0)
                       .Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy)
                       .Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid)
                       .Property("Width", &TPen::Width, &TPen::SetWidth).Default(1));

CORVANE_DESCRIBE_CLASS(TBrush, TPersistent, "Graphics",
                       .Property("Color", &TBrush::Color, &TBrush::SetColor).Default(0xFFFFFF)
                       .Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid));

CORVANE_DESCRIBE_CLASS(TCustomImageList, TComponent, "ImgList",
                       .Property("AllocBy", &TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy).Default(4)
                       .Property("BlendColor", &TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor)
                       .Property("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor)
                       .Property("DrawingStyle", &TCustomImageList::DrawingStyle,
                                 &TCustomImageList::SetDrawingStyle).Default(dsNormal)
                       .Property("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16)
                       .Property("ImageType", &TCustomImageList::ImageType, &TCustomImageList::SetImageType)
                       .Default(itImage)
                       .Property("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked).Default(1)
                       .Property("ShareImages", &TCustomImageList::ShareImages, &TCustomImageList::SetShareImages)
                       .Default(0)
                       .Property("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).Default(16));

CORVANE_DESCRIBE_CLASS(TMenuItem, TComponent, "Menus",
                       .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(0)
                       .Property("Break", &TMenuItem::Break, &TMenuItem::SetBreak).Default(mbNone)
                       .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                       .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(0)
                       .Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(0)
                       .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1)
                       .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0)
                       .Property("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext).Default(0)
                       .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
                       .Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1)
                       .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(0)
                       .Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0)
                       .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1));

CORVANE_DESCRIBE_CLASS(TMenu, TComponent, "Menus", );

CORVANE_DESCRIBE_CLASS(TPopupMenu, TMenu, "Menus",
                       .Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft)
                       .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(1)
                       .Property("HelpContext", &TPopupMenu::HelpContext, &TPopupMenu::SetHelpContext).Default(0)
                       .Property("TrackButton", &TPopupMenu::TrackButton, &TPopupMenu::SetTrackButton)
                       .Default(tbRightButton));

CORVANE_DESCRIBE_CLASS(TContainedAction, TComponent, "ActnList",
                       .Property("Category", &TContainedAction::Category, &TContainedAction::SetCategory));

CORVANE_DESCRIBE_CLASS(TCustomAction, TContainedAction, "ActnList",
                       .Property("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck).Default(0)
                       .Property("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption)
                       .Property("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked).Default(0)
                       .Property("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled).Default(1)
                       .Property("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex).Default(0)
                       .Property("HelpContext", &TCustomAction::HelpContext, &TCustomAction::SetHelpContext)
                       .Default(0)
                       .Property("Hint", &TCustomAction::Hint, &TCustomAction::SetHint)
                       .Property("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex).Default(-1)
                       .Property("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut).Default(0)
                       .Property("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible).Default(1));

CORVANE_DESCRIBE_CLASS(TCustomActionList, TComponent, "ActnList",
                       .Property("State", &TCustomActionList::State, &TCustomActionList::SetState).Default(asNormal));
