#include "platform/win/controls/SystemClasses.h"

#include "platform/win/controls/Button.h"
#include "platform/win/controls/ComboBox.h"
#include "platform/win/controls/Edit.h"
#include "platform/win/controls/ListBox.h"
#include "platform/win/controls/MenuWindow.h"
#include "platform/win/controls/ScrollBarControl.h"
#include "platform/win/controls/Static.h"
#include "platform/win/gdi/Cursors.h"
#include "platform/win/window/window.h"

namespace {

void Register(const char* name, WNDPROC proc, UINT style, LPCSTR cursor)
{
  WNDCLASSEX wc;
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(void*);
  wc.hCursor = LoadCursor(nullptr, cursor);
  wc.lpszClassName = name;
  RegisterClassEx(&wc);
}

}  // namespace

void RegisterSystemClasses()
{
  Register("Edit", EditWndProc, CS_DBLCLKS, IDC_IBEAM);
  Register("ListBox", ListBoxWndProc, CS_DBLCLKS, IDC_ARROW);
  Register("Button", ButtonWndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
  Register("Static", StaticWndProc, CS_DBLCLKS, IDC_ARROW);
  Register("ScrollBar", ScrollBarWndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW);
  Register("ComboBox", ComboBoxWndProc, CS_DBLCLKS, IDC_ARROW);
  Register("ComboLBox", ListBoxWndProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
  Register(MenuWindowClassName, MenuWindowProc, CS_DBLCLKS | CS_SAVEBITS | CS_DROPSHADOW, IDC_ARROW);
}
