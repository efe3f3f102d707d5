// Device enumeration against Wine's own DDRAW.dll, and on a machine without one, while the tests'
// stand-in lies in the system folder. CTest runs each suite in its own environment:
// WinesDirectDraw with Wine's default load order, which keeps its own DirectDraw; NoDirectDraw with
// DirectDraw switched off (WINEDLLOVERRIDES=ddraw=), so run by hand only one of them can pass.
#include "DebugOutputCapture.h"
#include "UserTexts.h"
#include "display/DeviceEnumeration.h"
#include "display/DeviceTable.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(WinesDirectDraw, RecordsItsDevicesPrimaryFirst)
{
    const DebugOutputCapture debugOutput;
    EnumerateDevices();

    ASSERT_GE(VCardCount, 1);
    EXPECT_TRUE(g_DDrawOK);
    EXPECT_STREQ(g_DDrawError, "");
    EXPECT_TRUE(debugOutput.Texts().empty());
    const GUID none{};
    EXPECT_TRUE(IsEqualGUID(g_DeviceInfo[0].DeviceGuid, none));
    for (int i = 0; i < VCardCount; ++i)
        EXPECT_STRNE(g_DeviceInfo[i].s_DeviceInfo.szDescription, "") << "device " << i;
}

TEST(NoDirectDraw, LeavesTheTableEmptyAndKeepsTheMessage)
{
    const DebugOutputCapture debugOutput;
    EnumerateDevices();

    ASSERT_EQ(::GetModuleHandleA("ddraw.dll"), nullptr) << "DirectDraw is not switched off";
    EXPECT_EQ(VCardCount, 0);
    EXPECT_FALSE(g_DDrawOK);
    EXPECT_STREQ(g_DDrawError, kNoDevice);
    EXPECT_TRUE(debugOutput.Texts().empty());
}

} // namespace
