#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Little-endian integers and fixed UTF-16 text fields inside a byte buffer.
// The record codecs of the data files use these; each codec alone knows
// where its fields lie.
namespace BinaryFields {

// Units of a text field; the last one always holds the terminator.
constexpr size_t kTextUnits = 260;
constexpr size_t kTextBytes = kTextUnits * 2;
constexpr size_t kMaxTextLength = kTextUnits - 1;

inline void PutU32(unsigned char* bytes, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

inline uint32_t GetU32(const unsigned char* bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

inline void PutI32(unsigned char* bytes, size_t offset, int32_t value)
{
    PutU32(bytes, offset, static_cast<uint32_t>(value));
}

inline int32_t GetI32(const unsigned char* bytes, size_t offset)
{
    return static_cast<int32_t>(GetU32(bytes, offset));
}

// 64-bit values: low 32 bits first.
inline void PutI64(unsigned char* bytes, size_t offset, int64_t value)
{
    const auto bits = static_cast<uint64_t>(value);
    PutU32(bytes, offset, static_cast<uint32_t>(bits));
    PutU32(bytes, offset + 4, static_cast<uint32_t>(bits >> 32));
}

inline int64_t GetI64(const unsigned char* bytes, size_t offset)
{
    const uint64_t bits =
        static_cast<uint64_t>(GetU32(bytes, offset)) | (static_cast<uint64_t>(GetU32(bytes, offset + 4)) << 32);
    return static_cast<int64_t>(bits);
}

// A text cut to the 259 characters a field can hold.
inline std::wstring FitText(const std::wstring& text)
{
    return text.size() > kMaxTextLength ? text.substr(0, kMaxTextLength) : text;
}

// Writes the text (cut to 259 characters), a terminator and zero padding.
inline void PutText(unsigned char* bytes, size_t offset, const std::wstring& text)
{
    const std::wstring fitted = FitText(text);
    for (size_t i = 0; i < kTextUnits; ++i) {
        const auto unit = static_cast<uint16_t>(i < fitted.size() ? fitted[i] : 0);
        bytes[offset + 2 * i] = static_cast<unsigned char>(unit);
        bytes[offset + 2 * i + 1] = static_cast<unsigned char>(unit >> 8);
    }
}

// Reads the text up to its terminator; a field without one (written by
// something else) gives its first 259 characters, so that writing it back
// keeps the field terminated.
inline std::wstring GetText(const unsigned char* bytes, size_t offset)
{
    std::wstring text;
    for (size_t i = 0; i < kMaxTextLength; ++i) {
        const auto unit =
            static_cast<wchar_t>(bytes[offset + 2 * i] | (static_cast<unsigned>(bytes[offset + 2 * i + 1]) << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

} // namespace BinaryFields
