#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <memory>

// Loads a picture resource of the given type from the executable. For the
// type "png" (any case) a 32-bit picture is premultiplied for alpha
// blending: blue, green and red are scaled by alpha / 255. On failure an
// error box "Failed to load picture resource. 77012" is shown and the result
// is null. The bitmap keeps the memory stream it was decoded from alive.
std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(UINT id, const wchar_t* type);
