#include "display/ComPtr.h"
#include "display/DeviceTable.h"
#include "display/DirectDrawLibrary.h"

#include <exception>
#include <utility>

namespace {

// An exception thrown while recording a device, held until DirectDraw has returned.
std::exception_ptr g_enumerationFailure;

constexpr DWORD kAllDevices =
    DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES | DDENUM_NONDISPLAYDEVICES;

// Records one reported device into the next entry; false when it could not be.
bool RecordDevice(GUID* guid)
{
    auto* const create = DirectDrawCreateEntry();
    ComPtr<IDirectDraw> directDraw;
    if (!create || FAILED(create(guid, directDraw.put(), nullptr))) {
        ::OutputDebugStringA(
            "Can't create DDraw object in enumeration callback. You cannot run the game.");
        return false;
    }
    ComPtr<IDirectDraw7> directDraw7;
    if (FAILED(directDraw->QueryInterface(IID_IDirectDraw7, directDraw7.put_void()))) {
        ::OutputDebugStringA(
            "Can't fetch DD7 Interface in enumeration callback. You cannot run the game.");
        return false;
    }
    DDCAPS driverCaps{};
    DDCAPS emulationCaps{};
    driverCaps.dwSize = emulationCaps.dwSize = sizeof(DDCAPS);
    if (FAILED(directDraw7->GetCaps(&driverCaps, &emulationCaps))) {
        ::OutputDebugStringA("Error retrieving driver capabilities in enumeration callback. You "
                             "cannot run the game.");
        return false;
    }

    DeviceRecord& entry = g_DeviceInfo[VCardCount];
    entry.bFullscreenOnly = (driverCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED) ? 0 : 1;
    directDraw7->GetDeviceIdentifier(&entry.s_DeviceInfo, 0);
    directDraw7->GetDeviceIdentifier(&entry.s_HostInfo, DDGDI_GETHOSTIDENTIFIER);
    if (guid)
        entry.DeviceGuid = *guid;
    return true;
}

} // namespace

static_assert(sizeof(DDCAPS) == 380, "the DirectDraw 7 capabilities record");

BOOL WINAPI DeviceEnumCallback(GUID* guid, LPSTR /*description*/, LPSTR /*driverName*/,
                               LPVOID /*context*/, HMONITOR /*monitor*/)
{
    if (VCardCount == kMaxDevices)
        return FALSE;
    // No exception may unwind through DirectDraw: it ends the enumeration and is rethrown once
    // DirectDraw has returned.
    try {
        if (!RecordDevice(guid))
            return FALSE;
    } catch (...) {
        g_enumerationFailure = std::current_exception();
        return FALSE;
    }
    ++VCardCount;
    return TRUE;
}

void EnumerateDevices()
{
    if (auto* const enumerate = DirectDrawEnumerateExAEntry())
        enumerate(DeviceEnumCallback, nullptr, kAllDevices);
    if (g_enumerationFailure)
        std::rethrow_exception(std::exchange(g_enumerationFailure, nullptr));
    if (VCardCount == 0 && g_DDrawOK)
        SetDDrawError(kNoDeviceMessage);
}
