#pragma once
#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/CComPtr.h"

// A data object that offers what was put into it, in global memory, to a
// drop target or the clipboard. Formats the receiver stores back (the shell
// sets "Performed DropEffect" and the like) are kept too. Create with New();
// COM reference counting governs its life.
class COleDataSource : public IDataObject {
public:
    static CComPtr<COleDataSource> New();

    // Offers a copy of the bytes under the clipboard format.
    bool CacheBytes(CLIPFORMAT format, const void* data, size_t size);
    // Offers files and folders: the shell's ID-list array ("Shell IDList
    // Array") of every item and CF_HDROP of those with a file-system path.
    // Items with one common parent are stored relative to it.
    bool CacheItems(const std::vector<LPCITEMIDLIST>& items);
    // The same for paths of the file system.
    bool CacheFiles(const std::vector<std::wstring>& paths);
    // "Preferred DropEffect": DROPEFFECT_COPY or DROPEFFECT_MOVE.
    bool CachePreferredDropEffect(DWORD effect);

    // Runs a drag with this data from the current mouse position until the
    // button is released or Escape is pressed; returns the effect the target
    // performed (DROPEFFECT_NONE when cancelled).
    DWORD DoDragDrop(DWORD allowedEffects);

    // The bytes offered under a format (empty when none); for tests and
    // for the receivers of the program's own data.
    std::vector<BYTE> GetBytes(CLIPFORMAT format) const;

    static CLIPFORMAT ShellIdListFormat();
    static CLIPFORMAT PreferredDropEffectFormat();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

private:
    COleDataSource() = default;
    virtual ~COleDataSource() = default;
    const std::vector<BYTE>* Find(CLIPFORMAT format) const;

    struct Entry {
        CLIPFORMAT format;
        std::vector<BYTE> bytes;
    };
    std::vector<Entry> m_entries;
    LONG m_refs = 1;
};
