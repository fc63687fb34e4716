#include "framework/WndBinding.h"

namespace WndBinding {

namespace {
const wchar_t kProperty[] = L"Tavrel.CWnd";
thread_local CWnd* t_creating = nullptr;
} // namespace

void Bind(HWND window, CWnd* object)
{
    SetPropW(window, kProperty, object);
}

void Unbind(HWND window)
{
    RemovePropW(window, kProperty);
}

CWnd* Find(HWND window)
{
    return static_cast<CWnd*>(GetPropW(window, kProperty));
}

CWnd* TakeCreating()
{
    CWnd* object = t_creating;
    t_creating = nullptr;
    return object;
}

CreationScope::CreationScope(CWnd* object) : m_previous(t_creating)
{
    t_creating = object;
}

CreationScope::~CreationScope()
{
    t_creating = m_previous;
}

} // namespace WndBinding
