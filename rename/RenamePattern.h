#pragma once
#include <optional>
#include <string>
#include <vector>

struct _tagMultiRenameItemData;

// One token of a parsed rename pattern.
struct _tagFilterMacroItem {
    // Token types.
    static constexpr int kName = 1;
    static constexpr int kExtension = 2;
    static constexpr int kDate = 3;
    static constexpr int kTime = 4;
    static constexpr int kCounter = 5;
    static constexpr int kSubstring = 6;
    static constexpr int kShortName = 7;
    static constexpr int kLiteral = 8;
    static constexpr int kDelete = 9;

    std::wstring token;   // the bracketed text of a token
    std::wstring literal; // the text of a literal
    int type = 0;
};

using RenameTokens = std::vector<_tagFilterMacroItem>;

// Splits a pattern into tokens and literal text; nothing when a bracketed
// text is no known token. A pattern without any token gives no tokens.
std::optional<RenameTokens> ParsePattern(const std::wstring& pattern);

// The type of a bracketed token text ("[N]", "[N2-4]", "[YMD:Y-M-D]", ...);
// 0 when it is no token.
int ClassifyToken(const std::wstring& text);

// The text shown where a pattern cannot be evaluated.
std::wstring GetRenameErrorText();

// The new name or extension of an item under the tokens, with the counter's
// value and the number of digits it is padded to (0: none).
std::wstring EvaluateNamePattern(const RenameTokens& tokens, const _tagMultiRenameItemData& item, long long counter,
                                 int digits);
std::wstring EvaluateExtensionPattern(const RenameTokens& tokens, const _tagMultiRenameItemData& item,
                                      long long counter, int digits);
