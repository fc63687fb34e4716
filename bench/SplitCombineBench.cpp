// How fast the split and combine engines move data. Both copy through one
// 1 MiB buffer; they should stay close to the system's own copy of the same
// file. Work: a 1 GiB file split into 100 MB sections, and those sections
// combined again. Baseline: CopyFileW of the same file, timed in the same
// run after the file has been read once, so the cache treats all alike.
// Every timed step ends by putting what it wrote on disk (FlushFileBuffers),
// so each pays for its own writes and none for an earlier step's. Each
// engine step is paired with a copy timed right before it, the pairs run
// three times, and the medians are compared. Plain read/write loops with
// 1 MiB and 64 KiB blocks show what the transfer size alone costs.
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
bool RawCopy(const std::wstring& from, const std::wstring& to, size_t blockSize = 1 << 20)
{
    HANDLE in = CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<unsigned char> block(blockSize);
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
    Settle(copy);
    DeleteFileW(copy.c_str());

    auto timeCopy = [&] {
        const double seconds = bench::Seconds([&] {
            CopyFileW(source.c_str(), copy.c_str(), FALSE);
            Settle(copy);
        });
        DeleteFileW(copy.c_str());
        return seconds;
    };
    const double rawSeconds = bench::Seconds([&] {
        RawCopy(source, copy);
        Settle(copy);
    });
    DeleteFileW(copy.c_str());
    const double raw64Seconds = bench::Seconds([&] {
        RawCopy(source, copy, 64 << 10);
        Settle(copy);
    });
    DeleteFileW(copy.c_str());
    std::printf("64 KiB read/write loop:   %7.2f s\n", raw64Seconds);

    // Writing 1 GiB costs more or less depending on what the disk is still
    // doing, so each engine step is paired with a copy right before it, the
    // pairs are repeated, and the medians are compared.
    constexpr int kRounds = 3;
    std::vector<double> copyBeforeSplit, splitTimes, copyBeforeCombine, combineTimes;
    bool split = true;
    bool combined = true;
    size_t sectionCount = 0;
    const std::wstring combinedFolder = scratch.File(L"combined");
    CreateDirectoryW(combinedFolder.c_str(), nullptr);
    for (int round = 0; round < kRounds; ++round) {
        const std::wstring sections = scratch.File(L"sections" + std::to_wstring(round));
        copyBeforeSplit.push_back(timeCopy());
        splitTimes.push_back(bench::Seconds([&] {
            CFileSplit engine;
            split = engine.SplitBySize(kSectionSize, source, sections) && split;
            for (int n = 1;; ++n) {
                const std::wstring name = MakeSectionPath(sections, L"big.bin", static_cast<unsigned long long>(n));
                if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
                    break;
                Settle(name);
            }
        }));
        std::vector<std::wstring> names;
        for (int n = 1;; ++n) {
            const std::wstring name = MakeSectionPath(sections, L"big.bin", static_cast<unsigned long long>(n));
            if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
                break;
            names.push_back(name);
        }
        sectionCount = names.size();
        copyBeforeCombine.push_back(timeCopy());
        const std::wstring target = combinedFolder + L"\\big.bin";
        combineTimes.push_back(bench::Seconds([&] {
            CCombineFile engine;
            combined = engine.CombineSections(names, combinedFolder) && combined;
            Settle(target);
        }));
        DeleteFileW(target.c_str());
        for (const std::wstring& name : names)
            DeleteFileW(name.c_str());
        RemoveDirectoryW(sections.c_str());
    }
    const double copySeconds = bench::Median(copyBeforeSplit);
    const double splitSeconds = bench::Median(splitTimes);
    const double copyAgainSeconds = bench::Median(copyBeforeCombine);
    const double combineSeconds = bench::Median(combineTimes);

    const double mib = static_cast<double>(kFileSize) / 1048576.0;
    std::printf("file: %llu MiB, sections of 100 MB: %zu (split %s, combine %s), medians of %d rounds\n",
                kFileSize >> 20, sectionCount, split ? "ok" : "FAILED", combined ? "ok" : "FAILED", kRounds);
    std::printf("CopyFileW before split:   %7.2f s  %8.1f MiB/s\n", copySeconds, mib / copySeconds);
    std::printf("split:                    %7.2f s  %8.1f MiB/s\n", splitSeconds, mib / splitSeconds);
    std::printf("CopyFileW before combine: %7.2f s  %8.1f MiB/s\n", copyAgainSeconds, mib / copyAgainSeconds);
    std::printf("combine:                  %7.2f s  %8.1f MiB/s\n", combineSeconds, mib / combineSeconds);
    std::printf("1 MiB read/write loop:    %7.2f s  %8.1f MiB/s\n", rawSeconds, mib / rawSeconds);
    std::printf("split ratio to CopyFileW: %.2f\n", splitSeconds / copySeconds);
    std::printf("combine ratio to CopyFileW: %.2f\n", combineSeconds / copyAgainSeconds);
    return split && combined ? 0 : 1;
}
