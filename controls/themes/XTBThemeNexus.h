// Visual-style handles of the tab, progress and track-bar classes, kept
// open for the extended controls that paint such parts, and closed and
// reopened around every visual-style change the theme manager announces.
#pragma once

#include <string>

#include "platform/base/Object.h"
#include "platform/classes/MessageDispatch.h"
#include "platform/visualstyles/VisualStyles.h"

class TXtThemeNexus : public TObject, public TMessageDispatcher {
public:
  TXtThemeNexus();
  ~TXtThemeNexus() override;

  // Null while the library is missing or visual styles are off.
  HTHEME TabTheme() const { return FTab; }
  HTHEME ProgressTheme() const { return FProgress; }
  HTHEME TrackBarTheme() const { return FTrackBar; }
  bool LibraryLoaded() const { return FLibrary != nullptr; }

  void Dispatch(TMessage& Message) override;

  // For tests: the library the next nexus loads ("uxtheme.dll"; another
  // name plays a system without it).
  static void SetLibraryName(const std::string& Name);

private:
  void OpenHandles();
  void CloseHandles();

  HMODULE FLibrary = nullptr;
  HTHEME FTab = nullptr, FProgress = nullptr, FTrackBar = nullptr;
};
