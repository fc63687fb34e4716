// Platform headers that nearly every source file of the program includes.
// The build precompiles this header once per target, so the large Windows
// and shell headers are parsed once instead of once per file. Source files
// still include what they use; this only makes that cheap. The standard
// library stays out: GCC 12 reports false array-bounds warnings from
// <string> when it comes through a precompiled header.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
