// TActionLink: a link whose client shows the properties of a TCustomAction.
// A client's link overrides the setters it shows, and the Is...Linked tests
// to keep a property of its own.
#pragma once

#include <string>

#include "platform/classes/actions/BasicActionLink.h"
#include "platform/classes/menus/ShortCuts.h"

class TActionLink : public TBasicActionLink {
public:
  virtual bool IsCaptionLinked() const;
  virtual bool IsCheckedLinked() const;
  virtual bool IsEnabledLinked() const;
  virtual bool IsGroupIndexLinked() const;
  virtual bool IsHelpContextLinked() const;
  virtual bool IsHintLinked() const;
  virtual bool IsImageIndexLinked() const;
  virtual bool IsShortCutLinked() const;
  virtual bool IsVisibleLinked() const;
  virtual bool IsAutoCheckLinked() const;

  virtual void SetAutoCheck(bool) {}
  virtual void SetCaption(const std::string&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetGroupIndex(int) {}
  virtual void SetHelpContext(int) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetImageIndex(int) {}
  virtual void SetShortCut(TShortCut) {}
  virtual void SetVisible(bool) {}

protected:
  TCustomAction* CustomAction() const;
};
