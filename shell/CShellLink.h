#pragma once
#include <windows.h>

#include <shobjidl.h>

#include <memory>
#include <string>

#include "framework/CComPtr.h"
#include "framework/CObject.h"

// Reads a shell link (.lnk file) through the shell's link object. The
// calling thread must have initialised COM. When the link object cannot be
// made, every operation gives an empty result.
class CShellLink : public CObject {
public:
    CShellLink();
    ~CShellLink() override;
    CShellLink(const CShellLink&) = delete;
    CShellLink& operator=(const CShellLink&) = delete;

    // A link object loaded from the path, or null when it cannot be loaded.
    static std::unique_ptr<CShellLink> OpenLink(const std::wstring& path);

    // Loads the link file; the path is kept as the link file path.
    bool LoadLink(const std::wstring& path);
    // The target's path, or for a target outside the file system its parsing
    // name ("::{class}..."); empty when there is none.
    std::wstring GetTarget();
    const std::wstring& GetLinkFilePath() const { return m_strLinkFilePath; }
    // Where the link's icon is found, with its index; empty (index -1) when
    // nothing is found. For a link to a network connections folder the text
    // is "netshellicon::" followed by the target, for ComposeNetworkIcon.
    std::wstring GetLinkIconLocation(int& index);

    HRESULT GetLastResult() const { return m_hrLast; }
    const WIN32_FIND_DATAW& GetFindData() const { return m_findData; }

private:
    std::wstring IconLocationOutsideFileSystem(const std::wstring& target, int& index);

    HRESULT m_hrLast = S_OK;
    WIN32_FIND_DATAW m_findData = {};
    CComPtr<IShellLinkW> m_pLink;
    CComPtr<IPersistFile> m_pFile;
    std::wstring m_strLinkFilePath;
};
