// The program's entry point.
#include <windows.h>

#include "app/CNorvaneApp.h"

// The one application object, created before the entry point runs.
CNorvaneApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int cmdShow)
{
    return AfxWinMain(instance, cmdShow);
}
