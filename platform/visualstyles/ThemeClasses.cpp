#include "platform/visualstyles/ThemeClasses.h"

#include <iterator>

#include "platform/visualstyles/VisualStyleParts.h"

namespace {

using K = TPartKind;
using S = TStateScheme;

constexpr TSize Stretch{0, 0};
constexpr TRect NoMargins{0, 0, 0, 0};
constexpr TRect Framed{1, 1, 1, 1};
constexpr TRect Padded{2, 2, 2, 2};

constexpr TPartLook ButtonParts[] = {
    {BP_PUSHBUTTON, K::PushButton, S::Push, Stretch, {3, 3, 3, 3}},
    {BP_RADIOBUTTON, K::RadioButton, S::Radio, {13, 13}, NoMargins},
    {BP_CHECKBOX, K::CheckBox, S::Check, {13, 13}, NoMargins},
};

constexpr TPartLook ScrollBarParts[] = {
    {SBP_ARROWBTN, K::ScrollArrow, S::Arrow, {17, 17}, NoMargins},
    {SBP_THUMBBTNHORZ, K::ScrollThumb, S::Push, Stretch, NoMargins},
    {SBP_THUMBBTNVERT, K::ScrollThumb, S::Push, Stretch, NoMargins},
    {SBP_LOWERTRACKHORZ, K::ScrollTrack, S::Push, Stretch, NoMargins},
    {SBP_UPPERTRACKHORZ, K::ScrollTrack, S::Push, Stretch, NoMargins},
    {SBP_LOWERTRACKVERT, K::ScrollTrack, S::Push, Stretch, NoMargins},
    {SBP_UPPERTRACKVERT, K::ScrollTrack, S::Push, Stretch, NoMargins},
    {SBP_GRIPPERHORZ, K::ScrollGripper, S::Push, {8, 8}, NoMargins},
    {SBP_GRIPPERVERT, K::ScrollGripper, S::Push, {8, 8}, NoMargins},
    {SBP_SIZEBOX, K::SizeGrip, S::SizeBox, {17, 17}, NoMargins},
};

constexpr TPartLook RebarParts[] = {
    {0, K::Background, S::None, Stretch, NoMargins},
    {RP_GRIPPER, K::GripperVert, S::None, {6, 6}, NoMargins},
    {RP_GRIPPERVERT, K::GripperHorz, S::None, {6, 6}, NoMargins},
};

constexpr TPartLook ToolbarParts[] = {
    {0, K::Background, S::None, Stretch, NoMargins},
    {TP_BUTTON, K::ToolButton, S::Tool, Stretch, Padded},
    {TP_DROPDOWNBUTTON, K::ToolButton, S::Tool, Stretch, Padded},
    {TP_SPLITBUTTON, K::ToolButton, S::Tool, Stretch, Padded},
    {TP_SPLITBUTTONDROPDOWN, K::SplitArrow, S::Tool, {9, 16}, Framed, TArrow::Down},
    {TP_SEPARATOR, K::SeparatorLine, S::Tool, {6, 6}, NoMargins},
    {TP_SEPARATORVERT, K::SeparatorHorz, S::Tool, {6, 6}, NoMargins},
};

constexpr TPartLook WindowParts[] = {
    {WP_SMALLCAPTION, K::Caption, S::Caption, Stretch, {4, 1, 4, 1}},
    {WP_SMALLFRAMELEFT, K::FrameSide, S::Frame, {3, 3}, NoMargins},
    {WP_SMALLFRAMERIGHT, K::FrameSide, S::Frame, {3, 3}, NoMargins},
    {WP_SMALLFRAMEBOTTOM, K::FrameSide, S::Frame, {3, 3}, NoMargins},
    {WP_MDIMINBUTTON, K::MdiButton, S::Push, {16, 14}, NoMargins, TArrow::None, TGlyph::Minimise},
    {WP_SMALLCLOSEBUTTON, K::CaptionClose, S::Push, {16, 14}, NoMargins, TArrow::None, TGlyph::Close},
    {WP_MDICLOSEBUTTON, K::MdiButton, S::Push, {16, 14}, NoMargins, TArrow::None, TGlyph::Close},
    {WP_MDIRESTOREBUTTON, K::MdiButton, S::Push, {16, 14}, NoMargins, TArrow::None, TGlyph::Restore},
};

constexpr TPartLook ComboBoxParts[] = {
    {0, K::Field, S::None, Stretch, Padded},
    {CP_DROPDOWNBUTTON, K::DropButton, S::Push, {17, 20}, NoMargins, TArrow::Down},
};

constexpr TPartLook ExplorerBarParts[] = {
    {EBP_HEADERBACKGROUND, K::ExplorerHeader, S::None, Stretch, {6, 2, 6, 2}},
    {EBP_NORMALGROUPBACKGROUND, K::ExplorerGroup, S::None, Stretch, {6, 4, 6, 4}},
    {EBP_NORMALGROUPHEAD, K::ExplorerGroupHead, S::None, Stretch, {6, 2, 6, 2}},
};

constexpr TPartLook StatusParts[] = {
    {0, K::StatusBack, S::None, Stretch, NoMargins},
    {SP_PANE, K::StatusPane, S::None, Stretch, {2, 1, 3, 1}},
    {SP_GRIPPERPANE, K::StatusFlushPane, S::None, Stretch, {2, 1, 2, 1}},
    {SP_GRIPPER, K::SizeGrip, S::None, {12, 12}, NoMargins},
};

constexpr TPartLook SpinParts[] = {
    {SPNP_UP, K::SpinButton, S::Push, {15, 10}, NoMargins, TArrow::Up},
    {SPNP_DOWN, K::SpinButton, S::Push, {15, 10}, NoMargins, TArrow::Down},
};

constexpr TPartLook HeaderParts[] = {
    {HP_HEADERITEM, K::HeaderItem, S::Header, Stretch, {4, 1, 4, 2}},
    {HP_HEADERITEMLEFT, K::HeaderItem, S::Header, Stretch, {4, 1, 4, 2}},
    {HP_HEADERITEMRIGHT, K::HeaderFiller, S::Header, Stretch, {0, 0, 0, 1}},
};

constexpr TPartLook TreeViewParts[] = {
    {TVP_GLYPH, K::TreeGlyph, S::Glyph, {9, 9}, NoMargins},
};

constexpr TPartLook TabParts[] = {
    {TABP_TABITEM, K::TabItem, S::Tab, Stretch, {6, 3, 6, 2}},
    {TABP_PANE, K::TabPane, S::None, Stretch, {4, 4, 4, 4}},
};

constexpr TPartLook ProgressParts[] = {
    {PP_BAR, K::ProgressBar, S::None, Stretch, Framed},
    {PP_BARVERT, K::ProgressBar, S::None, Stretch, Framed},
    {PP_CHUNK, K::ProgressChunk, S::None, Stretch, NoMargins},
    {PP_CHUNKVERT, K::ProgressChunk, S::None, Stretch, NoMargins},
};

constexpr TPartLook TrackbarParts[] = {
    {TKP_TRACK, K::Track, S::None, {4, 4}, NoMargins},
    {TKP_TRACKVERT, K::Track, S::None, {4, 4}, NoMargins},
    {TKP_THUMB, K::Thumb, S::Thumb, {11, 19}, NoMargins},
};

template <std::size_t N>
constexpr TThemeClass Class(const char* name, const TPartLook (&parts)[N])
{
  return {name, parts, int(N)};
}

const TThemeClass Classes[] = {
    Class("BUTTON", ButtonParts),     Class("SCROLLBAR", ScrollBarParts), Class("REBAR", RebarParts),
    Class("TOOLBAR", ToolbarParts),   Class("WINDOW", WindowParts),       Class("COMBOBOX", ComboBoxParts),
    Class("EXPLORERBAR", ExplorerBarParts), Class("STATUS", StatusParts), Class("SPIN", SpinParts),
    Class("HEADER", HeaderParts),     Class("TREEVIEW", TreeViewParts),   Class("TAB", TabParts),
    Class("PROGRESS", ProgressParts), Class("TRACKBAR", TrackbarParts),
};

bool SameName(std::u16string_view name, const char* cls)
{
  std::size_t i = 0;
  for (; cls[i]; ++i) {
    if (i >= name.size())
      return false;
    char16_t c = name[i];
    if (c >= u'a' && c <= u'z')
      c = char16_t(c - u'a' + u'A');
    if (c != char16_t(cls[i]))
      return false;
  }
  return i == name.size();
}

}  // namespace

const TThemeClass* FindThemeClass(std::u16string_view name)
{
  for (const auto& cls : Classes)
    if (SameName(name, cls.Name))
      return &cls;
  return nullptr;
}

const TPartLook* FindPart(const TThemeClass& cls, int part)
{
  for (int i = 0; i < cls.PartCount; ++i)
    if (cls.Parts[i].Part == part)
      return &cls.Parts[i];
  return nullptr;
}

int StateCount(TStateScheme scheme)
{
  switch (scheme) {
    case S::None: return 1;
    case S::Push: return 5;
    case S::Tool: return 6;
    case S::Check: return 12;
    case S::Radio: return 8;
    case S::Caption: return 3;
    case S::Frame: return 2;
    case S::Header: return 3;
    case S::Glyph: return 2;
    case S::Tab: return 5;
    case S::Thumb: return 5;
    case S::Arrow: return 16;
    case S::SizeBox: return 2;
  }
  return 1;
}

TStateLook ReadState(TStateScheme scheme, int state)
{
  TStateLook look;
  if (state <= 0)
    state = 1;
  // The four looks that most schemes repeat: normal, hot, pressed, disabled.
  auto quad = [&look](int index) {
    look.Hot = index == 1;
    look.Pressed = index == 2;
    look.Disabled = index == 3;
  };
  switch (scheme) {
    case S::None:
      break;
    case S::Glyph:
      look.Opened = state == 2;
      break;
    case S::SizeBox:
      look.LeftAligned = state == 2;
      break;
    case S::Push:
      quad(state - 1);
      look.Defaulted = state == 5;
      break;
    case S::Tool:
      quad(state == 6 ? 1 : state - 1);
      look.Checked = state >= 5;
      break;
    case S::Check:
    case S::Radio:
      quad((state - 1) % 4);
      look.Checked = (state - 1) / 4 == 1;
      look.Mixed = (state - 1) / 4 == 2;
      break;
    case S::Caption:
      look.Inactive = state == 2;
      look.Disabled = state == 3;
      break;
    case S::Frame:
      look.Inactive = state == 2;
      break;
    case S::Header:
      quad(state - 1);
      break;
    case S::Tab:
      look.Hot = state == 2;
      look.Selected = state == 3 || state == 5;
      look.Disabled = state == 4;
      look.Focused = state == 5;
      break;
    case S::Thumb:
      look.Hot = state == 2;
      look.Pressed = state == 3;
      look.Focused = state == 4;
      look.Disabled = state == 5;
      break;
    case S::Arrow:
      quad((state - 1) % 4);
      look.Arrow = TArrow(1 + (state - 1) / 4);
      break;
  }
  return look;
}
