#include "sidebar/CSideBarDataFile.h"

#include "app/ErrorBoxes.h"
#include "app/ResourceStrings.h"
#include "folderbuttons/DataFileHeader.h"
#include "framework/CFileException.h"
#include "framework/MessageBoxLayer.h"
#include "resources/ResourceIds.h"

namespace {

constexpr UINT kExclusive = CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary;
// How many numbered backups are tried before giving up.
constexpr int kMaxBackups = 100;

DataFileHeader OwnHeader()
{
    DataFileHeader header;
    header.magic = CSideBarDataFile::kMagic;
    header.version = DataFileHeader::kVersion;
    return header;
}

std::wstring FullPath(const std::wstring& path)
{
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(buffer)), buffer, nullptr);
    if (length == 0 || length >= std::size(buffer))
        return path;
    return std::wstring(buffer, length);
}

// True when the file holds nothing but (at most) a header of ours.
bool HoldsNoData(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size == 0)
        return true;
    if (size != DataFileHeader::kSize)
        return false;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return false;
    DataFileHeader::Bytes bytes{};
    try {
        if (file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
            return false;
    } catch (const CFileException&) {
        return false;
    }
    return DataFileHeader::Decode(bytes).Matches(CSideBarDataFile::kMagic);
}

} // namespace

bool CSideBarDataFile::OpenForLoad()
{
    m_unusable = false;
    m_backupPath.clear();
    if (!m_file.Open(kPath, kExclusive | CFile::modeCreate | CFile::modeNoTruncate)) {
        m_unusable = true;
        ShowUnusable(IDS_DATAFILE_UNUSABLE);
        return false;
    }
    const int64_t length = GetLength();
    if (length > static_cast<int64_t>(DataFileHeader::kSize)) {
        DataFileHeader::Bytes bytes{};
        UINT read = 0;
        try {
            m_file.Seek(0, CFile::begin);
            read = m_file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        } catch (const CFileException&) {
            read = 0;
        }
        if (read != bytes.size()) {
            ShowCodedError(IDS_DATAFILE_READ_ERROR, L"12570");
            m_unusable = true;
            return false;
        }
        if (!DataFileHeader::Decode(bytes).Matches(kMagic)) {
            m_unusable = true;
            return false;
        }
        return true;
    }
    // A short file that is not a bare header of ours is kept before the
    // fresh header replaces it.
    if (length > 0 && !HoldsNoData(m_file.GetFilePath())) {
        m_file.Abort();
        const bool kept = KeepExistingData();
        if (!kept || !m_file.Open(kPath, kExclusive | CFile::modeCreate | CFile::modeNoTruncate)) {
            m_unusable = true;
            ShowUnusable(IDS_DATAFILE_UNUSABLE);
            return false;
        }
    }
    if (!WriteFreshHeader()) {
        m_unusable = true;
        ShowUnusable(IDS_DATAFILE_HEADER_ERROR);
        return false;
    }
    return true;
}

bool CSideBarDataFile::OpenTruncate()
{
    m_backupPath.clear();
    m_file.Abort();
    if (!KeepExistingData() || !m_file.Open(kPath, kExclusive | CFile::modeCreate)) {
        m_unusable = true;
        ShowUnusable(IDS_DATAFILE_UNUSABLE);
        return false;
    }
    if (!WriteFreshHeader()) {
        m_unusable = true;
        ShowUnusable(IDS_DATAFILE_UNUSABLE);
        return false;
    }
    m_unusable = false;
    return true;
}

bool CSideBarDataFile::CheckUsable(const wchar_t* code) const
{
    if (IsUsable())
        return false;
    ShowCodedError(IDS_DATAFILE_UNUSABLE, code);
    return true;
}

int64_t CSideBarDataFile::ReadRecordAt(int64_t offset, SideBarRecord& record)
{
    if (CheckUsable(L"16458"))
        return -1;
    if (offset < 0)
        throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_file.GetFilePath());
    m_file.Seek(offset, CFile::begin);
    SideBarRecord::Bytes bytes{};
    if (m_file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size()) {
        ShowCodedError(IDS_DATAFILE_READ_ERROR, L"12571");
        throw CFileException(CFileException::endOfFile, ERROR_HANDLE_EOF, m_file.GetFilePath());
    }
    record = SideBarRecord::Decode(bytes);
    return offset + static_cast<int64_t>(SideBarRecord::kSize);
}

int64_t CSideBarDataFile::AppendRecord(const SideBarRecord& record)
{
    if (CheckUsable(L"16459"))
        return -1;
    const std::wstring label = LoadScrambledString(IDS_ERROR_CODE_LABEL, ScrambleGroup::Group1);
    int64_t position = 0;
    try {
        position = static_cast<int64_t>(m_file.GetPosition());
        if (position < kFirstRecord)
            position = static_cast<int64_t>(m_file.Seek(kFirstRecord, CFile::begin));
    } catch (const CFileException& e) {
        ShowErrorPair(e.GetErrorMessage(), label + L"SBW1904", m_owner);
        return -1;
    }
    const SideBarRecord::Bytes bytes = record.Encode();
    try {
        m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (const CFileException& e) {
        ShowErrorPair(e.GetErrorMessage(), label + L"SBW1905", m_owner);
        return -1;
    }
    return position;
}

void CSideBarDataFile::SeekToFirstRecord()
{
    m_file.Seek(kFirstRecord, CFile::begin);
}

int64_t CSideBarDataFile::GetLength() const
{
    if (!m_file.IsOpen())
        return -1;
    try {
        return static_cast<int64_t>(m_file.GetLength());
    } catch (const CFileException&) {
        return -1;
    }
}

void CSideBarDataFile::Close()
{
    m_file.Abort();
}

bool CSideBarDataFile::WriteFreshHeader()
{
    const DataFileHeader::Bytes bytes = OwnHeader().Encode();
    try {
        m_file.Seek(0, CFile::begin);
        m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

bool CSideBarDataFile::KeepExistingData()
{
    const std::wstring path = FullPath(kPath);
    if (HoldsNoData(path))
        return true;
    for (int n = 1; n <= kMaxBackups; ++n) {
        const std::wstring backup = path + (n == 1 ? L".bak" : L".bak" + std::to_wstring(n));
        if (CopyFileW(path.c_str(), backup.c_str(), TRUE)) {
            m_backupPath = backup;
            std::wstring text = LoadResourceString(IDS_DATAFILE_BACKUP_NOTICE);
            const size_t at = text.find(L"%s");
            if (at != std::wstring::npos)
                text.replace(at, 2, backup);
            AfxMessageBox(text, MB_OK | MB_ICONINFORMATION, m_owner);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

void CSideBarDataFile::ShowUnusable(UINT id) const
{
    ShowMessageBox(m_owner, LoadScrambledString(id, ScrambleGroup::Group2), nullptr, MB_OK | MB_ICONERROR);
}
