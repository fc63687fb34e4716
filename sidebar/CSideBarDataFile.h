#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "framework/CFile.h"
#include "framework/CObject.h"
#include "sidebar/SideBarRecord.h"

// The category file ".\BData.sbd" (in the process's current folder): a
// 12-byte header, then one 1592-byte record per category. Held open without
// sharing while the sidebar exists. A file whose header is foreign is marked
// unusable and is never written; one that would be emptied while it still
// holds data is first kept beside it under a backup name.
class CSideBarDataFile : public CObject {
public:
    static constexpr const wchar_t* kPath = L".\\BData.sbd";
    static constexpr std::array<uint16_t, 4> kMagic{0x0031, 0x0023, 0x0009, 0x000A};
    static constexpr int64_t kFirstRecord = 12;

    CSideBarDataFile() = default;
    CSideBarDataFile(const CSideBarDataFile&) = delete;
    CSideBarDataFile& operator=(const CSideBarDataFile&) = delete;

    // Owner of the error boxes (the sidebar window).
    void SetOwner(HWND owner) { m_owner = owner; }

    // Opens (creating, never emptying) and checks the header; an empty file
    // gets a fresh header. False, with the file unusable, on any failure.
    bool OpenForLoad();
    // Opens the file emptied, with a fresh header; clears unusable.
    bool OpenTruncate();
    // When the file is unusable: shows the coded error with the code and
    // returns true. Every operation below calls it first.
    bool CheckUsable(const wchar_t* code) const;

    // Reads the record at the offset; returns the offset after it, or -1
    // when the file is unusable. An incomplete record shows "12571" and
    // throws a CFileException (endOfFile), as does any other read failure.
    int64_t ReadRecordAt(int64_t offset, SideBarRecord& record);
    // Writes the record in one write at the current position (at least the
    // first record's offset); returns where it went, or -1 on failure.
    int64_t AppendRecord(const SideBarRecord& record);
    // Moves to the first record; throws a CFileException on failure.
    void SeekToFirstRecord();

    bool IsOpen() const { return m_file.IsOpen(); }
    bool IsUsable() const { return IsOpen() && !m_unusable; }
    // The file's length; -1 when it is not open.
    int64_t GetLength() const;
    void Close();
    // The backup made by the last OpenForLoad or OpenTruncate (empty: none).
    const std::wstring& BackupPath() const { return m_backupPath; }

private:
    bool WriteFreshHeader();
    // Keeps a file that holds anything but a bare header of ours under a
    // free backup name beside it; false when it cannot be kept.
    bool KeepExistingData();
    void ShowUnusable(UINT id) const;

    CFile m_file;
    HWND m_owner = nullptr;
    bool m_unusable = false;
    std::wstring m_backupPath;
};
