// TTBWMultiDock: a dock that holds only dockable panels, in one row along
// its length. Every shown panel gets the dock's full thickness; the length is
// shared by the panels' split sizes within their limits (ArrangeWindows).
// TXTBMultiDock adds a position with a client-filling variant.
#pragma once

#include <cstdint>

#include "controls/toolbar/TBDock.h"

class TTBWDockablePanel;

class TTBWMultiDock : public TTBDock {
public:
  using TTBDock::TTBDock;

  // The last positive thickness the arrangement gave the dock.
  int PanelThickness() const { return FPanelThickness; }

  bool AcceptsDockableWindow(TTBCustomDockableWindow* Window) override;
  void ArrangeWindows() override;
  // Applies the lengths a split drag reached (positions along the dock): one
  // arrangement for all of them.
  void ApplySplitSizes(const std::vector<TTBWDockablePanel*>& Panels, const std::vector<int>& Positions,
                       const std::vector<int>& Lengths, const std::vector<int>& Thicknesses);
  // The dock's inner length (without its bound lines), at least 0.
  int InnerLength() const;
  // A new length shares out anew.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
  void Paint() override;
  // Only dockable panels may be put into the dock.
  void ValidateInsert(TComponent* AComponent) override;

private:
  // One arrangement; false when it was only noted as pending.
  bool ArrangeOnce();

  int FPanelThickness = 0;
};

enum TXTBDockPosition : std::uint8_t { dpxLeft, dpxTop, dpxRight, dpxBottom, dpxClient };

class TXTBMultiDock : public TTBWMultiDock {
public:
  explicit TXTBMultiDock(TComponent* AOwner);

  TXTBDockPosition Position() const { return FPosition; }
  void SetPosition(TXTBDockPosition Value);

  void ArrangeWindows() override;

private:
  TXTBDockPosition FPosition = dpxTop;
};

inline constexpr const char* STBWMultiDockCannotInsert = "Cannot insert %s into TTBWMultiDock";
