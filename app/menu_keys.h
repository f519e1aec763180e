// Keys shown beside menu items that the toolkit will not bind (Tab and
// Shift-Tab, which GTK keeps for moving the focus): shown as the toolkit shows
// every other item's key, while the frame's key hook delivers them.
#pragma once

#include <wx/string.h>

class wxMenuItem;

// Shows the key of the item's label ("...\tTAB" or "...\tShift-TAB") beside
// it without binding it; other labels are left alone.
void showUnboundKey(wxMenuItem* item);

// The key text that showUnboundKey put beside the item, as the toolkit
// writes keys ("Tab", "Shift+Tab"); empty when it put none.
wxString keyShownBeside(wxMenuItem* item);
