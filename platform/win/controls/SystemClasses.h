// The standard window classes every program finds by name in CreateWindowEx:
// "Edit", "ListBox", "Button", "Static", "ScrollBar", "ComboBox" (with its
// drop-down list "ComboLBox") and the popup-menu window "#32768".
#pragma once

// Registers them; the window system calls it once, the first time a class is
// looked up (under its lock), so no program has to.
void RegisterSystemClasses();
