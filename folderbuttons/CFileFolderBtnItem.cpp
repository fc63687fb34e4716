#include "folderbuttons/CFileFolderBtnItem.h"

#include "folderbuttons/BinaryFields.h"
#include "shell/CShellItem.h"
#include "shell/ShellHelpers.h"

CFileFolderBtnItem::CFileFolderBtnItem()
{
    m_buttonData.owner = this;
}

CFileFolderBtnItem::~CFileFolderBtnItem() = default;

void CFileFolderBtnItem::SetRecord(const FolderButtonRecord& record)
{
    m_record = record;
    m_buttonData.caption = BinaryFields::FitText(record.name);
    m_buttonData.secondText = BinaryFields::FitText(record.path);
    m_buttonData.owner = this;
}

std::wstring CFileFolderBtnItem::GetTipText() const
{
    const std::wstring& first = m_record.path.find(L"::") != std::wstring::npos ? m_record.name : m_record.path;
    return BinaryFields::FitText(first + L"\n" + m_record.typeName);
}

void CFileFolderBtnItem::AdoptRecord(const CFileFolderBtnItem& other)
{
    m_record = other.m_record;
    m_buttonData = other.m_buttonData;
    m_buttonData.owner = this;
    m_overlay = other.m_overlay;
    m_attributes = other.m_attributes;
    if (other.m_shellItem == nullptr) {
        m_shellItem.reset();
        return;
    }
    auto copy = std::make_unique<CShellItem>();
    copy->CopyFrom(*other.m_shellItem);
    if (copy->IsFolder())
        m_record.kind = copy->IsVirtual() ? FolderButtonRecord::kindVirtualFolder : FolderButtonRecord::kindFolder;
    else
        m_record.kind = GetExecutableKind(copy->m_strParsingName) != 0 ? FolderButtonRecord::kindProgram
                                                                       : FolderButtonRecord::kindDocument;
    m_shellItem = std::move(copy);
}

void CFileFolderBtnItem::SetShellItem(std::unique_ptr<CShellItem> item)
{
    m_shellItem = std::move(item);
}

void CFileFolderBtnItem::SetName(const std::wstring& name)
{
    m_record.name = BinaryFields::FitText(name);
    m_buttonData.caption = m_record.name;
}

void CFileFolderBtnItem::SetPath(const std::wstring& path)
{
    m_record.path = BinaryFields::FitText(path);
    m_buttonData.secondText = m_record.path;
}

void CFileFolderBtnItem::SetParameters(const std::wstring& parameters)
{
    m_record.parameters = BinaryFields::FitText(parameters);
}

void CFileFolderBtnItem::SetTypeName(const std::wstring& typeName)
{
    m_record.typeName = BinaryFields::FitText(typeName);
}

void CFileFolderBtnItem::SetOverlay(int overlay)
{
    m_overlay = overlay;
    m_buttonData.overlay = overlay;
}
