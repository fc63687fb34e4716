#include "framework/CFileException.h"

#include <utility>

namespace {

// The sentence for a cause, with %s where the file goes.
const wchar_t* CauseSentence(CFileException::Cause cause)
{
    switch (cause) {
    case CFileException::none:
        return L"No error occurred while accessing %s.";
    case CFileException::genericException:
        return L"An unspecified error occurred while accessing %s.";
    case CFileException::fileNotFound:
        return L"Could not find %s.";
    case CFileException::badPath:
        return L"The path of %s is not valid.";
    case CFileException::tooManyOpenFiles:
        return L"Could not open %s because too many files are open.";
    case CFileException::accessDenied:
        return L"Access to %s was denied.";
    case CFileException::invalidFile:
        return L"An invalid file handle was used for %s.";
    case CFileException::removeCurrentDir:
        return L"Could not remove %s because it is the current folder.";
    case CFileException::directoryFull:
        return L"Could not create %s because the folder is full.";
    case CFileException::badSeek:
        return L"Could not move to the requested position in %s.";
    case CFileException::hardIO:
        return L"A hardware error occurred while accessing %s.";
    case CFileException::sharingViolation:
        return L"A sharing violation occurred while accessing %s.";
    case CFileException::lockViolation:
        return L"A lock violation occurred while accessing %s.";
    case CFileException::diskFull:
        return L"The disk is full; could not write %s.";
    case CFileException::endOfFile:
        return L"An attempt was made to read past the end of %s.";
    }
    return L"An unspecified error occurred while accessing %s.";
}

} // namespace

CFileException::CFileException(Cause cause, LONG osError, std::wstring fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName))
{
}

std::wstring CFileException::GetErrorMessage() const
{
    // 0 is "success" to the system, whose text would contradict the failure.
    if (m_lOsError != -1 && m_lOsError != 0) {
        std::wstring text = GetSystemErrorText(static_cast<DWORD>(m_lOsError));
        if (!text.empty())
            return text;
    }
    const std::wstring file = m_strFileName.empty() ? L"the file" : L"\"" + m_strFileName + L"\"";
    std::wstring sentence = CauseSentence(m_cause);
    const size_t slot = sentence.find(L"%s");
    if (slot != std::wstring::npos)
        sentence.replace(slot, 2, file);
    return sentence;
}

CFileException::Cause CFileException::OsErrorToCause(LONG osError)
{
    switch (osError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_BAD_LENGTH:
    case ERROR_NOT_DOS_DISK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_WRONG_DISK:
    case ERROR_IO_DEVICE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
    case ERROR_DRIVE_LOCKED:
        return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, const std::wstring& fileName)
{
    const Cause cause = osError == NO_ERROR ? genericException : OsErrorToCause(osError);
    throw CFileException(cause, osError, fileName);
}
