#include "toolkit/SkinFolder.h"

#include "app/Settings.h"
#include "app/TextHelpers.h"

std::wstring ResolveSkinFolder(const std::wstring& skinPath, const std::wstring& programFolder)
{
    const bool drive = skinPath.size() >= 2 && skinPath[1] == L':';
    const bool network = skinPath.rfind(L"\\\\", 0) == 0;
    if (drive || network)
        return skinPath;
    std::wstring relative = skinPath;
    if (!relative.empty() && relative.front() == L'\\')
        relative.erase(0, 1);
    if (relative.empty())
        return programFolder;
    std::wstring folder = programFolder;
    if (!folder.empty() && folder.back() != L'\\')
        folder.push_back(L'\\');
    return folder + relative;
}

std::wstring GetSkinFolder()
{
    return ResolveSkinFolder(ReadSetting(kSkinPath), GetProgramFolder());
}
