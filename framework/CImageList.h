#pragma once
#include <windows.h>

#include <commctrl.h>

#include <utility>

// Owns an image list of the common controls and destroys it when it goes.
// A list the system shares (the shell's system image list) is attached
// without ownership, so it is never destroyed here.
class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& other) noexcept
        : m_list(std::exchange(other.m_list, nullptr)), m_owned(std::exchange(other.m_owned, false))
    {
    }
    CImageList& operator=(CImageList&& other) noexcept;
    ~CImageList() { Reset(); }

    // A new list of images of the size; flags as for ImageList_Create
    // (ILC_COLOR32 | ILC_MASK by default).
    bool Create(int cx, int cy, UINT flags = ILC_COLOR32 | ILC_MASK, int initial = 4, int grow = 4);
    // Takes over a list; with owned false the list stays the system's.
    void Attach(HIMAGELIST list, bool owned = true);
    HIMAGELIST Detach();
    void Reset();

    HIMAGELIST Get() const { return m_list; }
    operator HIMAGELIST() const { return m_list; }
    explicit operator bool() const { return m_list != nullptr; }
    bool IsOwned() const { return m_owned; }

    // Index of the new image, or -1.
    int AddIcon(HICON icon) { return m_list != nullptr ? ImageList_AddIcon(m_list, icon) : -1; }
    int AddBitmap(HBITMAP image, HBITMAP mask = nullptr)
    {
        return m_list != nullptr ? ImageList_Add(m_list, image, mask) : -1;
    }
    int AddMasked(HBITMAP image, COLORREF maskColor)
    {
        return m_list != nullptr ? ImageList_AddMasked(m_list, image, maskColor) : -1;
    }
    bool Replace(int index, HICON icon) { return m_list != nullptr && ImageList_ReplaceIcon(m_list, index, icon) >= 0; }
    bool Remove(int index) { return m_list != nullptr && ImageList_Remove(m_list, index) != FALSE; }
    int GetCount() const { return m_list != nullptr ? ImageList_GetImageCount(m_list) : 0; }
    SIZE GetIconSize() const;
    // A new icon of the image, owned by the caller.
    HICON ExtractIcon(int index, UINT flags = ILD_TRANSPARENT) const
    {
        return m_list != nullptr ? ImageList_GetIcon(m_list, index, flags) : nullptr;
    }
    bool Draw(HDC dc, int index, POINT at, UINT style = ILD_TRANSPARENT) const
    {
        return m_list != nullptr && ImageList_Draw(m_list, index, dc, at.x, at.y, style) != FALSE;
    }

private:
    HIMAGELIST m_list = nullptr;
    bool m_owned = false;
};
