#include "framework/COleDataSource.h"

#include <cstring>

#include "framework/CPidl.h"
#include "framework/Handles.h"

namespace {

// Ends the drag when the button that started it is released; Escape
// cancels.
class CDropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&m_refs); }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keyState) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        if (!(keyState & (MK_LBUTTON | MK_RBUTTON)))
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    LONG m_refs = 1;
};

// The parent list of an absolute list (a copy without its last ID).
CPidl ParentOf(LPCITEMIDLIST item)
{
    CPidl parent = CPidl::Clone(item);
    if (parent)
        ILRemoveLastID(parent.Get());
    return parent;
}

} // namespace

CComPtr<COleDataSource> COleDataSource::New()
{
    CComPtr<COleDataSource> source;
    source.Attach(new COleDataSource());
    return source;
}

CLIPFORMAT COleDataSource::ShellIdListFormat()
{
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST));
    return format;
}

CLIPFORMAT COleDataSource::PreferredDropEffectFormat()
{
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT));
    return format;
}

const std::vector<BYTE>* COleDataSource::Find(CLIPFORMAT format) const
{
    for (const Entry& entry : m_entries) {
        if (entry.format == format)
            return &entry.bytes;
    }
    return nullptr;
}

bool COleDataSource::CacheBytes(CLIPFORMAT format, const void* data, size_t size)
{
    if (format == 0 || (data == nullptr && size != 0))
        return false;
    std::vector<BYTE> bytes(size);
    if (size != 0)
        std::memcpy(bytes.data(), data, size);
    for (Entry& entry : m_entries) {
        if (entry.format == format) {
            entry.bytes = std::move(bytes);
            return true;
        }
    }
    m_entries.push_back(Entry{format, std::move(bytes)});
    return true;
}

bool COleDataSource::CacheItems(const std::vector<LPCITEMIDLIST>& items)
{
    if (items.empty())
        return false;
    for (LPCITEMIDLIST item : items) {
        if (item == nullptr)
            return false;
    }

    // One common parent lets receivers see plain children; otherwise the
    // desktop is the parent and every item keeps its whole list.
    CPidl parent = ParentOf(items.front());
    for (size_t i = 1; parent && i < items.size(); ++i) {
        CPidl other = ParentOf(items[i]);
        if (!other || !ILIsEqual(parent.Get(), other.Get()))
            parent.Reset();
    }
    static const USHORT kEmpty = 0;
    LPCITEMIDLIST parentList = parent ? parent.Get() : reinterpret_cast<LPCITEMIDLIST>(&kEmpty);

    std::vector<LPCITEMIDLIST> children;
    for (LPCITEMIDLIST item : items)
        children.push_back(parent ? ILFindLastID(item) : item);

    // CIDA: the count, count + 1 offsets, then the parent and every child.
    const size_t header = sizeof(UINT) * (children.size() + 2);
    std::vector<BYTE> ida(header);
    auto append = [&](LPCITEMIDLIST list) {
        const size_t offset = ida.size();
        const UINT size = ILGetSize(list);
        ida.resize(offset + size);
        std::memcpy(ida.data() + offset, list, size);
        return static_cast<UINT>(offset);
    };
    std::vector<UINT> offsets;
    offsets.push_back(append(parentList));
    for (LPCITEMIDLIST child : children)
        offsets.push_back(append(child));
    const UINT count = static_cast<UINT>(children.size());
    std::memcpy(ida.data(), &count, sizeof(UINT));
    std::memcpy(ida.data() + sizeof(UINT), offsets.data(), offsets.size() * sizeof(UINT));
    CacheBytes(ShellIdListFormat(), ida.data(), ida.size());

    // CF_HDROP: a DROPFILES header, then the wide paths, each ended by a
    // zero, and one more zero at the end.
    std::wstring paths;
    for (LPCITEMIDLIST item : items) {
        wchar_t path[MAX_PATH * 4] = {};
        if (SHGetPathFromIDListEx(item, path, static_cast<DWORD>(std::size(path)), GPFIDL_DEFAULT) && path[0] != 0) {
            paths += path;
            paths.push_back(L'\0');
        }
    }
    if (!paths.empty()) {
        paths.push_back(L'\0');
        std::vector<BYTE> drop(sizeof(DROPFILES) + paths.size() * sizeof(wchar_t));
        DROPFILES files{};
        files.pFiles = sizeof(DROPFILES);
        files.fWide = TRUE;
        std::memcpy(drop.data(), &files, sizeof(files));
        std::memcpy(drop.data() + sizeof(DROPFILES), paths.data(), paths.size() * sizeof(wchar_t));
        CacheBytes(CF_HDROP, drop.data(), drop.size());
    }
    return true;
}

bool COleDataSource::CacheFiles(const std::vector<std::wstring>& paths)
{
    std::vector<CPidl> owned;
    std::vector<LPCITEMIDLIST> items;
    for (const std::wstring& path : paths) {
        CPidl item;
        if (FAILED(SHParseDisplayName(path.c_str(), nullptr, item.Receive(), 0, nullptr)) || !item)
            return false;
        items.push_back(item.Get());
        owned.push_back(std::move(item));
    }
    return CacheItems(items);
}

bool COleDataSource::CachePreferredDropEffect(DWORD effect)
{
    return CacheBytes(PreferredDropEffectFormat(), &effect, sizeof(effect));
}

std::vector<BYTE> COleDataSource::GetBytes(CLIPFORMAT format) const
{
    const std::vector<BYTE>* bytes = Find(format);
    return bytes != nullptr ? *bytes : std::vector<BYTE>();
}

DWORD COleDataSource::DoDragDrop(DWORD allowedEffects)
{
    CDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = ::DoDragDrop(this, &source, allowedEffects, &effect);
    return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

HRESULT COleDataSource::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG COleDataSource::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG COleDataSource::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT COleDataSource::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    if (!(format->tymed & TYMED_HGLOBAL))
        return DV_E_TYMED;
    const std::vector<BYTE>* bytes = Find(format->cfFormat);
    if (bytes == nullptr)
        return DV_E_FORMATETC;
    CGlobalHandle memory(GlobalAlloc(GMEM_MOVEABLE, bytes->empty() ? 1 : bytes->size()));
    if (!memory)
        return E_OUTOFMEMORY;
    {
        CGlobalLock<BYTE> lock(memory.Get());
        if (!lock)
            return E_OUTOFMEMORY;
        if (!bytes->empty())
            std::memcpy(lock.Get(), bytes->data(), bytes->size());
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory.Detach();
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT COleDataSource::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT COleDataSource::QueryGetData(FORMATETC* format)
{
    if (format == nullptr)
        return E_INVALIDARG;
    if (!(format->tymed & TYMED_HGLOBAL))
        return DV_E_TYMED;
    return Find(format->cfFormat) != nullptr ? S_OK : DV_E_FORMATETC;
}

HRESULT COleDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out != nullptr)
        out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT COleDataSource::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    if (medium->tymed != TYMED_HGLOBAL)
        return DV_E_TYMED;
    HRESULT result = E_OUTOFMEMORY;
    {
        CGlobalLock<BYTE> lock(medium->hGlobal);
        if (lock && CacheBytes(format->cfFormat, lock.Get(), GlobalSize(medium->hGlobal)))
            result = S_OK;
    }
    if (release && SUCCEEDED(result))
        ReleaseStgMedium(medium);
    return result;
}

HRESULT COleDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
    if (enumerator == nullptr)
        return E_INVALIDARG;
    *enumerator = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& entry : m_entries)
        formats.push_back(FORMATETC{entry.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), enumerator);
}

HRESULT COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
