// TUrlTarget: the link whose text is being read: its URL and target, a link
// number that tells its parts apart from other links, and its tab index.
#pragma once

#include <string>

#include "platform/base/Object.h"

class TUrlTarget : public TObject {
public:
  // Stores both texts and takes the next link number.
  void Assign(const std::string& AUrl, const std::string& ATarget);
  void Copy(const TUrlTarget& Other);
  void Clear();

  std::string URL;
  std::string Target;
  int ID = 0;        // the link number
  int TabIndex = 0;  // set by the parser from TABINDEX
};
