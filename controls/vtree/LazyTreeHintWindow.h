// The tree's hint window: node hints and tooltips for cut-off text, drawn
// into a bitmap of its own and shown at once, faded or slid in. The record
// TLTHintData is what a tree hands to it through the hint info.
#pragma once

#include <memory>
#include <string>

#include "controls/vtree/LazyTreeTypes.h"
#include "platform/classes/forms/HintWindow.h"

class TBaseLazyTree;
class TBitmap;

enum TLTHintMode { hmDefault, hmHint, hmHintAndDefault, hmTooltip };
enum THintAnimationType { hatNone, hatFade, hatSlide, hatSystemDefault };

struct TLTHintData {
  TBaseLazyTree* Tree = nullptr;
  PLazyNode Node = nullptr;  // nil for a header hint
  TColumnIndex Column = NoColumn;
  TRect HintRect;
  std::string DefaultHint;  // the text to show when not empty (UTF-8)
  std::string HintText;     // the text shown
  TBiDiMode BidiMode = bdLeftToRight;
  TAlignment Alignment = taLeftJustify;
};

// Set when a hint window or a tree showing a hint goes away, cleared when a
// hint window is made or hidden: a running animation stops on it.
bool HintWindowGone();
void SetHintWindowGone(bool Value);

class TLazyTreeHintWindow : public THintWindow {
public:
  explicit TLazyTreeHintWindow(TComponent* AOwner);
  ~TLazyTreeHintWindow() override;
  static THintWindow* Make(TComponent* AOwner) { return new TLazyTreeHintWindow(AOwner); }

  TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;
  void ActivateHint(TRect Rect, const std::string& AHint) override;
  bool IsHintMsg(const MSG& Msg) override;
  const TLTHintData& HintData() const { return FHintData; }
  // A tree going away: the hint it showed no longer names it (the window
  // may be hidden after the tree is gone).
  void ForgetTree(const TBaseLazyTree* Tree)
  {
    if (FHintData.Tree == Tree)
      FHintData = TLTHintData();
  }
  // One picture of the window: the hint (step size below 1: the final
  // state, always fully drawn), a fade step with alpha Step/255 over the
  // background, or a slide step showing the bottom Step rows at the top.
  void PaintStep(int Step, int StepSize);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;

private:
  bool IsNodeTooltip() const;
  void DrawHint();
  bool AnimationStep(int Step, int StepSize);

  TLTHintData FHintData;
  std::unique_ptr<TBitmap> FHintBitmap, FBackground, FBlend;
  THintAnimationType FAnimation = hatNone;
};
