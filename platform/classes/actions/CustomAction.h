// TCustomAction: an action with the properties its clients show (caption,
// checked, enabled, hint, image, shortcuts, visible), passed on to every
// linked client as they change. Checked actions of one GroupIndex (above 0)
// in one list exclude each other.
#pragma once

#include <memory>
#include <string>

#include "platform/classes/actions/ActionTypes.h"
#include "platform/classes/actions/ContainedAction.h"
#include "platform/classes/menus/ShortCuts.h"

class TCustomAction : public TContainedAction {
public:
  explicit TCustomAction(TComponent* AOwner);
  ~TCustomAction() override;

  // Updates, toggles an AutoCheck action, then runs it if enabled.
  bool Execute() override;
  // What a matched shortcut does: Execute.
  virtual bool HandleShortCut() { return Execute(); }
  // OnHint's say on the hint text; true when it may show.
  virtual bool DoHint(std::string& HintStr);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  // Further shortcut texts ("Alt+S"), made on first use.
  TShortCutList* SecondaryShortCuts();
  bool HasSecondaryShortCuts() const { return FSecondaryShortCuts != nullptr; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool DisableIfNoHandler() const { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool Value) { FDisableIfNoHandler = Value; }
  // The list's images.
  TCustomImageList* Images() const;

  THintEvent OnHint;

private:
  friend class TCustomActionList;
  template <class F>
  void ForEachLink(F f);

  std::string FCaption;
  bool FChecked = false;
  bool FChecking = false;
  bool FEnabled = true;
  bool FSavedEnabledState = true;
  int FHelpContext = 0;
  std::string FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  std::unique_ptr<TShortCutList> FSecondaryShortCuts;
  bool FVisible = true;
  bool FAutoCheck = false;
  int FGroupIndex = 0;
  bool FDisableIfNoHandler = true;
};
