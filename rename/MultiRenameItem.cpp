#include "rename/MultiRenameItem.h"

#include <shlwapi.h>

#include "app/SystemHelpers.h"
#include "app/TextHelpers.h"

int GetPreviewKind(const std::wstring& extension)
{
    if (_wcsicmp(extension.c_str(), L".mp3") == 0)
        return 3;
    static const wchar_t* const kPictures[] = {L".bmp", L".emf", L".gif", L".jpeg",
                                               L".jpg", L".png", L".tif", L".tiff"};
    for (const wchar_t* picture : kPictures) {
        if (_wcsicmp(extension.c_str(), picture) == 0)
            return 2;
    }
    return 1;
}

_tagMultiRenameItemData MakeRenameItem(const std::wstring& inFolderName, const std::wstring& path, bool isFolder,
                                       bool isLink, RenameTimeKind timeKind)
{
    _tagMultiRenameItemData data;
    data.path = path;
    if (isFolder) {
        data.oldName = inFolderName;
        data.kind = _tagMultiRenameItemData::kFolder;
        data.previewKind = 4;
    } else {
        data.oldName = RemoveExtension(inFolderName.c_str());
        const std::wstring extension = GetExtension(path.c_str());
        data.oldExtension = extension.empty() ? extension : extension.substr(1);
        data.kind = isLink ? _tagMultiRenameItemData::kLink : _tagMultiRenameItemData::kFile;
        data.previewKind = GetPreviewKind(extension);
    }
    data.newName = data.oldName;
    data.newExtension = data.oldExtension;

    std::wstring folder = path;
    folder.push_back(L'\0');
    PathRemoveFileSpecW(folder.data());
    data.folder = folder.c_str();
    data.newFolder = data.folder;

    if (!GetFileTimeOf(path, static_cast<FileTimeKind>(timeKind), data.time))
        data.time = SYSTEMTIME{};
    return data;
}
