#pragma once
// How a window of this program is written with the framework: a class with
// named handlers, state it can show, a timer, a paint-DC owner, mouse
// tracking, a context menu that also opens from the keyboard, and a drop
// target bound to the window's life. Tests drive it; product windows follow
// the same shape.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/COleDropTarget.h"
#include "framework/CWnd.h"
#include "framework/Handles.h"

class ExampleWnd : public CWnd {
public:
    static constexpr UINT_PTR kTickTimer = 1;

    bool Create(const RECT& rect)
    {
        const wchar_t* cls =
            RegisterWndClass(L"TavrelExampleWnd", CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        return CreateEx(WS_EX_TOOLWINDOW, cls, L"Example", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    }
    ~ExampleWnd() override { DestroyWindow(); }

    // What the window saw, in order.
    std::vector<std::wstring> events;
    int ticks = 0;
    int paints = 0;
    bool hovering = false;
    std::vector<std::wstring> dropped;

protected:
    int OnCreate(CREATESTRUCTW*) override
    {
        SetTimer(kTickTimer, 20);
        m_dropTarget.Register(this);
        return 0;
    }
    void OnDestroy() override
    {
        KillTimer(kTickTimer);
        events.push_back(L"destroy");
        CWnd::OnDestroy();
    }
    void OnPaint() override
    {
        CPaintDC dc(m_hWnd);
        const RECT client = GetClientRect();
        const std::wstring text = L"ticks " + std::to_wstring(ticks);
        DrawTextW(dc, text.c_str(), -1, const_cast<RECT*>(&client), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ++paints;
    }
    void OnTimer(UINT_PTR id) override
    {
        if (id != kTickTimer)
            return CWnd::OnTimer(id);
        ++ticks;
    }
    void OnMouseMove(UINT, POINT) override
    {
        if (!hovering) {
            hovering = true;
            TrackMouse(TME_LEAVE);
            events.push_back(L"enter");
        }
    }
    void OnMouseLeave() override
    {
        hovering = false;
        events.push_back(L"leave");
    }
    void OnLButtonDown(UINT, POINT point) override
    {
        events.push_back(L"click " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
    }
    void OnKeyDown(UINT key, UINT, UINT) override { events.push_back(L"key " + std::to_wstring(key)); }
    void OnContextMenu(HWND, POINT point) override
    {
        events.push_back(point.x == -1 && point.y == -1 ? L"menu from keyboard" : L"menu from mouse");
    }

private:
    // Accepts files; copies unless the keys ask for something else.
    class DropTarget : public COleDropTarget {
    public:
        explicit DropTarget(ExampleWnd& owner) : m_owner(owner) {}
        DWORD OnDragEnter(IDataObject*, DWORD, POINT, DWORD suggested) override { return suggested; }
        DWORD OnDragOver(IDataObject*, DWORD, POINT, DWORD suggested) override { return suggested; }
        DWORD OnDrop(IDataObject* data, DWORD, POINT, DWORD suggested) override
        {
            FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
            STGMEDIUM medium{};
            if (data == nullptr || FAILED(data->GetData(&format, &medium)))
                return DROPEFFECT_NONE;
            auto drop = static_cast<HDROP>(medium.hGlobal);
            const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                wchar_t path[MAX_PATH] = {};
                DragQueryFileW(drop, i, path, MAX_PATH);
                m_owner.dropped.push_back(path);
            }
            ReleaseStgMedium(&medium);
            return suggested;
        }

    private:
        ExampleWnd& m_owner;
    };
    DropTarget m_dropTarget{*this};
};
