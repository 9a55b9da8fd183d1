// The element names of cells: one shared copy per name, the names
// themselves unchanged.
#include <gtest/gtest.h>

#include <string>

#include "controls/html/document/CellTag.h"

namespace {

TEST(CellTagTest, EqualNamesShareOneCopyAndKeepTheirText)
{
  const char* Names[] = {"default", "body", "li", "h3", "tablecaption", "x-element", "marquee"};
  for (const char* Name : Names) {
    const TCellTag A(std::string{Name});  // from a transient copy, as the builder gives names
    const TCellTag B{std::string_view(Name)};
    EXPECT_EQ(A.c_str(), B.c_str()) << Name;
    EXPECT_TRUE(A == Name) << Name;
    EXPECT_EQ(A.Name(), Name);
  }
  EXPECT_TRUE(TCellTag() == "default");
  EXPECT_FALSE(TCellTag("ul") == "ol");
  EXPECT_FALSE(TCellTag("l") == "li");
}

}  // namespace
