#include "controls/html/styles/PropNames.h"

namespace {

constexpr std::string_view Names[PropCount] = {
    "font-family",       "font-size",          "font-style",          "font-weight",
    "text-align",        "text-decoration",    "letter-spacing",      "border-style",
    "color",             "background-color",   "border-color",        "margin-top",
    "margin-right",      "margin-bottom",      "margin-left",         "padding-top",
    "padding-right",     "padding-bottom",     "padding-left",        "border-top-width",
    "border-right-width", "border-bottom-width", "border-left-width", "border-top-color",
    "border-right-color", "border-bottom-color", "border-left-color", "border-top-style",
    "border-right-style", "border-bottom-style", "border-left-style", "width",
    "height",            "top",                "left",                "visibility",
    "line-height",       "background-image",   "background-position", "background-repeat",
    "background-attachment", "vertical-align", "position",            "z-index",
    "list-style-type",   "list-style-image",   "float",               "clear",
    "text-indent",       "page-break-before",  "page-break-after",    "page-break-inside",
    "text-transform",    "font-variant",       "display",
};

}  // namespace

std::string_view PropName(int Index)
{
  return Index >= 0 && Index < PropCount ? Names[Index] : std::string_view();
}

bool FindPropIndex(std::string_view Name, int& Index)
{
  for (int I = 0; I < PropCount; ++I)
    if (Names[I] == Name) {
      Index = I;
      return true;
    }
  return false;
}
