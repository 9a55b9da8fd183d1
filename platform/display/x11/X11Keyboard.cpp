#include "platform/display/x11/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <clocale>

#include "platform/win/window/Input.h"

namespace x11 {

namespace {

struct TSymKey {
  KeySym Sym;
  BYTE Vk;
};

const TSymKey SymKeys[] = {
    {XK_BackSpace, VK_BACK},     {XK_Tab, VK_TAB},           {XK_ISO_Left_Tab, VK_TAB},  {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},      {XK_Pause, VK_PAUSE},       {XK_Scroll_Lock, VK_SCROLL}, {XK_Sys_Req, VK_SNAPSHOT},
    {XK_Print, VK_SNAPSHOT},     {XK_Escape, VK_ESCAPE},     {XK_Delete, VK_DELETE},     {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},          {XK_Up, VK_UP},             {XK_Right, VK_RIGHT},       {XK_Down, VK_DOWN},
    {XK_Prior, VK_PRIOR},        {XK_Next, VK_NEXT},         {XK_End, VK_END},           {XK_Insert, VK_INSERT},
    {XK_Menu, VK_APPS},          {XK_Num_Lock, VK_NUMLOCK},  {XK_Caps_Lock, VK_CAPITAL}, {XK_Shift_L, VK_LSHIFT},
    {XK_Shift_R, VK_RSHIFT},     {XK_Control_L, VK_LCONTROL}, {XK_Control_R, VK_RCONTROL}, {XK_Alt_L, VK_LMENU},
    {XK_Meta_L, VK_LMENU},       {XK_Alt_R, VK_RMENU},       {XK_Meta_R, VK_RMENU},      {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},       {XK_space, VK_SPACE},       {XK_Help, VK_HELP},         {XK_Select, VK_SELECT},
    {XK_KP_Multiply, VK_MULTIPLY}, {XK_KP_Add, VK_ADD},      {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT}, {XK_KP_Decimal, VK_DECIMAL}, {XK_KP_Divide, VK_DIVIDE}, {XK_KP_Enter, VK_RETURN},
    {XK_KP_Home, VK_HOME},       {XK_KP_Left, VK_LEFT},      {XK_KP_Up, VK_UP},          {XK_KP_Right, VK_RIGHT},
    {XK_KP_Down, VK_DOWN},       {XK_KP_Prior, VK_PRIOR},    {XK_KP_Next, VK_NEXT},      {XK_KP_End, VK_END},
    {XK_KP_Begin, VK_CLEAR},     {XK_KP_Insert, VK_INSERT},  {XK_KP_Delete, VK_DELETE},  {XK_KP_Space, VK_SPACE},
    {XK_KP_Tab, VK_TAB},
};

// Linux numbers the keys of the main block and the keypad by the scan codes
// of their places. The other keys are listed here by what they are; their
// scan codes, and which ones count as extended, are the window system's.
struct TCodeKey {
  unsigned Code;
  BYTE Vk;
};

const TCodeKey CodeKeys[] = {
    {69, VK_NUMLOCK}, {97, VK_RCONTROL}, {98, VK_DIVIDE}, {99, VK_SNAPSHOT}, {100, VK_RMENU}, {102, VK_HOME},
    {103, VK_UP},     {104, VK_PRIOR},   {105, VK_LEFT},  {106, VK_RIGHT},   {107, VK_END},   {108, VK_DOWN},
    {109, VK_NEXT},   {110, VK_INSERT},  {111, VK_DELETE}, {119, VK_PAUSE},  {125, VK_LWIN},  {126, VK_RWIN},
    {127, VK_APPS},
};

// The keypad's Enter has no key of its own: it is Enter, extended.
constexpr unsigned KeypadEnter = 96;

// Keys named by where they sit on the keyboard: punctuation, and letters of
// layouts that have none of the Latin ones (the platform does the same).
bool NamedByPlace(UINT vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= VK_OEM_1 && vk <= VK_OEM_102); }

bool IsAltGr(KeySym sym) { return sym == XK_ISO_Level3_Shift || sym == XK_Mode_switch; }

void AppendUtf8Chars(const char* text, int length, std::vector<DWORD>& out)
{
  std::u16string wide = UTF8Decode(std::string(text, std::size_t(length)));
  for (std::size_t i = 0; i < wide.size(); ++i) {
    DWORD c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (DWORD(wide[i + 1]) - 0xDC00);
      ++i;
    }
    if (c != 0x7F)  // Delete types nothing
      out.push_back(c);
  }
}

}  // namespace

TX11Keyboard::TX11Keyboard(TCore& core) : FCore(core)
{
  Bool supported = False;
  XkbSetDetectableAutoRepeat(FCore.Dpy, True, &supported);
}

// The input method opens when a window of ours first takes the keyboard:
// opening it reads the locale's compose tables, work that a program's first
// window does not wait for.
void TX11Keyboard::OpenInputMethod()
{
  if (FImTried)
    return;
  FImTried = true;
  // The input method the user chose, else the built-in one (dead keys and compose).
  if (XSupportsLocale()) {
    XSetLocaleModifiers("");
    FIm = XOpenIM(FCore.Dpy, nullptr, nullptr, nullptr);
    if (!FIm) {
      XSetLocaleModifiers("@im=none");
      FIm = XOpenIM(FCore.Dpy, nullptr, nullptr, nullptr);
    }
  }
}

TX11Keyboard::~TX11Keyboard()
{
  for (auto& [w, ic] : FContexts)
    XDestroyIC(ic);
  if (FIm)
    XCloseIM(FIm);
}

void TX11Keyboard::WindowCreated(Window w)
{
  if (!FIm || FContexts.count(w))
    return;  // without the input method yet, the context is made at the first focus
  XIC ic = XCreateIC(FIm, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w, XNFocusWindow, w,
                     nullptr);
  if (ic)
    FContexts[w] = ic;
}

void TX11Keyboard::WindowDestroyed(Window w)
{
  auto it = FContexts.find(w);
  if (it == FContexts.end())
    return;
  XDestroyIC(it->second);
  FContexts.erase(it);
}

void TX11Keyboard::Focus(Window w, bool in)
{
  if (in) {
    OpenInputMethod();
    WindowCreated(w);
  }
  auto it = FContexts.find(w);
  if (it == FContexts.end())
    return;
  if (in)
    XSetICFocus(it->second);
  else
    XUnsetICFocus(it->second);
}

bool TX11Keyboard::Filter(XEvent& ev) { return XFilterEvent(&ev, 0) == True; }

WORD TX11Keyboard::ScanCode(unsigned keycode, bool& extended)
{
  extended = false;
  if (keycode < 8)
    return 0;
  unsigned code = keycode - 8;
  UINT scan = 0;
  for (const TCodeKey& k : CodeKeys)
    if (k.Code == code)
      scan = MapVirtualKey(k.Vk, MAPVK_VK_TO_VSC_EX);
  if (code == KeypadEnter)
    scan = 0xE000 | MapVirtualKey(VK_RETURN, MAPVK_VK_TO_VSC);
  else if (!scan && code > 0 && code < 0x59 && code != 0x54 && code != 0x55)
    scan = code;
  extended = (scan & 0xFF00) == 0xE000;
  return WORD(scan & 0xFF);
}

BYTE TX11Keyboard::VirtualKey(KeySym level0, KeySym level1, KeySym effective, WORD scan, bool hasChar)
{
  // The keypad's digits follow Num Lock.
  if (effective >= XK_KP_0 && effective <= XK_KP_9)
    return BYTE(VK_NUMPAD0 + (effective - XK_KP_0));
  for (KeySym s : {level0, level1}) {
    if (s >= XK_a && s <= XK_z)
      return BYTE('A' + (s - XK_a));
    if (s >= XK_A && s <= XK_Z)
      return BYTE(s);
  }
  for (KeySym s : {level0, level1})
    if (s >= XK_0 && s <= XK_9)
      return BYTE(s);
  if (level0 >= XK_F1 && level0 <= XK_F24)
    return BYTE(VK_F1 + (level0 - XK_F1));
  KeySym keypadAware = (effective >= XK_KP_Space && effective <= XK_KP_Equal) ? effective : level0;
  for (const TSymKey& k : SymKeys)
    if (k.Sym == keypadAware)
      return k.Vk;
  if (UINT placed = MapVirtualKey(scan, MAPVK_VSC_TO_VK_EX); NamedByPlace(placed))
    return BYTE(placed);
  return hasChar ? VK_PACKET : 0;
}

DWORD TX11Keyboard::KeySymToUnicode(KeySym sym)
{
  if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF))
    return DWORD(sym);
  if ((sym & 0xFF000000) == 0x01000000)
    return DWORD(sym & 0x00FFFFFF);
  if (sym == XK_EuroSign)
    return 0x20AC;
  if (sym >= XK_KP_0 && sym <= XK_KP_9)
    return DWORD('0' + (sym - XK_KP_0));
  switch (sym) {
    case XK_BackSpace: return 8;
    case XK_Tab: return 9;
    case XK_Return:
    case XK_KP_Enter: return 13;
    case XK_Escape: return 27;
    case XK_KP_Space: return ' ';
    case XK_KP_Multiply: return '*';
    case XK_KP_Add: return '+';
    case XK_KP_Subtract: return '-';
    case XK_KP_Decimal: return '.';
    case XK_KP_Divide: return '/';
    default: return 0;
  }
}

std::vector<TKeyInput> TX11Keyboard::Translate(XKeyEvent& ev)
{
  std::vector<TKeyInput> out;
  bool down = ev.type == KeyPress;
  KeySym effective = 0;
  std::vector<DWORD> chars;
  if (down) {
    char buffer[64];
    auto it = FContexts.find(ev.window);
    if (it != FContexts.end()) {
      Status status = 0;
      int n = Xutf8LookupString(it->second, &ev, buffer, int(sizeof buffer), &effective, &status);
      if (status == XBufferOverflow)
        n = 0;
      if (status == XLookupChars || status == XLookupBoth)
        AppendUtf8Chars(buffer, n, chars);
      if (status != XLookupKeySym && status != XLookupBoth)
        effective = 0;
    } else {
      XLookupString(&ev, buffer, int(sizeof buffer), &effective, nullptr);
      if (DWORD c = KeySymToUnicode(effective); c && c != 0x7F)
        chars.push_back(c);
      // Control characters that Ctrl makes from letters.
      if (!chars.empty() && (ev.state & ControlMask) && chars[0] >= '@' && chars[0] <= 0x7E)
        chars[0] &= 0x1F;
    }
  } else {
    effective = XLookupKeysym(&ev, 0);
  }
  // Text an input method composed comes without a key.
  if (ev.keycode == 0) {
    for (DWORD c : chars) {
      out.push_back({VK_PACKET, true, c, 0, false});
      out.push_back({VK_PACKET, false, 0, 0, false});
    }
    return out;
  }
  int group = XkbGroupForCoreState(ev.state);
  KeySym level0 = XkbKeycodeToKeysym(FCore.Dpy, KeyCode(ev.keycode), group, 0);
  KeySym level1 = XkbKeycodeToKeysym(FCore.Dpy, KeyCode(ev.keycode), group, 1);
  if (!effective)
    effective = level0;
  bool extended;
  WORD scan = ScanCode(ev.keycode, extended);
  if (IsAltGr(level0) || IsAltGr(effective)) {
    // AltGr is Ctrl and the right Alt together, so that what it types is
    // text and not a menu shortcut.
    out.push_back({VK_LCONTROL, down, 0, 0x1D, false});
    out.push_back({VK_RMENU, down, 0, 0x38, true});
    return out;
  }
  BYTE vk = VirtualKey(level0, level1, effective, WORD(extended ? 0xE000 | scan : scan), !chars.empty());
  if (!vk) {
    for (DWORD c : chars) {
      out.push_back({VK_PACKET, true, c, 0, false});
      out.push_back({VK_PACKET, false, 0, 0, false});
    }
    return out;
  }
  out.push_back({vk, down, chars.empty() ? 0 : chars[0], scan, extended});
  for (std::size_t i = 1; i < chars.size(); ++i) {
    out.push_back({VK_PACKET, true, chars[i], 0, false});
    out.push_back({VK_PACKET, false, 0, 0, false});
  }
  return out;
}

}  // namespace x11
