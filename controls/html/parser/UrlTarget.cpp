#include "controls/html/parser/UrlTarget.h"

namespace {

int LinkCounter = 0;

}  // namespace

void TUrlTarget::Assign(const std::string& AUrl, const std::string& ATarget)
{
  URL = AUrl;
  Target = ATarget;
  ID = ++LinkCounter;
}

void TUrlTarget::Copy(const TUrlTarget& Other)
{
  URL = Other.URL;
  Target = Other.Target;
  ID = Other.ID;
  TabIndex = Other.TabIndex;
}

void TUrlTarget::Clear()
{
  URL.clear();
  Target.clear();
  ID = 0;
  TabIndex = 0;
}
