#pragma once
#include <windows.h>

#include <string>

#include "framework/CException.h"

// A failed file operation: what kind of failure it was, the system's error
// number behind it (-1 when there is none) and the file it concerns.
class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException() = default;
    explicit CFileException(Cause cause, LONG osError = -1, std::wstring fileName = {});

    // The system's text for the error number; when the system has none (or
    // there is no number), an English sentence naming the cause and the file.
    std::wstring GetErrorMessage() const override;

    // The kind of failure that a system error number stands for; numbers
    // without a closer match give genericException, 0 gives none.
    static Cause OsErrorToCause(LONG osError);

    // Throws the exception for a system error number reported on the file.
    // A failure reported without a number (0) is a genericException.
    [[noreturn]] static void ThrowOsError(LONG osError, const std::wstring& fileName = {});

    Cause m_cause = none;
    LONG m_lOsError = -1;
    std::wstring m_strFileName;
};
