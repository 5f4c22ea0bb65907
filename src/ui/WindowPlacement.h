#pragma once

#include "ui/WindowGeometry.h"

#include <windows.h>

// Centres window over its owner (its parent, for a child window), kept on the screen; see
// CentredPosition. The size and z-order stay. A window without owner stays where it is.
void CentreOverParent(HWND window, CentreVariant variant);
