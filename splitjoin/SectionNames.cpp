#include "splitjoin/SectionNames.h"

#include "app/ResourceStrings.h"
#include "resources/ResourceIds.h"

std::wstring GetSectionSeparator()
{
    return L" " + LoadResourceString(IDS_SECTION_TAG);
}

std::wstring MakeSectionPath(const std::wstring& folder, const std::wstring& sourceName, unsigned long long n)
{
    const wchar_t* extension = PathFindExtensionW(sourceName.c_str());
    const std::wstring base(sourceName.c_str(), static_cast<size_t>(extension - sourceName.c_str()));
    return folder + L"\\" + base + GetSectionSeparator() + std::to_wstring(n) + extension;
}
