// The registry call that stores the video card, replaceable so that tests can see exactly what
// the launcher hands to the system (the stored value alone cannot show it: the system may add a
// terminating zero of its own).
#pragma once

#include <windows.h>

using RegistrySetValueCall = decltype(&::RegSetValueExA);
RegistrySetValueCall SetRegistrySetValueCall(RegistrySetValueCall call);
