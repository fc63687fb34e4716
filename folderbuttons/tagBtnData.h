#pragma once
#include <windows.h>

#include <string>

class CObject;

// One button of a button storehouse (or one of its page tabs).
struct tagBtnData {
    std::wstring caption;    // drawn with the icon; at most 259 characters
    int image = -1;          // icon index; for a page tab its page number
    std::wstring secondText; // free text of the owner (a folder button's path, later its tool tip)
    RECT rect{};             // where the button is on the shown page; empty when not shown
    int state = 0;           // 3 = disabled
    CObject* owner = nullptr;
    int selected = 0;
    int overlay = -1; // 1 shared, 2 shortcut, other none
};
