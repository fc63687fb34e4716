#pragma once
#include <windows.h>

// The sidebar's bitmaps and icons, loaded once from the executable before
// the sidebar thread starts and read-only afterwards. A resource that cannot
// be loaded leaves its handle empty; the sidebar then falls back to its skin
// files or plain drawing.
void LoadSharedResources();
// Deletes the bitmaps; called after the sidebar thread has ended.
void DeleteSharedBitmaps();

namespace SharedResources {

// The bitmap of a resource number (136 to 147) or null.
HBITMAP Bitmap(UINT id);
// The icon of a resource number (132 or 134) or null.
HICON Icon(UINT id);

} // namespace SharedResources
