#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <utility>

#include "framework/CObject.h"

class CCmdUI;

// Notification code used for command-update requests.
constexpr int CN_UPDATE_COMMAND_UI = -1;
// Notification code of menu and accelerator commands.
constexpr int CN_COMMAND = 0;

// An object that receives commands. Handlers are named member functions
// registered in the constructor:
//   AddCommandHandler(ID_FILE_OPEN, &CMyWnd::OnFileOpen);
//   AddControlHandler(IDC_NAME, EN_CHANGE, &CMyDlg::OnChangeName);
//   AddUpdateHandler(ID_FILE_OPEN, &CMyWnd::OnUpdateFileOpen);
class CCmdTarget : public CObject {
public:
    // Routes a command: code is the notification code (CN_COMMAND for menus,
    // accelerators and button clicks) or CN_UPDATE_COMMAND_UI with cmdUI.
    // With probeOnly, only answers whether a handler exists.
    virtual bool OnCmdMsg(UINT id, int code, CCmdUI* cmdUI, bool probeOnly = false);

protected:
    template <class T> void AddCommandHandler(UINT id, void (T::*handler)())
    {
        AddControlHandler(id, CN_COMMAND, handler);
    }
    template <class T> void AddControlHandler(UINT id, int code, void (T::*handler)())
    {
        T* self = static_cast<T*>(this);
        m_commands[{id, code}] = [self, handler] { (self->*handler)(); };
    }
    template <class T> void AddCommandRange(UINT first, UINT last, void (T::*handler)(UINT))
    {
        T* self = static_cast<T*>(this);
        for (UINT id = first; id <= last; ++id)
            m_commands[{id, CN_COMMAND}] = [self, handler, id] { (self->*handler)(id); };
    }
    template <class T> void AddUpdateHandler(UINT id, void (T::*handler)(CCmdUI*))
    {
        T* self = static_cast<T*>(this);
        m_updates[id] = [self, handler](CCmdUI* ui) { (self->*handler)(ui); };
    }
    void RemoveCommandHandler(UINT id, int code = CN_COMMAND) { m_commands.erase({id, code}); }

    // Only this object's own tables, without further routing.
    bool DispatchOwnCommand(UINT id, int code, CCmdUI* cmdUI, bool probeOnly);

private:
    std::map<std::pair<UINT, int>, std::function<void()>> m_commands;
    std::map<UINT, std::function<void(CCmdUI*)>> m_updates;
};
