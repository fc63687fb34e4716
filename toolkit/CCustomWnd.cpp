#include "toolkit/CCustomWnd.h"

#include <gdiplus.h>

#include <memory>

#include "framework/CException.h"
#include "toolkit/CMouseTrack.h"

CCustomWnd::CCustomWnd()
{
    // Pop-up menus this window owns are updated through its command route.
    m_bAutoMenuUpdate = true;
}

CCustomWnd::~CCustomWnd()
{
    ReleaseBackground();
}

bool CCustomWnd::LoadBackgroundImage(const std::wstring& path, HBITMAP* bitmap)
{
    if (path.empty())
        return false;
    m_image.Reset();
    std::unique_ptr<Gdiplus::Bitmap> picture(Gdiplus::Bitmap::FromFile(path.c_str()));
    HBITMAP loaded = nullptr;
    if (picture == nullptr || picture->GetLastStatus() != Gdiplus::Ok ||
        picture->GetHBITMAP(Gdiplus::Color(0, 0, 0), &loaded) != Gdiplus::Ok || loaded == nullptr) {
        m_imagePath.clear();
        return false;
    }
    m_image.Reset(loaded);
    m_imagePath = path;
    if (bitmap != nullptr)
        *bitmap = loaded;
    return true;
}

void CCustomWnd::ReleaseBackground()
{
    if (m_memoryDC && m_previousBitmap != nullptr)
        SelectObject(m_memoryDC.Get(), m_previousBitmap);
    m_previousBitmap = nullptr;
    m_memoryDC.Reset();
    m_cacheBitmap.Reset();
    m_backgroundValid = false;
}

BOOL CCustomWnd::CreateBackground(HBITMAP picture)
{
    if (m_inheritParentBackground && ParentCustomWnd() != nullptr)
        return InheritParentBackground();
    if (picture == nullptr)
        picture = m_fallbackBitmap;
    ReleaseBackground();
    const RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    try {
        CClientDCHandle screen(m_hWnd);
        if (!screen || width <= 0 || height <= 0)
            return FALSE;
        m_memoryDC.Reset(CreateCompatibleDC(screen.Get()));
        m_cacheBitmap.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
        if (!m_memoryDC || !m_cacheBitmap) {
            ReleaseBackground();
            return FALSE;
        }
        m_previousBitmap = SelectObject(m_memoryDC.Get(), m_cacheBitmap.Get());
        bool drawn = false;
        if (picture != nullptr) {
            BITMAP info{};
            if (GetObjectW(picture, sizeof(info), &info) != 0 && info.bmWidth > 0 && info.bmHeight != 0) {
                const int pictureHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
                CMemoryDCHandle source(CreateCompatibleDC(screen.Get()));
                if (source) {
                    CSelectObject selected(source.Get(), picture);
                    SetStretchBltMode(m_memoryDC.Get(), HALFTONE);
                    SetBrushOrgEx(m_memoryDC.Get(), 0, 0, nullptr);
                    drawn = StretchBlt(m_memoryDC.Get(), 0, 0, width, height, source.Get(), 0, 0, info.bmWidth,
                                       pictureHeight, SRCCOPY) != FALSE;
                }
            }
        } else {
            drawn = PatBlt(m_memoryDC.Get(), 0, 0, width, height, BLACKNESS) != FALSE;
        }
        if (!drawn) {
            ReleaseBackground();
            return FALSE;
        }
    } catch (const CException&) {
        ReleaseBackground();
        return FALSE;
    }
    m_backgroundValid = true;
    return TRUE;
}

bool CCustomWnd::DrawBackground(HDC dc)
{
    if (!m_backgroundValid) {
        ReleaseBackground();
        if (!CreateBackground(m_image.Get()))
            return false;
    }
    const RECT client = GetClientRect();
    if (dc != nullptr)
        return BitBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top,
                      m_memoryDC.Get(), 0, 0, SRCCOPY) != FALSE;
    CClientDCHandle own(m_hWnd);
    return own && BitBlt(own.Get(), client.left, client.top, client.right - client.left, client.bottom - client.top,
                         m_memoryDC.Get(), 0, 0, SRCCOPY) != FALSE;
}

CCustomWnd* CCustomWnd::ParentCustomWnd() const
{
    return dynamic_cast<CCustomWnd*>(FromHandlePermanent(::GetParent(m_hWnd)));
}

BOOL CCustomWnd::InheritParentBackground()
{
    CCustomWnd* parent = ParentCustomWnd();
    if (parent == nullptr || (parent->m_image.Get() == nullptr && parent->m_fallbackBitmap == nullptr))
        return FALSE;
    if (!parent->m_backgroundValid && !parent->CreateBackground(parent->m_image.Get()))
        return FALSE;
    ReleaseBackground();
    const RECT source = GetInheritedBackgroundRect();
    const RECT client = GetClientRect();
    CClientDCHandle screen(m_hWnd);
    if (!screen)
        return FALSE;
    m_memoryDC.Reset(CreateCompatibleDC(screen.Get()));
    m_cacheBitmap.Reset(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (!m_memoryDC || !m_cacheBitmap) {
        ReleaseBackground();
        return FALSE;
    }
    m_previousBitmap = SelectObject(m_memoryDC.Get(), m_cacheBitmap.Get());
    if (!BitBlt(m_memoryDC.Get(), 0, 0, client.right, client.bottom, parent->m_memoryDC.Get(), source.left, source.top,
                SRCCOPY)) {
        ReleaseBackground();
        return FALSE;
    }
    m_backgroundValid = true;
    return TRUE;
}

BOOL CCustomWnd::CopyPart(HDC source, HBITMAP* bitmap, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (bitmap == nullptr || source == nullptr || width <= 0 || height <= 0)
        return FALSE;
    CBitmapHandle copy(CreateCompatibleBitmap(source, width, height));
    CMemoryDCHandle target(CreateCompatibleDC(source));
    if (!copy || !target)
        return FALSE;
    {
        CSelectObject selected(target.Get(), copy.Get());
        if (!BitBlt(target.Get(), 0, 0, width, height, source, rect.left, rect.top, SRCCOPY))
            return FALSE;
    }
    if (*bitmap != nullptr)
        DeleteObject(*bitmap);
    *bitmap = copy.Detach();
    return TRUE;
}

BOOL CCustomWnd::CopyParentBackgroundPart(HBITMAP* bitmap, const RECT& rect)
{
    CCustomWnd* parent = ParentCustomWnd();
    if (parent == nullptr || (parent->m_image.Get() == nullptr && parent->m_fallbackBitmap == nullptr))
        return FALSE;
    if (!parent->m_backgroundValid && !parent->CreateBackground(parent->m_image.Get()))
        return FALSE;
    return CopyPart(parent->m_memoryDC.Get(), bitmap, rect);
}

BOOL CCustomWnd::CopyBackgroundPart(HBITMAP* bitmap, const RECT& rect)
{
    if (m_image.Get() == nullptr && m_fallbackBitmap == nullptr)
        return FALSE;
    if (!m_backgroundValid && !CreateBackground(m_image.Get()))
        return FALSE;
    return CopyPart(m_memoryDC.Get(), bitmap, rect);
}

RECT CCustomWnd::GetInheritedBackgroundRect()
{
    return RECT{0, 0, 0, 0};
}

void CCustomWnd::DrawCaptionStrip(HDC dc, HBITMAP bitmap)
{
    RECT strip = GetClientRect();
    strip.bottom = strip.top + 20;
    if (bitmap != nullptr) {
        BITMAP info{};
        CMemoryDCHandle source(CreateCompatibleDC(dc));
        if (source && GetObjectW(bitmap, sizeof(info), &info) != 0) {
            CSelectObject selected(source.Get(), bitmap);
            StretchBlt(dc, strip.left, strip.top, strip.right - strip.left, 20, source.Get(), 0, 0, info.bmWidth,
                       info.bmHeight < 0 ? -info.bmHeight : info.bmHeight, SRCCOPY);
        }
        return;
    }
    const std::wstring caption = GetWindowText();
    const int mode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), -1, &strip, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetBkMode(dc, mode);
}

BOOL CCustomWnd::OnTrackMouseLeave(WPARAM, LPARAM)
{
    return TRUE;
}

BOOL CCustomWnd::OnTrackMouseHover(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CCustomWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSELEAVE:
        m_tracking = false;
        OnTrackMouseLeave(wParam, lParam);
        return Default();
    case WM_MOUSEHOVER:
        // The hover notice ends the system's request, but the leave notice
        // is still wanted: tracking stays on until it comes.
        OnTrackMouseHover(wParam, lParam);
        return Default();
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CCustomWnd::OnMouseMove(UINT flags, POINT point)
{
    if (!m_tracking)
        m_tracking = CMouseTrack(m_hWnd, TME_HOVER | TME_LEAVE, HOVER_DEFAULT).Track();
    CWnd::OnMouseMove(flags, point);
}

void CCustomWnd::OnPaint()
{
    // Every subclass paints itself; the base only validates.
    ValidateRect(m_hWnd, nullptr);
}

LRESULT CCustomWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    return 1;
}

void CCustomWnd::OnDestroy()
{
    ReleaseBackground();
    CWnd::OnDestroy();
}
