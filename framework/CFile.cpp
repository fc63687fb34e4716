#include "framework/CFile.h"

#include <vector>

namespace {

constexpr UINT kAccessMask = 0x0003;
constexpr UINT kShareMask = 0x0070;

// The path made absolute, so that the object keeps naming the same file
// when the process's current folder changes; the path as given when the
// system cannot resolve it.
std::wstring FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<wchar_t> buffer(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    return std::wstring(buffer.data(), length);
}

} // namespace

CFile::CFile(const std::wstring& path, UINT openFlags)
{
    CFileException error;
    if (!Open(path, openFlags, &error))
        throw error;
}

bool CFile::Open(const std::wstring& path, UINT openFlags, CFileException* error)
{
    Abort();
    m_path.clear();
    const std::wstring fullPath = FullPath(path);
    auto fail = [&](LONG osError) {
        if (error != nullptr)
            *error = CFileException(CFileException::OsErrorToCause(osError), osError, fullPath);
        return false;
    };

    DWORD access = 0;
    switch (openFlags & kAccessMask) {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        return fail(ERROR_INVALID_PARAMETER);
    }

    DWORD share = 0;
    switch (openFlags & kShareMask) {
    case 0:
    case shareExclusive:
        share = 0;
        break;
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:
        return fail(ERROR_INVALID_PARAMETER);
    }

    DWORD disposition = OPEN_EXISTING;
    if (openFlags & modeCreate)
        disposition = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    HANDLE handle = CreateFileW(fullPath.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return fail(static_cast<LONG>(GetLastError()));

    m_handle.Reset(handle);
    m_path = fullPath;
    return true;
}

UINT CFile::Read(void* buffer, UINT count)
{
    RequireOpen();
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_handle.Get(), buffer, count, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    RequireOpen();
    if (count == 0)
        return;
    DWORD written = 0;
    if (!WriteFile(m_handle.Get(), buffer, count, &written, nullptr))
        ThrowLastError();
    // The system reports success for a partial write when the disk fills up.
    if (written != count)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_path);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    RequireOpen();
    if (from != begin && from != current && from != end)
        CFileException::ThrowOsError(ERROR_INVALID_PARAMETER, m_path);
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_handle.Get(), distance, &position, from))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    RequireOpen();
    LARGE_INTEGER zero{};
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_handle.Get(), zero, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    RequireOpen();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_handle.Get(), &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG length)
{
    const ULONGLONG position = GetPosition();
    Seek(static_cast<LONGLONG>(length), begin);
    if (!SetEndOfFile(m_handle.Get())) {
        const LONG osError = static_cast<LONG>(GetLastError());
        Seek(static_cast<LONGLONG>(position), begin);
        CFileException::ThrowOsError(osError, m_path);
    }
    Seek(static_cast<LONGLONG>(position), begin);
}

void CFile::Flush()
{
    RequireOpen();
    if (!FlushFileBuffers(m_handle.Get()))
        ThrowLastError();
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    if (!CloseHandle(m_handle.Detach()))
        ThrowLastError();
}

void CFile::Abort()
{
    m_handle.Reset();
}

std::wstring CFile::GetFileName() const
{
    const size_t slash = m_path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? m_path : m_path.substr(slash + 1);
}

void CFile::RequireOpen() const
{
    if (!IsOpen())
        throw CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_path);
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_path);
}
