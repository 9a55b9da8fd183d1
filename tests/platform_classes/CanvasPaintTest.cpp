// Painting through a lent context: whatever Paint does, the canvas ends up
// unlocked and without the context, for graphic controls, custom controls and
// forms alike.
#include "ClassesTestSupport.h"

namespace {

using CanvasPaintTest = ClassesFixture;

// Each painter checks the canvas while painting, then raises if asked to.
template <class TBase>
class TPainter : public TBase {
public:
  using TBase::TBase;
  using TBase::Canvas;
  bool Raise = false;
  int LocksSeen = -1;
  bool HandleSeen = false;

protected:
  void Paint() override
  {
    LocksSeen = Canvas()->LockCount();
    HandleSeen = Canvas()->HandleAllocated();
    if (Raise)
      throw Exception("peinture");
  }
};

class TPaintedCustom : public TPainter<TCustomControl> {
public:
  using TPainter::TPainter;
  using TCustomControl::PaintWindow;
};

class TPaintedForm : public TPainter<TForm> {
public:
  using TPainter::TPainter;
  using TCustomForm::PaintWindow;
};

}  // namespace

TEST_F(CanvasPaintTest, PaintingLocksAndLendsTheContextAndGivesBothBackOnAnException)
{
  HDC dc = CreateCompatibleDC(nullptr);
  auto* form = TCustomForm::Create<TPaintedForm>(Application());
  auto* custom = new TPaintedCustom(form);
  custom->SetParent(form);
  auto* graphic = new TPainter<TGraphicControl>(form);
  graphic->SetParent(form);

  for (bool raise : {false, true}) {
    SCOPED_TRACE(raise ? "raising" : "quiet");
    form->Raise = custom->Raise = graphic->Raise = raise;
    auto paint = [&](auto* painter, const std::function<void()>& call) {
      painter->LocksSeen = -1;
      painter->HandleSeen = false;
      if (raise)
        EXPECT_THROW(call(), Exception);
      else
        call();
      EXPECT_EQ(painter->LocksSeen, 1);
      EXPECT_TRUE(painter->HandleSeen);
      EXPECT_EQ(painter->Canvas()->LockCount(), 0);
      EXPECT_FALSE(painter->Canvas()->HandleAllocated());
    };
    paint(form, [&] { form->PaintWindow(dc); });
    paint(custom, [&] { custom->PaintWindow(dc); });
    paint(graphic, [&] { graphic->Perform(WM_PAINT, WPARAM(dc), 0); });
  }
  form->Free();
  DeleteDC(dc);
}
