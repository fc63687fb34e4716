#include "rename/RenameShellItems.h"

#include "shell/CShellItem.h"

_tagMultiRenameItemData MakeRenameItem(CShellItem& item, RenameTimeKind timeKind)
{
    const bool folder = item.IsFolder();
    const bool link = !folder && item.IsLink();
    _tagMultiRenameItemData data =
        MakeRenameItem(item.m_strInFolderName, item.m_strParsingName, folder, link, timeKind);
    data.item = &item;
    return data;
}
