// TMapItem: a client-side image map (MAP): named areas, each a region built
// from an AREA's SHAPE and COORDS, with the area's HREF, TARGET and TITLE.
// An image with USEMAP asks it which link lies under a point of the image.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Object.h"
#include "platform/win/gdi/GdiTypes.h"

class TAttributeList;
class TUrlTarget;

class TMapItem : public TObject {
public:
  TMapItem() = default;
  ~TMapItem() override;
  TMapItem(const TMapItem&) = delete;
  TMapItem& operator=(const TMapItem&) = delete;

  std::string MapName;
  // The areas in order: HREF, region, TARGET and TITLE of each.
  struct TArea {
    std::string Href, Target, Title;
    HRGN Region = nullptr;
  };
  std::vector<TArea> Areas;

  // Adds the area of one AREA element when its shape can be built.
  void AddArea(const TAttributeList& Attributes);
  // The first area holding (X, Y) decides: true with its link and title when
  // it has an HREF; false when it has none or no area holds the point.
  bool GetURL(int X, int Y, TUrlTarget& Link, std::string& Title) const;
};

// The numbers of a COORDS value: tokens up to a comma or blank, at most 20
// characters each, 0 for what is not a number; at most 301 numbers.
std::vector<int> ParseCoords(const std::string& Value);
