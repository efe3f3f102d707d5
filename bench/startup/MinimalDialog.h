// Resource ids of the minimal dialog program. Its Exit button has the launcher's Exit id, so that
// the startup timing closes every program it times the same way.
#pragma once

#include "resource.h"

#define IDD_MINIMAL 100
#define IDD_MINIMAL_OWNER 101
#define IDC_MINIMAL_PICTURE 1100
