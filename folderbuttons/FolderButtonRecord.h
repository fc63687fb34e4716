#pragma once
#include <array>
#include <cstdint>
#include <string>

// One folder button as stored in ffbdata.dat: 2152 bytes, its file offset
// is its identity. Encode and Decode are the only code that knows the
// record's byte layout.
struct FolderButtonRecord {
    static constexpr size_t kSize = 2152;
    using Bytes = std::array<unsigned char, kSize>;

    // Kinds of target.
    enum Kind : uint32_t { kindNone = 0, kindFolder = 1, kindVirtualFolder = 2, kindDocument = 3, kindProgram = 4 };

    // Flag bits: bit 0 deleted, bits 1-3 the button type.
    static constexpr uint32_t kDeletedBit = 0x1;
    static constexpr uint32_t kTypeBits = 0xE;
    static constexpr uint32_t kTypeEnumerateFolder = 2;
    static constexpr uint32_t kTypeGenerated = 6;
    static constexpr uint32_t kTypeFixed = 8;

    std::wstring name;       // caption; at most 259 characters are stored
    std::wstring path;       // target path or shell parsing name
    std::wstring typeName;   // the shell's type description
    std::wstring parameters; // command-line parameters of a program
    uint32_t kind = kindNone;
    int64_t ownOffset = -1; // -1 until the record is written
    int64_t previous = -1;
    int64_t next = -1;
    uint32_t flags = kTypeFixed;
    uint32_t trailer = 0; // last four bytes, kept as they were read

    // Changes the flags by the one rule every flag change follows.
    //  on:  4 makes the type 6 (2 and 4), 1 sets deleted, any other value
    //       replaces the type bits; deleted is kept.
    //  off: 4 clears bits 1 to 3, 1 clears deleted, 2 clears bit 1, any
    //       other value makes the type 8; deleted is kept.
    void SetType(uint32_t value, bool on);

    bool IsDeleted() const { return (flags & kDeletedBit) != 0; }
    uint32_t TypeBits() const { return flags & kTypeBits; }
    // An enumerate-folder record: type bit 1 set, bit 2 clear.
    bool IsEnumerateFolder() const { return (flags & 0x2) != 0 && (flags & 0x4) == 0; }
    // A generated button (type bit 2 set); never written.
    bool IsGenerated() const { return (flags & 0x4) != 0; }

    Bytes Encode() const;
    static FolderButtonRecord Decode(const Bytes& bytes);
};
