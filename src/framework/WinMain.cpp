#include "framework/WinApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/)
{
    return AfxWinMain(instance);
}
