#include "controls/utility/UtComponentUtils.h"

#include "platform/base/Format.h"
#include "platform/classes/controls/Control.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/win/gdi/Icons.h"
#include "platform/win/window/WindowTree.h"

HWND ApplicationWindow()
{
  return Application()->Handle();
}

bool ApplicationMinimized()
{
  HWND window = ApplicationWindow();
  return window && IsIconic(window);
}

std::string DefaultSectionOf(TComponent* Component)
{
  if (!Component)
    return {};
  if (dynamic_cast<TCustomForm*>(Component))
    return Component->ClassName();
  if (auto* control = dynamic_cast<TControl*>(Component)) {
    if (TCustomForm* form = GetParentForm(control))
      return form->ClassName() + Component->Name();
    if (TWinControl* parent = control->Parent())
      return parent->Name() + Component->Name();
    return Component->Name();
  }
  if (dynamic_cast<TForm*>(Component->Owner()))
    return Format("%s.%s", Component->Owner()->ClassName(), Component->Name());
  return Component->Name();
}

void InstallDragCursors()
{
  try {
    TScreen* screen = Screen();
    screen->SetCursors(100, CopyIcon(screen->Cursors(crMultiDrag)));
    screen->SetCursors(101, CopyIcon(screen->Cursors(crDrag)));
    screen->SetCursors(102, CopyIcon(screen->Cursors(crMultiDrag)));
    screen->SetCursors(103, CopyIcon(screen->Cursors(crMultiDrag)));
  } catch (const Exception&) {
    // Extra cursors are a nicety: a failure leaves the standard ones.
  }
}
