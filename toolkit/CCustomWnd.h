#pragma once
#include <windows.h>

#include <string>

#include "framework/CWnd.h"
#include "framework/Handles.h"

// The base of the windows that paint their own skinned surface (the
// sidebar, the button windows, the floating window and the explorer panel).
// It keeps a cached background (a picture stretched to the client size, or
// black), turns the system's hover and leave notices into two hooks, and
// runs the command-update walk over the pop-up menus it owns.
class CCustomWnd : public CWnd {
public:
    CCustomWnd();
    ~CCustomWnd() override;

    // Loads a picture file (JPEG, BMP or PNG) as the background. An empty
    // path changes nothing and answers false; a file that cannot be read
    // empties the stored path. The cached background is not touched: the
    // caller marks it invalid. The bitmap stays the window's.
    bool LoadBackgroundImage(const std::wstring& path, HBITMAP* bitmap = nullptr);
    const std::wstring& GetBackgroundImagePath() const { return m_imagePath; }
    HBITMAP GetBackgroundImage() const { return m_image.Get(); }

    // Copies the cached background into the context (a client context when
    // none is given), building the cache first when it is not valid.
    bool DrawBackground(HDC dc = nullptr);
    // Forgets the cache; the next paint builds it again.
    void ReleaseBackground();
    bool IsBackgroundValid() const { return m_backgroundValid; }
    HDC GetBackgroundDC() const { return m_memoryDC.Get(); }

    // A fallback picture used when no image is loaded; not owned.
    virtual void SetBackgroundBitmap(HBITMAP bitmap) { m_fallbackBitmap = bitmap; }

    // Hooks for the notices; each answers true by default.
    virtual BOOL OnTrackMouseLeave(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnTrackMouseHover(WPARAM wParam, LPARAM lParam);

    // Background sharing with a parent that is a CCustomWnd: when the flag
    // is on, the cache is the part of the parent's cache that
    // GetInheritedBackgroundRect names.
    void SetInheritParentBackground(bool on) { m_inheritParentBackground = on; }
    virtual BOOL InheritParentBackground();
    // Replaces *bitmap with a new bitmap of the rectangle of the parent's
    // (or this window's) cached background; false when there is none.
    virtual BOOL CopyParentBackgroundPart(HBITMAP* bitmap, const RECT& rect);
    virtual BOOL CopyBackgroundPart(HBITMAP* bitmap, const RECT& rect);
    // Builds the cache from the picture (or the fallback, or black).
    virtual BOOL CreateBackground(HBITMAP picture);
    virtual RECT GetInheritedBackgroundRect();
    // Draws a caption strip over the top 20 pixels: the bitmap, or the
    // window's caption text.
    virtual void DrawCaptionStrip(HDC dc, HBITMAP bitmap);

    bool IsTrackingMouse() const { return m_tracking; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnMouseMove(UINT flags, POINT point) override;
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    // A bitmap of the rectangle of a cached background.
    static BOOL CopyPart(HDC source, HBITMAP* bitmap, const RECT& rect);
    CCustomWnd* ParentCustomWnd() const;

    std::wstring m_imagePath;
    CBitmapHandle m_image;
    HBITMAP m_fallbackBitmap = nullptr;
    bool m_tracking = false;
    bool m_backgroundValid = false;
    CMemoryDCHandle m_memoryDC;
    CBitmapHandle m_cacheBitmap;
    HGDIOBJ m_previousBitmap = nullptr;
    bool m_inheritParentBackground = false;
};
