// TPropStack: the property sets of the open elements, one per element, the
// bottom entry the document's default set. Each pushed entry inherits from
// the one below it and is completed from the style sheet.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/html/styles/FontMemo.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/text/FreeList.h"
#include "platform/base/Method.h"

class THtmlFontService;
class TStyleList;

class TPropStack : public TFreeList {
public:
  // The entries Push makes realise their fonts with Fonts, which outlives the stack.
  explicit TPropStack(const THtmlFontService& Fonts) : FFonts(Fonts) {}
  const THtmlFontService& Fonts() const { return FFonts; }

  // The style sheet that Push combines new entries with.
  TStyleList* Styles = nullptr;
  // Told about an entry that carries a drawn border style when it is popped
  // by name: its inline box ends here.
  Method<void(TProperties* Props)> OnEndInlineBox;

  TProperties* Last() const { return static_cast<TProperties*>(TFreeList::Last()); }
  TProperties* Items(int Index) const { return static_cast<TProperties*>(TFreeList::Items(Index)); }

  // Deeper nesting than this comes only from elements left open: the stack
  // then forgets its oldest element, which keeps every operation bounded.
  static constexpr int MaxDepth = 256;

  // Appends an entry for the element, inherited from the top and combined
  // with the style sheet and the STYLE-attribute set AProp (copied).
  TProperties* Push(const std::string& Tag, const std::string& AClass, const std::string& AnID,
                    const std::string& Pseudo, const std::string& ATitle, TProperties* AProp);
  // Frees the top entry, but never the bottom one.
  void Pop();
  // Removes the nearest entry named Tag above the bottom one (nothing when
  // there is none); the entries above it are then inherited again, so that
  // what was set inside an element left open follows its removal.
  void PopAName(const std::string& Tag);
  // Forgets the fonts its entries realised: a new parse starts afresh.
  void ForgetFonts() { FFontMemo.Clear(); }

private:
  const THtmlFontService& FFonts;
  // Popped entries, reset and handed out again by Push: one allocation per
  // nesting level instead of one per element.
  std::vector<std::unique_ptr<TProperties>> FSpare;
  // Shared by every entry Push makes.
  TFontMemo FFontMemo;
};
