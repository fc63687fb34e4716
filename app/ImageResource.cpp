#include "app/ImageResource.h"

#include <cstring>

#include "app/AppState.h"
#include "framework/CComPtr.h"
#include "framework/Handles.h"
#include "framework/MessageBoxLayer.h"

namespace {

// Holds the stream a bitmap was decoded from. As the first base of
// StreamBitmap it is built before the bitmap and released after it, because
// GDI+ may read the stream for as long as the bitmap lives.
struct StreamHolder {
    explicit StreamHolder(IStream* stream) : m_stream(stream) {}
    CComPtr<IStream> m_stream;
};

class StreamBitmap : private StreamHolder, public Gdiplus::Bitmap {
public:
    explicit StreamBitmap(IStream* stream) : StreamHolder(stream), Gdiplus::Bitmap(stream) {}
};

// A memory stream holding a copy of the resource's bytes.
CComPtr<IStream> StreamFromResource(UINT id, const wchar_t* type)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (resource == nullptr)
        return {};
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0)
        return {};

    CGlobalHandle memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory)
        return {};
    {
        CGlobalLock<BYTE> lock(memory.Get());
        if (!lock)
            return {};
        std::memcpy(lock.Get(), bytes, size);
    }
    CComPtr<IStream> stream;
    // The stream frees the memory when its last reference goes.
    if (FAILED(CreateStreamOnHGlobal(memory.Get(), TRUE, stream.Receive())))
        return {};
    memory.Detach();
    return stream;
}

// Scales each pixel's colour by its alpha, as AlphaBlend expects.
void Premultiply(Gdiplus::Bitmap& bitmap)
{
    const Gdiplus::Rect area(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok)
        return;
    for (UINT y = 0; y < data.Height; ++y) {
        BYTE* pixel = static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (UINT x = 0; x < data.Width; ++x, pixel += 4) {
            const unsigned alpha = pixel[3];
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = static_cast<BYTE>(pixel[channel] * alpha / 255);
        }
    }
    bitmap.UnlockBits(&data);
}

} // namespace

std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(UINT id, const wchar_t* type)
{
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
    if (CComPtr<IStream> stream = StreamFromResource(id, type)) {
        bitmap = std::make_unique<StreamBitmap>(stream.Get());
        if (bitmap->GetLastStatus() != Gdiplus::Ok)
            bitmap.reset();
    }
    if (!bitmap) {
        ShowMessageBox(AppState::sideBarWnd.load(), L"Failed to load picture resource. 77012", L"Error",
                       MB_OK | MB_ICONERROR);
        return nullptr;
    }
    if (type != nullptr && !IS_INTRESOURCE(type) &&
        CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, type, -1, L"png", -1) == CSTR_EQUAL &&
        Gdiplus::GetPixelFormatSize(bitmap->GetPixelFormat()) == 32)
        Premultiply(*bitmap);
    return bitmap;
}
