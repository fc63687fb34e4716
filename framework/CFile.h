#pragma once
#include <windows.h>

#include <string>

#include "framework/CFileException.h"
#include "framework/CObject.h"
#include "framework/Handles.h"

// A binary file on disk, opened through the system's file handles. Failures
// of reading, writing, moving and closing throw CFileException; Open reports
// its failure through its result instead. Positions and lengths are 64-bit.
class CFile : public CObject {
public:
    // Open flags: one access mode, at most one sharing mode, and the
    // creation flags. Without a sharing mode the file is opened exclusively.
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,     // create the file; an existing one is emptied...
        modeNoTruncate = 0x2000, // ...unless this is given too: then it is kept as it is
        typeBinary = 0x8000,     // accepted for clarity; every file is binary
    };

    enum SeekPosition : UINT { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() = default;
    // Opens the file; throws CFileException when it cannot be opened.
    CFile(const std::wstring& path, UINT openFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    CFile(CFile&&) noexcept = default;
    CFile& operator=(CFile&&) noexcept = default;
    // Closes the file without reporting a failure.
    ~CFile() override = default;

    // Opens the file, first closing any file this object has open. On
    // failure returns false and, when given, fills the error; never throws.
    virtual bool Open(const std::wstring& path, UINT openFlags, CFileException* error = nullptr);

    // Reads up to count bytes; returns how many arrived (0 at the end).
    virtual UINT Read(void* buffer, UINT count);
    // Writes all the bytes; fewer written (a full disk) is a failure too.
    virtual void Write(const void* buffer, UINT count);

    // Moves the position; returns the new position from the start.
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;

    virtual ULONGLONG GetLength() const;
    // Cuts or extends the file to the length; the position is left as it was.
    virtual void SetLength(ULONGLONG length);
    virtual void Flush();

    // Closes the file; throws when the system reports a failure of the
    // close (the file counts as closed either way). Closing a closed file
    // does nothing.
    virtual void Close();
    // Closes the file and ignores any failure.
    virtual void Abort();

    bool IsOpen() const { return static_cast<bool>(m_handle); }
    HANDLE GetHandle() const { return m_handle.Get(); }
    // The full path of the open file, kept after closing; empty after a failed Open.
    const std::wstring& GetFilePath() const { return m_path; }
    // The last part of that path: the name with its extension.
    std::wstring GetFileName() const;

private:
    // Throws invalidFile when no file is open.
    void RequireOpen() const;
    [[noreturn]] void ThrowLastError() const;

    CFileHandle m_handle;
    std::wstring m_path;
};
