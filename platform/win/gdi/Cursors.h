// The standard cursors and icons, drawn by the layer: LoadCursor(0, IDC_*)
// and LoadIcon(0, IDI_*) answer shared handles that live as long as the process.
#pragma once

#include "platform/win/gdi/Resources.h"

inline LPCSTR const IDC_ARROW = MAKEINTRESOURCE(32512), IDC_IBEAM = MAKEINTRESOURCE(32513),
                    IDC_WAIT = MAKEINTRESOURCE(32514), IDC_CROSS = MAKEINTRESOURCE(32515),
                    IDC_UPARROW = MAKEINTRESOURCE(32516), IDC_SIZENWSE = MAKEINTRESOURCE(32642),
                    IDC_SIZENESW = MAKEINTRESOURCE(32643), IDC_SIZEWE = MAKEINTRESOURCE(32644),
                    IDC_SIZENS = MAKEINTRESOURCE(32645), IDC_SIZEALL = MAKEINTRESOURCE(32646),
                    IDC_NO = MAKEINTRESOURCE(32648), IDC_HAND = MAKEINTRESOURCE(32649),
                    IDC_APPSTARTING = MAKEINTRESOURCE(32650), IDC_HELP = MAKEINTRESOURCE(32651),
                    // The split cursors of the class library (column and row sizing bars).
                    IDC_HSPLIT = MAKEINTRESOURCE(32760), IDC_VSPLIT = MAKEINTRESOURCE(32761),
                    // The drag cursors (no drop is IDC_NO): an arrow with a box, a plus, a link.
                    IDC_DRAGMOVE = MAKEINTRESOURCE(32762), IDC_DRAGCOPY = MAKEINTRESOURCE(32763),
                    IDC_DRAGLINK = MAKEINTRESOURCE(32764);
inline LPCSTR const IDI_APPLICATION = MAKEINTRESOURCE(32512), IDI_ERROR = MAKEINTRESOURCE(32513),
                    IDI_HAND = MAKEINTRESOURCE(32513), IDI_QUESTION = MAKEINTRESOURCE(32514),
                    IDI_WARNING = MAKEINTRESOURCE(32515), IDI_EXCLAMATION = MAKEINTRESOURCE(32515),
                    IDI_INFORMATION = MAKEINTRESOURCE(32516), IDI_ASTERISK = MAKEINTRESOURCE(32516),
                    IDI_WINLOGO = MAKEINTRESOURCE(32517);

// Null for an unknown id.
HCURSOR StandardCursor(WORD id);
HICON StandardIcon(WORD id);
