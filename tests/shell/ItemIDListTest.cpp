#include "shell/ItemIDList.h"

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "framework/CPidl.h"
#include "shell/ShellExports.h"

namespace {

// Builds an item-ID list in shell memory from the byte counts of its IDs;
// each ID's bytes after the count are filled with its position.
CPidl MakeList(const std::vector<USHORT>& counts)
{
    size_t size = 2;
    for (USHORT count : counts)
        size += count;
    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(size));
    std::memset(bytes, 0, size);
    BYTE* at = bytes;
    for (size_t i = 0; i < counts.size(); ++i) {
        std::memcpy(at, &counts[i], sizeof(USHORT));
        std::memset(at + 2, static_cast<int>(i + 1), counts[i] - 2);
        at += counts[i];
    }
    return CPidl(reinterpret_cast<LPITEMIDLIST>(bytes));
}

const BYTE* Bytes(LPCITEMIDLIST list)
{
    return reinterpret_cast<const BYTE*>(list);
}

TEST(ItemIDListTest, ShellFunctionsExportedByNumberAreFound)
{
    EXPECT_TRUE(ShellExportsAvailable());
}

TEST(ItemIDListTest, NullEmptyAndOneIdLists)
{
    const CPidl empty = MakeList({});
    const CPidl one = MakeList({6});

    EXPECT_EQ(GetNextItemID(nullptr), nullptr);
    EXPECT_EQ(GetNextItemID(empty.Get()), nullptr);
    EXPECT_EQ(GetNextItemID(one.Get()), nullptr);

    EXPECT_EQ(GetItemIDCount(nullptr), 0u);
    EXPECT_EQ(GetItemIDCount(empty.Get()), 1u); // only a null list counts 0
    EXPECT_EQ(GetItemIDCount(one.Get()), 1u);

    EXPECT_EQ(GetIDListSize(nullptr), 0u);
    EXPECT_EQ(GetIDListSize(empty.Get()), 2u);
    EXPECT_EQ(GetIDListSize(one.Get()), 8u);
}

TEST(ItemIDListTest, WalkingVisitsLaterIdsAndStopsOnTheLast)
{
    const CPidl three = MakeList({4, 7, 5});
    LPITEMIDLIST second = GetNextItemID(three.Get());
    ASSERT_EQ(Bytes(second), Bytes(three.Get()) + 4);
    LPITEMIDLIST third = GetNextItemID(second);
    ASSERT_EQ(Bytes(third), Bytes(three.Get()) + 11);
    EXPECT_EQ(GetNextItemID(third), nullptr);
    EXPECT_EQ(GetItemIDCount(three.Get()), 3u);
    EXPECT_EQ(GetIDListSize(three.Get()), 18u);
}

TEST(ItemIDListTest, CopyParentDropsTheLastId)
{
    EXPECT_FALSE(CopyParentIDList(nullptr));

    const CPidl one = MakeList({6});
    const CPidl parentOfOne = CopyParentIDList(one.Get());
    ASSERT_TRUE(parentOfOne);
    EXPECT_NE(parentOfOne.Get(), one.Get());
    EXPECT_EQ(GetIDListSize(parentOfOne.Get()), 2u); // the desktop

    const CPidl empty = MakeList({});
    const CPidl parentOfEmpty = CopyParentIDList(empty.Get());
    ASSERT_TRUE(parentOfEmpty);
    EXPECT_EQ(GetIDListSize(parentOfEmpty.Get()), 2u);

    const CPidl three = MakeList({4, 7, 5});
    const CPidl parentOfThree = CopyParentIDList(three.Get());
    ASSERT_EQ(GetItemIDCount(parentOfThree.Get()), 2u);
    EXPECT_EQ(std::memcmp(parentOfThree.Get(), three.Get(), 11), 0);
    EXPECT_EQ(GetIDListSize(three.Get()), 18u); // the source is untouched
}

TEST(ItemIDListTest, ConcatJoinsIntoANewList)
{
    const CPidl first = MakeList({4, 7});
    const CPidl second = MakeList({5});

    EXPECT_EQ(ConcatIDLists(nullptr, second.Get()), nullptr);
    // With nothing to add the first list itself comes back; nothing new is made.
    EXPECT_EQ(ConcatIDLists(first.Get(), nullptr), first.Get());

    const CPidl joined(ConcatIDLists(first.Get(), second.Get()));
    ASSERT_TRUE(joined);
    EXPECT_NE(joined.Get(), first.Get());
    EXPECT_EQ(GetIDListSize(joined.Get()), GetIDListSize(first.Get()) - 2 + GetIDListSize(second.Get()));
    EXPECT_EQ(GetItemIDCount(joined.Get()), 3u);
    EXPECT_EQ(std::memcmp(joined.Get(), first.Get(), 11), 0);
    EXPECT_EQ(std::memcmp(Bytes(joined.Get()) + 11, second.Get(), 7), 0);

    const CPidl empty = MakeList({});
    const CPidl joinedEmpty(ConcatIDLists(empty.Get(), second.Get()));
    EXPECT_EQ(GetIDListSize(joinedEmpty.Get()), 7u);
}

TEST(ItemIDListTest, PidlRefFreesOnlyWhatItOwns)
{
    CPidl list = MakeList({6});
    {
        CPidlRef shared;
        shared.Share(list.Get());
        EXPECT_FALSE(shared.Owns());
        EXPECT_EQ(shared.Get(), list.Get());
    }
    // Still readable after the sharing holder went.
    EXPECT_EQ(GetIDListSize(list.Get()), 8u);
    CPidlRef owner;
    owner.Own(std::move(list));
    EXPECT_TRUE(owner.Owns());
    EXPECT_FALSE(list);
}

} // namespace
