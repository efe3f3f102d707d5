// The display devices DirectDraw reports, recorded once when the options menu opens: at most 16,
// in the order they were reported, and whether the game can run at all.
#pragma once

#include <windows.h>

#include <ddraw.h>

inline constexpr int kMaxDevices = 16;

// One recorded device. The identifications are DirectDraw's own, zero where it reported nothing.
struct DeviceRecord {
    DDDEVICEIDENTIFIER2 s_DeviceInfo; // its szDescription is what the chooser shows
    DDDEVICEIDENTIFIER2 s_HostInfo;   // the host adapter's identification
    GUID DeviceGuid;                  // all zero for the primary display driver
    DWORD bFullscreenOnly;            // 1 when the driver cannot render to a window
};

// Entries 0 to VCardCount - 1 are in use. g_DDrawOK only ever goes from true to false, and
// g_DDrawError (the text for the user) is written only together with it.
extern DeviceRecord g_DeviceInfo[kMaxDevices];
extern int VCardCount;
extern bool g_DDrawOK;
extern char g_DDrawError[256];

// Keeps `text` (cut to 255 characters) as the message for the user and marks the game as unable
// to run.
void SetDDrawError(const char* text);

// For tests only: back to the state at program start, so that one process can enumerate again.
void ResetDeviceTable();
