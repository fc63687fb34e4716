#include "app/SharedResources.h"

#include <array>

#include "app/ErrorBoxes.h"
#include "resources/ResourceIds.h"

namespace {
constexpr UINT kFirstBitmap = IDB_SB_CLICKED;       // 136
constexpr UINT kLastBitmap = IDB_SB_HOT_SELECTED_R; // 147
// Resource numbers 139 to 141 are not bitmaps of the sidebar.
constexpr std::array<UINT, 9> kBitmaps = {IDB_SB_CLICKED,
                                          IDB_SB_HOT,
                                          IDB_SB_NORMAL,
                                          IDB_SB_NORMAL_SELECTED_R,
                                          IDB_SB_NORMAL_SELECTED_L,
                                          IDB_SB_CLICKED_SELECTED_L,
                                          IDB_SB_CLICKED_SELECTED_R,
                                          IDB_SB_HOT_SELECTED_L,
                                          IDB_SB_HOT_SELECTED_R};

std::array<HBITMAP, kLastBitmap - kFirstBitmap + 1> g_bitmaps{};
HICON g_computerIcon = nullptr;
HICON g_desktopIcon = nullptr;
} // namespace

void LoadSharedResources()
{
    for (UINT id : kBitmaps) {
        HBITMAP& slot = g_bitmaps[id - kFirstBitmap];
        if (slot == nullptr)
            slot = static_cast<HBITMAP>(LoadResourceImage(id, 0));
    }
    if (g_computerIcon == nullptr)
        g_computerIcon = static_cast<HICON>(LoadResourceImage(IDI_COMPUTER, 1));
    if (g_desktopIcon == nullptr)
        g_desktopIcon = static_cast<HICON>(LoadResourceImage(IDI_DESKTOP, 1));
}

void DeleteSharedBitmaps()
{
    for (HBITMAP& bitmap : g_bitmaps) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

namespace SharedResources {

HBITMAP Bitmap(UINT id)
{
    if (id < kFirstBitmap || id > kLastBitmap)
        return nullptr;
    return g_bitmaps[id - kFirstBitmap];
}

HICON Icon(UINT id)
{
    if (id == IDI_COMPUTER)
        return g_computerIcon;
    if (id == IDI_DESKTOP)
        return g_desktopIcon;
    return nullptr;
}

} // namespace SharedResources
