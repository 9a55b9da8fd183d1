// TScreen: what the program knows of the screen and its forms: the forms in
// activation order, the active form and control, the table of cursors, the
// installed fonts, the screen's size and the fonts of hints and menus.
// Screen() answers the one instance.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Method.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/controls/ControlTypes.h"

class TForm;

class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // The forms of class TForm (and derived), in activation order.
  int FormCount() const;
  TForm* Forms(int Index) const;
  int CustomFormCount() const { return int(FCustomForms.size()); }
  TCustomForm* CustomForms(int Index) const { return FCustomForms.at(std::size_t(Index)); }
  TForm* ActiveForm() const { return FActiveForm; }
  TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  TCustomForm* FocusedForm() const { return FFocusedForm; }

  // The cursor shown everywhere (crDefault: each control's own).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // The cursor of a number: the standard ones for negative numbers, those a
  // program added for others (crDefault's arrow when unknown).
  HCURSOR Cursors(int Index) const;
  void SetCursors(int Index, HCURSOR Handle);

  // The font families installed (sorted, without duplicates).
  const std::vector<std::string>& Fonts();
  int Width() const;
  int Height() const;
  // The screen's logical resolution (the user's system font size).
  int PixelsPerInch() const;
  TRect DesktopRect() const;
  int DesktopLeft() const { return DesktopRect().Left; }
  int DesktopTop() const { return DesktopRect().Top; }
  int DesktopWidth() const { return DesktopRect().Width(); }
  int DesktopHeight() const { return DesktopRect().Height(); }
  TRect WorkAreaRect() const;
  TFont* HintFont() const { return FHintFont.get(); }
  TFont* MenuFont() const { return FMenuFont.get(); }
  TFont* IconFont() const { return FIconFont.get(); }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

  // Kept up to date by the forms.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveCustomForm(TCustomForm* Form);
  void SetFocusedControl(TCustomForm* Form, TWinControl* Control);
  // A control going away is no longer the active one.
  void ControlDestroyed(TControl* Control);

private:
  std::vector<TCustomForm*> FCustomForms;
  TForm* FActiveForm = nullptr;
  TCustomForm* FActiveCustomForm = nullptr;
  TCustomForm* FFocusedForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCursor FCursor = crDefault;
  std::map<int, HCURSOR> FCursorMap;
  std::vector<std::string> FFonts;
  std::unique_ptr<TFont> FHintFont;
  std::unique_ptr<TFont> FMenuFont;
  std::unique_ptr<TFont> FIconFont;
};

// The screen object (made on first use).
TScreen* Screen();
// The screen object when there is one (never makes it).
TScreen* ScreenIfAny();
