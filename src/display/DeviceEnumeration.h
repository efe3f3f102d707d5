// Filling the device table from DirectDraw's enumeration.
#pragma once

#include <windows.h>

// Records the devices DirectDraw reports; with none recorded, sets the no-device message.
void EnumerateDevices();

// DirectDraw's enumeration callback: records one device; FALSE ends the enumeration.
BOOL WINAPI DeviceEnumCallback(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context,
                               HMONITOR monitor);
