// The option object of the text tree: the five option sets of every tree and
// the string options. TStringTreeOptions is the class the published text tree
// shows as its TreeOptions.
#pragma once

#include <string>
#include <vector>

#include "controls/vtree/LazyTreeOptions.h"

enum TLTStringOption { toSaveCaptions, toShowStaticText, toAutoAcceptEditChange };
CORVANE_ENUM_RANGE(TLTStringOption, 0, 7);
using TLTStringOptions = Set<TLTStringOption>;

class TCustomLazyStringTree;

class TCustomStringTreeOptions : public TCustomLazyTreeOptions {
public:
  explicit TCustomStringTreeOptions(TCustomLazyStringTree* Owner);

  TLTStringOptions StringOptions() const { return FStringOptions; }
  // Repaints the tree when toShowStaticText changed (not while it loads or without a window).
  void SetStringOptions(TLTStringOptions Value);
  // Copies the string options too when Source is a text tree's options.
  void Assign(const TCustomLazyTreeOptions& Source) override;
  // The "StringOptions" property of old forms, stored on the tree itself:
  // the set is emptied and toSaveCaptions and toShowStaticText are taken
  // from the names; other names are ignored.
  void ReadLegacyStringOptions(const std::vector<std::string>& Names);

private:
  TCustomLazyStringTree* FStringOwner;
  TLTStringOptions FStringOptions{toSaveCaptions, toAutoAcceptEditChange};
};

class TStringTreeOptions : public TCustomStringTreeOptions {
public:
  using TCustomStringTreeOptions::TCustomStringTreeOptions;
};
