#include "folderbuttons/CFileFolderItemFile.h"

#include <unordered_set>

#include "app/ErrorBoxes.h"
#include "app/ResourceStrings.h"
#include "folderbuttons/CFileFolderBtnItem.h"
#include "framework/CFileException.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int64_t kFirstRecordOffset = static_cast<int64_t>(DataFileHeader::kSize);

DataFileHeader OwnHeader()
{
    DataFileHeader header;
    header.magic = CFileFolderItemFile::kMagic;
    header.version = DataFileHeader::kVersion;
    return header;
}

} // namespace

CFileFolderItemFile::~CFileFolderItemFile() = default;

bool CFileFolderItemFile::Open(UINT mode)
{
    m_new = false;
    m_header = DataFileHeader();
    CFileException error;
    if (!m_file.Open(kPath, mode, &error)) {
        ShowExceptionError(&error, L"90127", m_owner);
        return false;
    }
    try {
        if (m_file.GetLength() == 0) {
            m_new = ResetFile();
            return m_new;
        }
    } catch (const CFileException& e) {
        ShowExceptionError(&e, L"90127", m_owner);
        return false;
    }
    return ReadHeader();
}

bool CFileFolderItemFile::ReadHeader()
{
    DataFileHeader::Bytes bytes{};
    UINT read = 0;
    try {
        m_file.Seek(0, CFile::begin);
        read = m_file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (const CFileException& e) {
        m_header = DataFileHeader();
        ShowExceptionError(&e, L"90113", m_owner);
        return false;
    }
    const DataFileHeader header = DataFileHeader::Decode(bytes);
    if (read != bytes.size() || !header.Matches(kMagic)) {
        m_header = DataFileHeader();
        return false;
    }
    m_header = header;
    return true;
}

bool CFileFolderItemFile::WriteHeader()
{
    const DataFileHeader header = OwnHeader();
    const DataFileHeader::Bytes bytes = header.Encode();
    try {
        m_file.Seek(0, CFile::begin);
        m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (const CFileException& e) {
        ShowExceptionError(&e, L"90112", m_owner);
        return false;
    }
    m_header = header;
    return true;
}

bool CFileFolderItemFile::ResetFile()
{
    try {
        m_file.SetLength(0);
    } catch (const CFileException& e) {
        ShowExceptionError(&e, L"90112", m_owner);
        return false;
    }
    return WriteHeader();
}

bool CFileFolderItemFile::IsEmptyOrInvalid()
{
    return GetLength() <= 0 || !ReadHeader();
}

int64_t CFileFolderItemFile::GetLength() const
{
    if (!m_file.IsOpen())
        return -1;
    try {
        return static_cast<int64_t>(m_file.GetLength());
    } catch (const CFileException&) {
        return -1;
    }
}

bool CFileFolderItemFile::IsValidOffset(int64_t offset) const
{
    return m_file.IsOpen() && offset > 0 && offset < GetLength();
}

bool CFileFolderItemFile::ReadRecord(int64_t offset, FolderButtonRecord& record)
{
    FolderButtonRecord::Bytes bytes{};
    UINT read = 0;
    try {
        if (offset < 0)
            throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_file.GetFilePath());
        m_file.Seek(offset, CFile::begin);
        read = m_file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (const CFileException& e) {
        ShowExceptionError(&e, L"90124", m_owner);
        return false;
    }
    if (read < bytes.size()) {
        ShowReadError();
        return false;
    }
    record = FolderButtonRecord::Decode(bytes);
    if (record.IsDeleted())
        m_hasDeletedRecords = true;
    return true;
}

bool CFileFolderItemFile::WriteRecord(int64_t offset, const FolderButtonRecord& record)
{
    const FolderButtonRecord::Bytes bytes = record.Encode();
    try {
        // A record never overwrites the header and never leaves a gap of
        // unwritten bytes that would later read as records.
        if (offset < kFirstRecordOffset || offset > static_cast<int64_t>(m_file.GetLength()))
            throw CFileException(CFileException::badSeek, ERROR_SEEK, m_file.GetFilePath());
        m_file.Seek(offset, CFile::begin);
        m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (const CFileException& e) {
        ShowExceptionError(&e, L"90126", m_owner);
        return false;
    }
    return true;
}

size_t CFileFolderItemFile::LoadChain(int64_t head, FolderButtonItemList& items)
{
    items.clear();
    try {
        if (head < 0 || m_file.Seek(head, CFile::begin) != static_cast<ULONGLONG>(head))
            return 0;
        // No chain can hold more records than fit after the header.
        const int64_t length = static_cast<int64_t>(m_file.GetLength());
        const int64_t capacity = length > kFirstRecordOffset ? (length - kFirstRecordOffset) / 2152 : 0;
        std::unordered_set<int64_t> visited;
        int64_t offset = head;
        while (offset >= kFirstRecordOffset) {
            if (!visited.insert(offset).second || static_cast<int64_t>(items.size()) >= capacity) {
                ShowReadError();
                break;
            }
            FolderButtonRecord record;
            if (!ReadRecord(offset, record))
                break;
            // A record's identity is where it lies: later writes of this
            // item go back there, whatever its own offset field held.
            record.ownOffset = offset;
            auto item = std::make_unique<CFileFolderBtnItem>();
            item->SetRecord(record);
            items.push_back(std::move(item));
            offset = record.next;
        }
    } catch (const CFileException& e) {
        ShowExceptionError(&e, L"90127", m_owner);
        return 0;
    }
    return items.size();
}

bool CFileFolderItemFile::MarkDeleted(FolderButtonRecord& record)
{
    FolderButtonRecord marked = record;
    marked.SetType(1, true);
    if (!WriteRecord(marked.ownOffset, marked))
        return false;
    record = marked;
    return true;
}

void CFileFolderItemFile::ShowReadError() const
{
    ShowErrorPair(LoadScrambledString(IDS_DATAFILE_READ_ERROR, ScrambleGroup::Group2), L"90125", m_owner);
}
