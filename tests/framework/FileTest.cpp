#include <gtest/gtest.h>
#include <string>
#include <utility>

#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "harness/TestHarness.h"

using testing_support::MessageBoxRecorder;
using testing_support::TempFolder;

namespace {

constexpr UINT kRecordSize = 16;

std::string Record(char fill)
{
    return std::string(kRecordSize, fill);
}

std::string ReadAll(const std::wstring& path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    EXPECT_EQ(file.Read(bytes.data(), static_cast<UINT>(bytes.size())), bytes.size());
    return bytes;
}

// Runs the action and returns the file exception it throws (none: a failure).
template <class Action> CFileException CatchFileException(Action action)
{
    try {
        action();
    } catch (const CFileException& e) {
        return e;
    }
    ADD_FAILURE() << "no CFileException was thrown";
    return CFileException();
}

} // namespace

TEST(File, FixedRecordsRoundTripWithSeeksAndLengths)
{
    TempFolder folder;
    const std::wstring path = folder.File(L"records.dat");
    {
        CFile file(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone | CFile::typeBinary);
        EXPECT_EQ(file.GetFilePath(), path);
        EXPECT_EQ(file.GetFileName(), L"records.dat");
        for (char fill : {'a', 'b', 'c'})
            file.Write(Record(fill).data(), kRecordSize);
        EXPECT_EQ(file.GetLength(), 3u * kRecordSize);
        EXPECT_EQ(file.GetPosition(), 3u * kRecordSize);

        // Overwrite the middle record in place, then read it back.
        EXPECT_EQ(file.Seek(kRecordSize, CFile::begin), kRecordSize);
        file.Write(Record('B').data(), kRecordSize);
        EXPECT_EQ(file.Seek(-static_cast<LONGLONG>(kRecordSize), CFile::current), kRecordSize);
        std::string record(kRecordSize, '\0');
        EXPECT_EQ(file.Read(record.data(), kRecordSize), kRecordSize);
        EXPECT_EQ(record, Record('B'));

        // A read across the end gives what is there; at the end it gives 0.
        EXPECT_EQ(file.Seek(-4, CFile::end), 3u * kRecordSize - 4);
        EXPECT_EQ(file.Read(record.data(), kRecordSize), 4u);
        EXPECT_EQ(file.Read(record.data(), kRecordSize), 0u);
        EXPECT_EQ(file.SeekToEnd(), 3u * kRecordSize);

        // Positions are 64-bit: a position past 4 GiB is kept whole, and
        // reading there finds nothing without growing the file.
        const ULONGLONG beyond4GiB = (5ull << 30) + 12;
        EXPECT_EQ(file.Seek(static_cast<LONGLONG>(beyond4GiB), CFile::begin), beyond4GiB);
        EXPECT_EQ(file.GetPosition(), beyond4GiB);
        EXPECT_EQ(file.Read(record.data(), kRecordSize), 0u);
        EXPECT_EQ(file.GetLength(), 3u * kRecordSize);

        // Cutting keeps the position; growing adds zeros.
        file.SeekToBegin();
        file.SetLength(kRecordSize);
        EXPECT_EQ(file.GetLength(), kRecordSize);
        EXPECT_EQ(file.GetPosition(), 0u);
        file.SetLength(kRecordSize + 4);
        file.Flush();

        const CFileException e = CatchFileException([&] { file.Seek(-1, CFile::begin); });
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
        EXPECT_EQ(e.m_strFileName, path);
        file.Close();
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.GetFilePath(), path);
    }
    EXPECT_EQ(ReadAll(path), Record('a') + std::string(4, '\0'));
}

TEST(File, CreateFlagsDecideWhetherContentsAreKept)
{
    TempFolder folder;
    struct Case {
        const wchar_t* name;
        bool exists;
        UINT flags;
        ULONGLONG length;
    };
    const Case cases[] = {
        {L"truncated", true, CFile::modeCreate | CFile::modeWrite, 0},
        {L"kept", true, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, 3},
        {L"opened", true, CFile::modeRead, 3},
        {L"created", false, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        if (c.exists)
            folder.Write(c.name, "abc");
        CFile file;
        ASSERT_TRUE(file.Open(folder.File(c.name), c.flags));
        EXPECT_EQ(file.GetLength(), c.length);
    }
}

TEST(File, FailedOpenReportsCauseSystemMessageAndPath)
{
    TempFolder folder;
    struct Case {
        std::wstring path;
        UINT flags;
        CFileException::Cause cause;
        LONG osError;
    };
    const Case cases[] = {
        {folder.File(L"missing.dat"), CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {folder.File(L"nofolder\\BData.sbd"), CFile::modeRead, CFileException::badPath, ERROR_PATH_NOT_FOUND},
        {folder.File(L"nofolder\\new.dat"), CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
         ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.path.begin(), c.path.end()));
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path, c.flags, &error));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(error.m_cause, c.cause);
        EXPECT_EQ(error.m_lOsError, c.osError);
        EXPECT_EQ(error.m_strFileName, c.path);
        EXPECT_FALSE(GetSystemErrorText(static_cast<DWORD>(c.osError)).empty());
        EXPECT_EQ(error.GetErrorMessage(), GetSystemErrorText(static_cast<DWORD>(c.osError)));
        EXPECT_FALSE(file.Open(c.path, c.flags)); // no error object wanted
    }

    // The throwing constructor carries the same information.
    const std::wstring missing = folder.File(L"ffbdata.dat");
    const CFileException e = CatchFileException([&] { CFile file(missing, CFile::modeReadWrite); });
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(e.m_strFileName, missing);
    EXPECT_FALSE(e.GetErrorMessage().empty());
}

TEST(File, SharingModesAgainstAnOpenWriter)
{
    TempFolder folder;
    const std::wstring path = folder.File(L"shared.dat");
    struct Case {
        const char* name;
        UINT holder;
        UINT second;
        bool opens;
    };
    const Case cases[] = {
        {"deny write while a writer holds it", CFile::modeWrite | CFile::shareDenyNone,
         CFile::modeRead | CFile::shareDenyWrite, false},
        {"deny none beside a deny-none writer", CFile::modeWrite | CFile::shareDenyNone,
         CFile::modeRead | CFile::shareDenyNone, true},
        {"anything beside an exclusive holder", CFile::modeReadWrite | CFile::shareExclusive,
         CFile::modeRead | CFile::shareDenyNone, false},
        {"no sharing mode is exclusive", CFile::modeReadWrite, CFile::modeRead | CFile::shareDenyNone, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFile holder(path, CFile::modeCreate | c.holder);
        CFile second;
        CFileException error;
        EXPECT_EQ(second.Open(path, c.second, &error), c.opens);
        if (!c.opens) {
            EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
            EXPECT_EQ(error.m_lOsError, ERROR_SHARING_VIOLATION);
        }
    }

    // The destructor and a move hand the handle on or close it: afterwards
    // nothing holds the file any more.
    {
        CFile first(path, CFile::modeWrite | CFile::shareExclusive);
        CFile moved(std::move(first));
        EXPECT_FALSE(first.IsOpen());
        EXPECT_TRUE(moved.IsOpen());
        moved.Write("xy", 2);
    }
    CFile again;
    EXPECT_TRUE(again.Open(path, CFile::modeRead | CFile::shareExclusive));
    EXPECT_EQ(again.GetLength(), 2u);
}

TEST(File, OperationsThatFailThrow)
{
    TempFolder folder;
    folder.Write(L"data.dat", "abc");
    const std::wstring path = folder.File(L"data.dat");

    CFile reader(path, CFile::modeRead | CFile::shareDenyNone);
    CFileException e = CatchFileException([&] { reader.Write("x", 1); });
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    EXPECT_EQ(e.m_strFileName, path);

    reader.Close();
    reader.Close(); // closing a closed file does nothing
    reader.Abort();
    char byte = 0;
    e = CatchFileException([&] { reader.Read(&byte, 1); });
    EXPECT_EQ(e.m_cause, CFileException::invalidFile);
    e = CatchFileException([&] { reader.GetLength(); });
    EXPECT_EQ(e.m_cause, CFileException::invalidFile);
}

TEST(FileException, MessagesAndCauses)
{
    // Without a system error the message is a sentence about the file.
    EXPECT_EQ(CFileException(CFileException::endOfFile, -1, L"C:\\x\\BData.sbd").GetErrorMessage(),
              L"An attempt was made to read past the end of \"C:\\x\\BData.sbd\".");
    EXPECT_EQ(CFileException(CFileException::genericException, 0).GetErrorMessage(),
              L"An unspecified error occurred while accessing the file.");
    // With one, the system's own text.
    EXPECT_EQ(CFileException(CFileException::diskFull, ERROR_DISK_FULL, L"a.dat").GetErrorMessage(),
              GetSystemErrorText(ERROR_DISK_FULL));

    const std::pair<LONG, CFileException::Cause> causes[] = {
        {NO_ERROR, CFileException::none},
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException},
    };
    for (const auto& [osError, cause] : causes)
        EXPECT_EQ(CFileException::OsErrorToCause(osError), cause) << osError;

    CFileException e = CatchFileException([] { CFileException::ThrowOsError(ERROR_ACCESS_DENIED, L"a.dat"); });
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    EXPECT_EQ(e.m_lOsError, ERROR_ACCESS_DENIED);
    EXPECT_EQ(e.m_strFileName, L"a.dat");
    // A failure without a number is still a failure.
    e = CatchFileException([] { CFileException::ThrowOsError(NO_ERROR); });
    EXPECT_EQ(e.m_cause, CFileException::genericException);

    // Reporting shows the same text the caller would read.
    MessageBoxRecorder recorder;
    CFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"a.dat").ReportError();
    EXPECT_EQ(recorder.Last().text, GetSystemErrorText(ERROR_FILE_NOT_FOUND));
}
