// How fast the split and combine engines move data. Both copy through one
// 1 MiB buffer; they should stay close to the system's own copy of the same
// file. Work: a 1 GiB file split into 100 MB sections, and those sections
// combined again. Baseline: CopyFileW of the same file, timed in the same
// run after the file has been read once, so the cache treats all alike.
// Every timed step ends by putting what it wrote on disk (FlushFileBuffers),
// so each pays for its own writes and none for an earlier step's.
// The files live in a temporary folder that is removed at the end.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "splitjoin/CCombineFile.h"
#include "splitjoin/CFileSplit.h"
#include "splitjoin/SectionNames.h"

namespace {

unsigned long long kFileSize = 1ull << 30;
constexpr long long kSectionSize = 104857600;

bool WriteSource(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<unsigned char> block(1 << 20);
    bool ok = true;
    for (unsigned long long written = 0; ok && written < kFileSize; written += block.size()) {
        for (size_t i = 0; i < block.size(); i += 4096)
            block[i] = static_cast<unsigned char>(written >> 20) ^ static_cast<unsigned char>(i >> 12);
        DWORD done = 0;
        ok = WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &done, nullptr) && done == block.size();
    }
    ok = ok && FlushFileBuffers(file);
    CloseHandle(file);
    return ok;
}

// Puts a file's data on disk, so that the next timed step starts without a
// backlog of unwritten data and each step pays only for its own writes.
void Settle(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FlushFileBuffers(file);
    CloseHandle(file);
}

} // namespace

// A plain loop of 1 MiB reads and writes, the way both engines move data.
bool RawCopy(const std::wstring& from, const std::wstring& to)
{
    HANDLE in = CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<unsigned char> block(1 << 20);
    DWORD read = 0;
    bool ok = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE;
    while (ok && ReadFile(in, block.data(), static_cast<DWORD>(block.size()), &read, nullptr) && read > 0) {
        DWORD written = 0;
        ok = WriteFile(out, block.data(), read, &written, nullptr) && written == read;
    }
    CloseHandle(in);
    CloseHandle(out);
    return ok;
}

int main(int argc, char** argv)
{
    // An optional size in MiB, for a quick look at a smaller file.
    if (argc > 1 && std::atoi(argv[1]) > 0)
        kFileSize = static_cast<unsigned long long>(std::atoi(argv[1])) << 20;
    bench::PrintMessageBoxes();
    bench::ScratchFolder scratch(L"tavrel-split-bench");
    const std::wstring source = scratch.File(L"big.bin");
    if (!WriteSource(source)) {
        std::printf("cannot write the 1 GiB source file\n");
        return 1;
    }
    const std::wstring copy = scratch.File(L"copy.bin");
    CopyFileW(source.c_str(), copy.c_str(), FALSE); // warms the cache
    DeleteFileW(copy.c_str());

    const double copySeconds = bench::Seconds([&] {
        CopyFileW(source.c_str(), copy.c_str(), FALSE);
        Settle(copy);
    });
    DeleteFileW(copy.c_str());
    const double rawSeconds = bench::Seconds([&] {
        RawCopy(source, copy);
        Settle(copy);
    });
    DeleteFileW(copy.c_str());

    const std::wstring sections = scratch.File(L"sections");
    bool split = false;
    const double splitSeconds = bench::Seconds([&] {
        CFileSplit engine;
        split = engine.SplitBySize(kSectionSize, source, sections);
        for (int n = 1;; ++n) {
            const std::wstring name = MakeSectionPath(sections, L"big.bin", static_cast<unsigned long long>(n));
            if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
                break;
            Settle(name);
        }
    });

    std::vector<std::wstring> names;
    for (int n = 1;; ++n) {
        const std::wstring name = MakeSectionPath(sections, L"big.bin", static_cast<unsigned long long>(n));
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        names.push_back(name);
    }
    const size_t sectionCount = names.size();
    // The copy once more, in the state the combine meets: right after a step
    // that wrote 1 GiB.
    const double copyAgainSeconds = bench::Seconds([&] {
        CopyFileW(source.c_str(), copy.c_str(), FALSE);
        Settle(copy);
    });
    DeleteFileW(copy.c_str());
    const std::wstring combinedFolder = scratch.File(L"combined");
    CreateDirectoryW(combinedFolder.c_str(), nullptr);
    bool combined = false;
    const double combineSeconds = bench::Seconds([&] {
        CCombineFile engine;
        combined = engine.CombineSections(names, combinedFolder);
        Settle(combinedFolder + L"\\big.bin");
    });

    const double mib = static_cast<double>(kFileSize) / 1048576.0;
    std::printf("file: %llu MiB, sections of 100 MB: %zu (split %s, combine %s)\n", kFileSize >> 20, sectionCount,
                split ? "ok" : "FAILED", combined ? "ok" : "FAILED");
    std::printf("CopyFileW (baseline): %7.2f s  %8.1f MiB/s\n", copySeconds, mib / copySeconds);
    std::printf("CopyFileW again:      %7.2f s  %8.1f MiB/s\n", copyAgainSeconds, mib / copyAgainSeconds);
    std::printf("1 MiB read/write loop: %6.2f s  %8.1f MiB/s\n", rawSeconds, mib / rawSeconds);
    std::printf("split:                %7.2f s  %8.1f MiB/s\n", splitSeconds, mib / splitSeconds);
    std::printf("combine:              %7.2f s  %8.1f MiB/s\n", combineSeconds, mib / combineSeconds);
    std::printf("split ratio to CopyFileW: %.2f\n", splitSeconds / copySeconds);
    std::printf("combine ratio to CopyFileW: %.2f\n", combineSeconds / copySeconds);
    std::printf("combine ratio to CopyFileW measured just before it: %.2f\n", combineSeconds / copyAgainSeconds);
    return split && combined ? 0 : 1;
}
