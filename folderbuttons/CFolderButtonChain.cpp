#include "folderbuttons/CFolderButtonChain.h"

#include <windows.h>

#include "folderbuttons/CFileFolderBtnItem.h"
#include "folderbuttons/DataFileHeader.h"

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace

CFolderButtonChain::LoadAction CFolderButtonChain::ActionFor(const FolderButtonRecord& record)
{
    if (record.IsDeleted())
        return LoadAction::skip;
    if (record.IsEnumerateFolder())
        return LoadAction::expand;
    if (record.IsGenerated())
        return LoadAction::skip;
    return LoadAction::button;
}

bool CFolderButtonChain::Load(int64_t head)
{
    if (head <= 0)
        return true;
    return m_file.LoadChain(head, m_items) > 0;
}

bool CFolderButtonChain::IsDuplicate(const std::wstring& path) const
{
    for (const auto& item : m_items) {
        const FolderButtonRecord& record = item->GetRecord();
        if (record.IsDeleted() || record.IsEnumerateFolder())
            continue;
        if (SamePath(record.path, path))
            return true;
    }
    return false;
}

CFolderButtonChain::AppendResult CFolderButtonChain::Append(std::unique_ptr<CFileFolderBtnItem> item,
                                                            const OfferButton& offer, const WithdrawButton& withdraw)
{
    if (IsDuplicate(item->GetRecord().path))
        return AppendResult::duplicate;

    const bool generated = item->GetRecord().IsGenerated();
    const bool first = m_items.empty();
    const int64_t length = m_file.GetLength();
    if (!generated && length < static_cast<int64_t>(DataFileHeader::kSize))
        return AppendResult::failed;

    CFileFolderBtnItem* last = first ? nullptr : m_items.back().get();
    const int64_t lastOffset = last != nullptr ? last->GetRecord().ownOffset : -1;
    const int64_t lastNext = last != nullptr ? last->GetRecord().next : -1;

    if (generated && last != nullptr)
        item->SetOwnOffset(lastOffset);
    else
        item->SetOwnOffset(length);
    item->SetPrevious(lastOffset);
    item->SetNext(-1);
    if (!generated && last != nullptr)
        last->SetNext(length);

    CFileFolderBtnItem* added = item.get();
    m_items.push_back(std::move(item));
    // Takes the item back out, leaving the list as it was before the call.
    auto undo = [&](bool shown) {
        if (shown && withdraw)
            withdraw(*added);
        m_items.pop_back();
        if (last != nullptr)
            last->SetNext(lastNext);
    };

    if (!offer(*added)) {
        undo(false);
        return AppendResult::refused;
    }
    if (generated)
        return AppendResult::appended;

    // The new record first: until the previous record points at it, a
    // crash leaves it unreachable and the chain as it was.
    if (!m_file.WriteRecord(length, added->GetRecord())) {
        undo(true);
        return AppendResult::failed;
    }
    if (last != nullptr) {
        FolderButtonRecord previous;
        bool linked = m_file.ReadRecord(lastOffset, previous);
        if (linked) {
            previous.next = length;
            linked = m_file.WriteRecord(lastOffset, previous);
        }
        if (!linked) {
            undo(true);
            return AppendResult::failed;
        }
    }
    return first ? AppendResult::first : AppendResult::appended;
}

bool CFolderButtonChain::DeleteButton(CFileFolderBtnItem& item)
{
    FolderButtonRecord record = item.GetRecord();
    if (!m_file.MarkDeleted(record))
        return false;
    item.SetTypeFlags(1, true);
    return true;
}

bool CFolderButtonChain::DeleteEnumerateFolder(const CFileFolderBtnItem& generated)
{
    const int64_t offset = generated.GetParentOffset();
    FolderButtonRecord record;
    if (offset < static_cast<int64_t>(DataFileHeader::kSize) || !m_file.ReadRecord(offset, record))
        return false;
    // The record is written back where it was read, whatever its own
    // offset field says.
    record.ownOffset = offset;
    if (!m_file.MarkDeleted(record))
        return false;
    for (auto& item : m_items) {
        if (item->GetRecord().ownOffset == offset && !item->GetRecord().IsGenerated())
            item->SetTypeFlags(1, true);
    }
    return true;
}

bool CFolderButtonChain::Rewrite(CFileFolderBtnItem& item, const FolderButtonRecord& changed)
{
    FolderButtonRecord record = changed;
    record.ownOffset = item.GetRecord().ownOffset;
    if (!m_file.WriteRecord(record.ownOffset, record))
        return false;
    item.SetRecord(record);
    return true;
}
