#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "folderbuttons/DataFileHeader.h"
#include "folderbuttons/FolderButtonRecord.h"
#include "framework/CFile.h"
#include "framework/CObject.h"

class CFileFolderBtnItem;
using FolderButtonItemList = std::vector<std::unique_ptr<CFileFolderBtnItem>>;

// The folder-button file ".\ffbdata.dat" (in the process's current folder):
// a 12-byte header, then 2152-byte records anywhere after it. Every record
// goes to the disk in one write at its offset. Failures are shown in the
// error box with their codes and reported as false (or an empty result).
class CFileFolderItemFile : public CObject {
public:
    static constexpr const wchar_t* kPath = L".\\ffbdata.dat";
    // How the folder-button windows and the category list open it.
    static constexpr UINT kShareMode =
        CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite | CFile::shareDenyNone | CFile::typeBinary;
    static constexpr std::array<uint16_t, 4> kMagic{0x0021, 0x0015, 0x000A, 0x0005};

    CFileFolderItemFile() = default;
    CFileFolderItemFile(const CFileFolderItemFile&) = delete;
    CFileFolderItemFile& operator=(const CFileFolderItemFile&) = delete;
    ~CFileFolderItemFile() override;

    // Owner window of the error boxes (none by default).
    void SetOwner(HWND owner) { m_owner = owner; }

    // Opens the file; an empty file gets its header. True when the file is
    // open with a valid header. A file with a foreign header stays open and
    // untouched.
    bool Open(UINT mode = kShareMode);
    // True when the last Open found the file empty and wrote its header.
    bool IsNew() const { return m_new; }
    bool IsOpen() const { return m_file.IsOpen(); }
    void Close() { m_file.Abort(); }

    // Reads and checks the header; an invalid one reads as all zero.
    bool ReadHeader();
    bool WriteHeader();
    // Empties the file and writes the header.
    bool ResetFile();
    bool IsEmptyOrInvalid();
    // The file's length; -1 when it is not open.
    int64_t GetLength() const;
    // True when the file is open and 0 < offset < length.
    bool IsValidOffset(int64_t offset) const;

    bool ReadRecord(int64_t offset, FolderButtonRecord& record);
    // Writes the whole record at the offset in one write. Offsets inside the
    // header or beyond the end of the file are refused.
    bool WriteRecord(int64_t offset, const FolderButtonRecord& record);

    // Empties the list and fills it with the chain that starts at the head
    // offset, deleted records included. The walk ends at a next offset
    // below 12 or at 0, and with the read error at a record that cannot be
    // read, at a next offset that leads back into the chain, or when the
    // chain holds more records than the file can. Returns the item count.
    size_t LoadChain(int64_t head, FolderButtonItemList& items);

    // Marks the record deleted and writes it at its own offset; on failure
    // the caller's copy is left as it was.
    bool MarkDeleted(FolderButtonRecord& record);

    // Set when a deleted record was read.
    bool HasDeletedRecords() const { return m_hasDeletedRecords; }

private:
    // The read error of an incomplete record or a broken chain.
    void ShowReadError() const;

    CFile m_file;
    HWND m_owner = nullptr;
    DataFileHeader m_header;
    bool m_new = false;
    bool m_hasDeletedRecords = false;
};
