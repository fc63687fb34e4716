#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct _tagMultiRenameItemData;

// The inputs of a renaming, as the multi-rename dialog collects them.
struct RenameSettings {
    std::wstring namePattern = L"[N]";
    std::wstring extensionPattern = L"[E]";
    int counterStart = 1;
    int counterStep = 1;
    int counterDigits = 0; // 1 to 10; 0 when none is chosen
    int caseMode = 0;      // 0 keep, 1 upper, 2 lower, 3 first letter upper, 4 words capitalised
    std::wstring searchText;
    std::wstring replacementText;
    int replacementPreset = -1; // -1 none; 0 empty, 1 search text upper-cased, 2 lower-cased
    bool matchCase = false;
    bool onlyOncePerFile = false;
    bool includeExtension = false;
};

using RenameItems = std::vector<_tagMultiRenameItemData>;

// The result of ReplaceText.
struct ReplaceResult {
    std::wstring text;
    int count = 0;
};

// Replaces occurrences of search from the left, never searching inside an
// inserted replacement. Without matchCase both sides are compared upper-cased
// as CharUpperW does. A limit above 0 stops after that many replacements.
ReplaceResult ReplaceText(const std::wstring& text, const std::wstring& search, const std::wstring& replacement,
                          bool matchCase, int limit);

// The replacement text in effect: the preset's, or the typed one; a text
// that names the empty replacement preset stands for the empty text.
std::wstring GetEffectiveReplacement(const RenameSettings& settings);

// Fills the new name and new extension of every item in list order.
void ComputeNewNames(RenameItems& items, const RenameSettings& settings);

// Runs the search and replace once more on the current new names.
void ReplaceAgain(RenameItems& items, const RenameSettings& settings);

// The paths of the items that change and their destinations, in list order.
struct RenameMoveLists {
    std::vector<std::wstring> sources;
    std::vector<std::wstring> destinations;
};
RenameMoveLists BuildMoveLists(const RenameItems& items);

// Moves every source to its destination in one shell operation that renames
// on collision, creates missing folders and can be undone. True when the
// shell reports success (and nothing was cancelled); true for empty lists.
bool MoveRenamedItems(const RenameMoveLists& lists, HWND owner = nullptr);

// A list of paths as the shell operation takes it: each path closed by a
// NUL, the whole closed by a second NUL.
std::wstring MakeDoubleNullList(const std::vector<std::wstring>& paths);
