// Asking DirectDraw for every display device and recording each one that can give its DirectDraw 7
// capabilities and identification.
#include "display/ComPtr.h"
#include "display/DeviceEnumeration.h"
#include "display/DeviceTable.h"
#include "display/DirectDrawLibrary.h"

#include <exception>
#include <utility>

namespace {

static_assert(sizeof(DDCAPS) == 380, "the DirectDraw 7 capabilities record");

constexpr DWORD kAllDevices =
    DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES | DDENUM_NONDISPLAYDEVICES;

constexpr const char* kNoDeviceMessage =
    "No DirectDraw/D3D compatible video cards detected. Install Direct 7.0a manually and ensure "
    "you have a suitable 3d accelerator video card. Until that time, you will not be able to run "
    "the game.";

// An exception thrown while recording a device, held until DirectDraw has returned.
std::exception_ptr g_EnumerationFailure;

// A device's DirectDraw object and its DirectDraw 7 interface, both released when this goes.
struct OpenedDevice {
    ComPtr<IDirectDraw> directDraw;
    ComPtr<IDirectDraw7> directDraw7;
};

// Both interfaces, or none once the reason has gone to the debug output.
OpenedDevice OpenDevice(GUID* guid)
{
    OpenedDevice device;
    DirectDrawCreateFunction create = DirectDrawCreateEntry();
    if (!create || FAILED(create(guid, device.directDraw.put(), nullptr)) || !device.directDraw) {
        ::OutputDebugStringA(
            "Can't create DDraw object in enumeration callback. You cannot run the game.");
        return {};
    }
    if (FAILED(
            device.directDraw->QueryInterface(IID_IDirectDraw7, device.directDraw7.put_void())) ||
        !device.directDraw7) {
        ::OutputDebugStringA(
            "Can't fetch DD7 Interface in enumeration callback. You cannot run the game.");
        return {};
    }
    return device;
}

// Fills the next entry of the table; false when the device could not be recorded.
bool RecordDevice(GUID* guid)
{
    const OpenedDevice device = OpenDevice(guid);
    if (!device.directDraw7)
        return false;

    DDCAPS driverCaps{};
    DDCAPS emulationCaps{};
    driverCaps.dwSize = emulationCaps.dwSize = sizeof(DDCAPS);
    if (FAILED(device.directDraw7->GetCaps(&driverCaps, &emulationCaps))) {
        ::OutputDebugStringA("Error retrieving driver capabilities in enumeration callback. You "
                             "cannot run the game.");
        return false;
    }

    DeviceRecord& entry = g_DeviceInfo[VCardCount];
    entry.bFullscreenOnly = (driverCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED) ? 0 : 1;
    // A failing identification leaves the entry's zeros: the chooser then shows an empty line.
    device.directDraw7->GetDeviceIdentifier(&entry.s_DeviceInfo, 0);
    device.directDraw7->GetDeviceIdentifier(&entry.s_HostInfo, DDGDI_GETHOSTIDENTIFIER);
    if (guid)
        entry.DeviceGuid = *guid;
    return true;
}

} // namespace

BOOL WINAPI DeviceEnumCallback(GUID* guid, LPSTR /*description*/, LPSTR /*driverName*/,
                               LPVOID /*context*/, HMONITOR /*monitor*/)
{
    if (VCardCount >= kMaxDevices)
        return FALSE;
    // No exception may unwind through DirectDraw: it ends the enumeration and is rethrown once
    // DirectDraw has returned.
    try {
        if (!RecordDevice(guid))
            return FALSE;
    } catch (...) {
        g_EnumerationFailure = std::current_exception();
        return FALSE;
    }
    ++VCardCount;
    return TRUE;
}

void EnumerateDevices()
{
    // Without DDRAW.dll or its entry point nothing is recorded: the same as a machine without
    // devices.
    if (DirectDrawEnumerateExAFunction enumerate = DirectDrawEnumerateExAEntry())
        enumerate(DeviceEnumCallback, nullptr, kAllDevices);
    if (g_EnumerationFailure)
        std::rethrow_exception(std::exchange(g_EnumerationFailure, nullptr));
    if (VCardCount == 0 && g_DDrawOK)
        SetDDrawError(kNoDeviceMessage);
}
