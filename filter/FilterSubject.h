#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// What a filter reads of the item it tests. The shell-item form reads a
// CShellItem; tests and other callers can describe an item directly.
class IFilterSubject {
public:
    virtual ~IFilterSubject() = default;
    virtual std::wstring GetParsingName() const = 0;
    // The plain folder test of shell items.
    virtual bool IsFolder() const = 0;
    // File attributes; 0 when unreadable.
    virtual DWORD GetFileAttributes() const = 0;
    virtual std::uint64_t GetFileSize() const = 0;
    // False when the find data cannot be read.
    virtual bool GetFindData(WIN32_FIND_DATAW& data) const = 0;
};

// An item described by its facts.
class PlainFilterSubject : public IFilterSubject {
public:
    std::wstring GetParsingName() const override { return parsingName; }
    bool IsFolder() const override { return folder; }
    DWORD GetFileAttributes() const override { return attributes; }
    std::uint64_t GetFileSize() const override { return size; }
    bool GetFindData(WIN32_FIND_DATAW& data) const override
    {
        data = findData;
        return hasFindData;
    }

    std::wstring parsingName;
    bool folder = false;
    DWORD attributes = 0;
    std::uint64_t size = 0;
    bool hasFindData = false;
    WIN32_FIND_DATAW findData{};
};
