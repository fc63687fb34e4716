#pragma once
#include <windows.h>

// A request for the mouse hover and leave notices of one window.
class CMouseTrack : public TRACKMOUSEEVENT {
public:
    CMouseTrack(HWND window, DWORD flags = TME_HOVER | TME_LEAVE, DWORD hoverTime = HOVER_DEFAULT)
    {
        cbSize = sizeof(TRACKMOUSEEVENT);
        dwFlags = flags;
        hwndTrack = window;
        dwHoverTime = hoverTime;
    }
    // Submits the request; the system's answer.
    bool Track() { return TrackMouseEvent(this) != FALSE; }
};
