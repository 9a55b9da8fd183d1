// TSectionImages: the pictures and boxes that stand in a text section's
// text. Most sections of a conversation hold none (a header, the break
// between messages): the list is allocated with the first image, and a
// section without one pays a pointer. It reads as the image list does
// (Items, Count, FindImage, ImageAt).
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>

#include "controls/html/document/ImageObj.h"

class TSectionImages {
public:
  // The images in text order, as the list's vector reads (none before the first).
  class TItems {
  public:
    using value_type = std::unique_ptr<TImageObj>;
    bool empty() const { return !FList || FList->Items.empty(); }
    std::size_t size() const { return FList ? FList->Items.size() : 0; }
    const value_type* begin() const { return FList ? FList->Items.begin() : nullptr; }
    const value_type* end() const { return FList ? FList->Items.begin() + FList->Items.size() : nullptr; }
    const value_type& operator[](std::size_t I) const { return FList->Items[I]; }
    const value_type& front() const { return FList->Items.front(); }
    const value_type& at(std::size_t I) const
    {
      if (I >= size())
        throw std::out_of_range("TSectionImages::TItems::at");
      return FList->Items[I];
    }

  private:
    friend class TSectionImages;
    std::unique_ptr<TImageObjList> FList;
  };

  TItems Items;

  int Count() const { return int(Items.size()); }
  // The image at Pos; null when none.
  TImageObj* FindImage(int Pos) const { return Items.FList ? Items.FList->FindImage(Pos) : nullptr; }
  // The image whose client box holds the document point; null when none.
  TImageObj* ImageAt(int X, int Y) const { return Items.FList ? Items.FList->ImageAt(X, Y) : nullptr; }
  // Appends Image (at a position after every image held).
  void Add(std::unique_ptr<TImageObj> Image)
  {
    if (!Items.FList)
      Items.FList = std::make_unique<TImageObjList>();
    Items.FList->Items.push_back(std::move(Image));
  }
};
