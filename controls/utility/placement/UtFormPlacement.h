// TUtFormPlacement: dropped on a form, it saves the form's state and
// position (and the focused control's name) into a settings store when the
// form closes or is destroyed, restores them when it is shown, and through
// a hook on the form keeps it from being resized or gives it tracking
// sizes. TUtIniLink objects (the check list box's storage) save and load
// their own data at the same moments.
#pragma once

#include <string>
#include <vector>

#include "controls/utility/UtComponent.h"
#include "platform/base/Set.h"
#include "platform/base/Persistent.h"
#include "platform/classes/forms/FormTypes.h"
#include "platform/win/window/WindowTypes.h"

class TUtCustomAppStorage;
class TUtFormPlacement;
class TUtWindowHook;
class TCustomForm;

// Sender of its events is the link itself.
class TUtIniLink : public TPersistent {
public:
  TUtIniLink() = default;
  ~TUtIniLink();
  TUtIniLink(const TUtIniLink&) = delete;
  TUtIniLink& operator=(const TUtIniLink&) = delete;
  TUtFormPlacement* Storage() const { return FStorage; }
  void SetStorage(TUtFormPlacement* Value);
  TNotifyEvent OnSave;
  TNotifyEvent OnLoad;

private:
  friend class TUtFormPlacement;
  TUtFormPlacement* FStorage = nullptr;
};

class TUtWinMinMaxInfo {
public:
  explicit TUtWinMinMaxInfo(TUtFormPlacement* Owner) : FOwner(Owner) {}
  const MINMAXINFO& Info() const { return FInfo; }
  void Assign(const TUtWinMinMaxInfo& Source);
  bool Empty() const;
#define UT_MINMAX_PROPERTY(Name, Member)                   \
  int Name() const { return FInfo.Member; }                \
  void Set##Name(int Value) { SetValue(FInfo.Member, Value); }
  UT_MINMAX_PROPERTY(MaxPosLeft, ptMaxPosition.x)
  UT_MINMAX_PROPERTY(MaxPosTop, ptMaxPosition.y)
  UT_MINMAX_PROPERTY(MaxSizeHeight, ptMaxSize.y)
  UT_MINMAX_PROPERTY(MaxSizeWidth, ptMaxSize.x)
  UT_MINMAX_PROPERTY(MaxTrackHeight, ptMaxTrackSize.y)
  UT_MINMAX_PROPERTY(MaxTrackWidth, ptMaxTrackSize.x)
  UT_MINMAX_PROPERTY(MinTrackHeight, ptMinTrackSize.y)
  UT_MINMAX_PROPERTY(MinTrackWidth, ptMinTrackSize.x)
#undef UT_MINMAX_PROPERTY

private:
  void SetValue(int& Member, int Value);
  TUtFormPlacement* FOwner;
  MINMAXINFO FInfo{};
};

enum TPlacementOption : std::uint8_t { fpState, fpPosition, fpActiveControl };
CORVANE_ENUM_RANGE(TPlacementOption, 0, 2);
using TPlacementOptions = Set<TPlacementOption>;

class TUtFormPlacement : public TUtComponent {
public:
  explicit TUtFormPlacement(TComponent* AOwner);
  ~TUtFormPlacement() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  TUtCustomAppStorage* AppStorage() const { return FAppStorage; }
  void SetAppStorage(TUtCustomAppStorage* Value);
  const std::string& AppStoragePath() const { return FAppStoragePath; }
  void SetAppStoragePath(const std::string& Value);
  TUtWinMinMaxInfo* MinMaxInfo() { return &FMinMaxInfo; }
  TPlacementOptions Options() const { return FOptions; }
  void SetOptions(TPlacementOptions Value) { FOptions = Value; }
  bool PreventResize() const { return FPreventResize; }
  void SetPreventResize(bool Value);
  int Version() const { return FVersion; }
  void SetVersion(int Value) { FVersion = Value; }
  bool Saved() const { return FSaved; }
  bool Restored() const { return FRestored; }

  void StoreAll();
  void LoadAll();
  // Takes over the form's OnShow, OnCloseQuery and OnDestroy (what loading
  // the form does; call it once the form is built in code).
  void Loaded() override;

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void WriteValues();
  virtual void ReadValues();

private:
  friend class TUtIniLink;
  friend class TUtWinMinMaxInfo;
  TCustomForm* Form() const;
  void TakeOverForm();
  void GiveBackForm();
  void UpdateHook();
  void MinMaxChanged();
  void CorrectPlacement();
  void UpdateBorderIcons();
  bool Loading() const;
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormDestroy(TObject* Sender);
  void AfterMessage(TObject* Sender, TMessage& Msg, bool& Handled);

  bool FActive = true;
  TUtCustomAppStorage* FAppStorage = nullptr;
  std::string FAppStoragePath;
  TUtWinMinMaxInfo FMinMaxInfo{this};
  TPlacementOptions FOptions;
  bool FPreventResize = false;
  int FVersion = 0;
  TUtWindowHook* FHook = nullptr;
  std::vector<TUtIniLink*> FLinks;
  TNotifyEvent FSavedShow;
  Method<void(TObject*, bool&)> FSavedCloseQuery;
  TNotifyEvent FSavedDestroy;
  bool FTookOver = false;
  // Whether the form had its maximise icon before PreventResize took it.
  bool FHadMaxIcon = true;
  bool FSaved = false;
  bool FRestored = false;
  bool FSavingOnDestroy = false;
};
