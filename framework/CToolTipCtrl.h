#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/CWnd.h"

// The tool-tip control: a pop-up window owned by the window whose tools it
// explains. Tools are areas of a window (or whole child windows) with a text.
class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;

    // Creates the control for the owner; TTS_ALWAYSTIP by default, so tips
    // show in inactive windows too (the sidebar is never active).
    bool Create(CWnd* owner, DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX);

    // A tool over a rectangle of the window (client coordinates), or over the
    // whole window when the rectangle is empty.
    bool AddTool(HWND window, const std::wstring& text, const RECT& rect = RECT{}, UINT_PTR id = 0);
    // A tool that is a child window itself (identified by its handle).
    bool AddWindowTool(HWND child, const std::wstring& text);
    void DelTool(HWND window, UINT_PTR id = 0);
    void UpdateTipText(HWND window, const std::wstring& text, UINT_PTR id = 0);
    std::wstring GetText(HWND window, UINT_PTR id = 0) const;
    void SetToolRect(HWND window, UINT_PTR id, const RECT& rect);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

    void Activate(bool on) { SendMessage(TTM_ACTIVATE, on ? TRUE : FALSE); }
    void SetDelayTime(DWORD which, int milliseconds)
    {
        SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0));
    }
    void SetMaxTipWidth(int width) { SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    void Pop() { SendMessage(TTM_POP); }
    // Passes a mouse message of a tool's window on to the control, for
    // windows whose messages it does not see itself.
    void RelayEvent(const MSG* msg);

private:
    TOOLINFOW MakeInfo(HWND window, UINT_PTR id) const;
};
