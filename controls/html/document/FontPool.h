// TFontPool: the distinct fonts of one document. A chat of thousands of
// messages uses a handful of fonts, so the text runs share them instead of
// each holding its own copy; a run that changes its font (a link on hover)
// takes another of the pool's. The pool keeps every font it handed out until
// it is cleared, which the document does after its runs are gone: runs hold
// their font by a plain pointer.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

#include "controls/html/RecentRing.h"
#include "controls/html/styles/FontInfo.h"

class TFontPool {
public:
  // The pool's font equal to Font, added when there is none yet.
  std::shared_ptr<const TMyFont> Intern(const TMyFont& Font);
  void Clear()
  {
    FFonts.clear();
    FRecent.Clear();
  }
  std::size_t Count() const { return FFonts.size(); }

private:
  std::unordered_multimap<std::size_t, std::shared_ptr<const TMyFont>> FFonts;
  // The fonts handed out last: a document alternates between a few fonts,
  // and comparing with them is cheaper than hashing the font.
  TRecentRing<std::shared_ptr<const TMyFont>, 4> FRecent;
};

bool SameFont(const TMyFont& A, const TMyFont& B);
