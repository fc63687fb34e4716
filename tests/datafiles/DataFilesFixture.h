#pragma once
#include <windows.h>

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "harness/TestHarness.h"

// Each test runs in a fresh temporary folder made the current folder (both
// data files live in the current folder), with every message box recorded.
class DataFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t previous[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, previous);
        m_previous = previous;
        ASSERT_TRUE(SetCurrentDirectoryW(m_folder.Path().c_str()));
    }
    void TearDown() override { SetCurrentDirectoryW(m_previous.c_str()); }

    std::string Read(const wchar_t* name) const
    {
        std::string bytes;
        HANDLE file = CreateFileW(m_folder.File(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return bytes;
        char buffer[65536];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        CloseHandle(file);
        return bytes;
    }
    void Write(const wchar_t* name, const std::string& bytes) const { m_folder.Write(name, bytes); }
    bool Exists(const wchar_t* name) const
    {
        return GetFileAttributesW(m_folder.File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // The error codes of the recorded boxes (the last word of each text).
    std::vector<std::wstring> Codes() const
    {
        std::vector<std::wstring> codes;
        for (const auto& request : m_boxes.Requests()) {
            std::wstring text = request.text;
            while (!text.empty() && (text.back() == L'\n' || text.back() == L' '))
                text.pop_back();
            const size_t space = text.find_last_of(L" :");
            codes.push_back(space == std::wstring::npos ? text : text.substr(space + 1));
        }
        return codes;
    }

    testing_support::TempFolder m_folder;
    testing_support::MessageBoxRecorder m_boxes;
    std::wstring m_previous;
};

// Little-endian values at an offset of a byte string.
inline int64_t I64At(const std::string& bytes, size_t offset)
{
    uint64_t value = 0;
    for (size_t i = 0; i < 8; ++i)
        value |= static_cast<uint64_t>(static_cast<unsigned char>(bytes.at(offset + i))) << (8 * i);
    return static_cast<int64_t>(value);
}

inline uint32_t U32At(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes.at(offset + i))) << (8 * i);
    return value;
}

// The UTF-16 text of a field (up to its terminator).
inline std::wstring TextAt(const std::string& bytes, size_t offset, size_t units = 260)
{
    std::wstring text;
    for (size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<wchar_t>(static_cast<unsigned char>(bytes.at(offset + 2 * i)) |
                                               (static_cast<unsigned char>(bytes.at(offset + 2 * i + 1)) << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

inline const std::string kButtonHeader("\x21\x00\x15\x00\x0A\x00\x05\x00\x00\x00\x01\x00", 12);
inline const std::string kCategoryHeader("\x31\x00\x23\x00\x09\x00\x0A\x00\x00\x00\x01\x00", 12);
