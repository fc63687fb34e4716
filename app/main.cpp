// The program's entry point.
#include <windows.h>

#include "framework/CWinApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int cmdShow)
{
    return AfxWinMain(instance, cmdShow);
}
