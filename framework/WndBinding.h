#pragma once
#include <windows.h>

class CWnd;

// The link between window handles and their objects: a window property
// holds the object, and a per-thread slot hands the object that is being
// created to the window procedure at the window's first message.
namespace WndBinding {

void Bind(HWND window, CWnd* object);
void Unbind(HWND window);
CWnd* Find(HWND window);

// Takes the object waiting to be bound on this thread (null when none).
CWnd* TakeCreating();

// Makes an object the one waiting to be bound for the scope's life.
class CreationScope {
public:
    explicit CreationScope(CWnd* object);
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;
    ~CreationScope();

private:
    CWnd* m_previous;
};

} // namespace WndBinding
