#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "folderbuttons/FolderButtonRecord.h"
#include "folderbuttons/tagBtnData.h"
#include "framework/CObject.h"

class CShellItem;

// One folder button in memory: its record, the button data the window
// paints, and the shell item of its target. The button data always points
// back to this item, so an item is never copied.
class CFileFolderBtnItem : public CObject {
public:
    CFileFolderBtnItem();
    CFileFolderBtnItem(const CFileFolderBtnItem&) = delete;
    CFileFolderBtnItem& operator=(const CFileFolderBtnItem&) = delete;
    ~CFileFolderBtnItem() override;

    // Copies every field; the caption becomes the name, the second text the path.
    void SetRecord(const FolderButtonRecord& record);
    const FolderButtonRecord& GetRecord() const { return m_record; }
    tagBtnData GetButtonData() const { return m_buttonData; }
    // The button data itself, for the window that shows it.
    tagBtnData& ButtonData() { return m_buttonData; }

    // The tool tip: the path (the name for a path containing "::"), a line
    // break and the type name; at most 259 characters.
    std::wstring GetTipText() const;

    // Takes the record and button data of another item, a copy of its shell
    // item, and the kind its shell item calls for.
    void AdoptRecord(const CFileFolderBtnItem& other);

    // Replacing the shell item deletes the old one.
    void SetShellItem(std::unique_ptr<CShellItem> item);
    CShellItem* GetShellItem() const { return m_shellItem.get(); }

    // For a generated button: own offset of the enumerate-folder record that
    // produced it; -1 otherwise.
    void SetParentOffset(int64_t offset) { m_parentOffset = offset; }
    int64_t GetParentOffset() const { return m_parentOffset; }

    void SetName(const std::wstring& name);
    void SetPath(const std::wstring& path);
    void SetParameters(const std::wstring& parameters);
    void SetKind(uint32_t kind) { m_record.kind = kind; }
    void SetTypeFlags(uint32_t value, bool on) { m_record.SetType(value, on); }
    void SetImageIndex(int index) { m_buttonData.image = index; }
    void SetTypeName(const std::wstring& typeName);
    // 0 none, 1 shared, 2 shortcut.
    void SetOverlay(int overlay);
    int GetOverlay() const { return m_overlay; }
    void SetAttributes(DWORD attributes) { m_attributes = attributes; }
    DWORD GetAttributes() const { return m_attributes; }
    // The record's own offset, where it is written.
    void SetOwnOffset(int64_t offset) { m_record.ownOffset = offset; }
    void SetNext(int64_t offset) { m_record.next = offset; }
    void SetPrevious(int64_t offset) { m_record.previous = offset; }

    bool IsDeleted() const { return m_record.IsDeleted(); }

private:
    FolderButtonRecord m_record;
    tagBtnData m_buttonData;
    int m_overlay = 0;
    DWORD m_attributes = 0;
    std::unique_ptr<CShellItem> m_shellItem;
    int64_t m_parentOffset = -1;
};
