// The windows the interface page opens. The profile editor and the interface settings dialog come next; until
// then their commands only refresh and save.
#include "ui/Editors.h"

#include "engine/ApplyProfile.h"

void ShowProfileEditor(HWND) {}

void ShowInterfaceDialog(HWND) {}

void ApplyProfile() { ApplyCurrentProfile(); }
