#include "display/DeviceTable.h"

#include <cstring>

DeviceRecord g_DeviceInfo[kMaxDevices] = {};
int VCardCount = 0;
bool g_DDrawOK = true;
char g_DDrawError[256] = {};

void SetDDrawError(const char* text)
{
    std::strncpy(g_DDrawError, text, sizeof g_DDrawError - 1);
    g_DDrawError[sizeof g_DDrawError - 1] = '\0';
    g_DDrawOK = false;
}

void ResetDeviceTable()
{
    std::memset(g_DeviceInfo, 0, sizeof g_DeviceInfo);
    VCardCount = 0;
    g_DDrawOK = true;
    std::memset(g_DDrawError, 0, sizeof g_DDrawError);
}
