#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "folderbuttons/CFileFolderItemFile.h"

class CFileFolderBtnItem;
struct FolderButtonRecord;

// The changes a folder-button window makes to its category's chain of
// records, without the window: appending a button, deleting one, deleting
// an enumerate-folder button through one of its generated buttons, and
// rewriting a changed record. The item list and the file agree after every
// call: a failed write leaves the list as it was before the call.
class CFolderButtonChain {
public:
    enum class AppendResult {
        duplicate, // the path is already a shown button; nothing changed
        refused,   // the window refused the button; nothing changed
        failed,    // a write failed (the error was shown); nothing changed in memory
        appended,  // appended after the last item
        first,     // the category's first record: the caller stores its offset as the head
    };

    // What loading does with a record of the chain.
    enum class LoadAction {
        skip,   // deleted, or a generated record: no button
        expand, // an enumerate-folder record: its folder's items become generated buttons
        button, // a button of its own
    };
    static LoadAction ActionFor(const FolderButtonRecord& record);

    // The window's side: offer a button for the item (false refuses it),
    // and take it away again when its record cannot be written.
    using OfferButton = std::function<bool(CFileFolderBtnItem&)>;
    using WithdrawButton = std::function<void(CFileFolderBtnItem&)>;

    CFolderButtonChain(CFileFolderItemFile& file, FolderButtonItemList& items) : m_file(file), m_items(items) {}

    // True when a shown button (a record that is neither deleted nor an
    // enumerate-folder record; generated buttons included) has the path,
    // compared without regard to case.
    bool IsDuplicate(const std::wstring& path) const;

    // Reads the chain at the head offset into the list. A head offset of 0
    // or less means no stored buttons: the list stays as it is and the load
    // succeeds. Otherwise false when no record could be read.
    bool Load(int64_t head);

    // Appends the prepared item (its record set) to the list and the file.
    // A fixed or enumerate-folder record is written at the end of the file
    // and the last record's next is rewritten to it; a generated one is
    // only linked in memory.
    AppendResult Append(std::unique_ptr<CFileFolderBtnItem> item, const OfferButton& offer,
                        const WithdrawButton& withdraw = {});

    // Marks the item's record deleted in the file and in the item.
    bool DeleteButton(CFileFolderBtnItem& item);
    // Marks the enumerate-folder record at the generated item's parent offset deleted.
    bool DeleteEnumerateFolder(const CFileFolderBtnItem& generated);
    // Writes the changed record at the item's own offset; the item takes it
    // only when the write succeeded.
    bool Rewrite(CFileFolderBtnItem& item, const FolderButtonRecord& changed);

private:
    CFileFolderItemFile& m_file;
    FolderButtonItemList& m_items;
};
