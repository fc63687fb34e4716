#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "DataFilesFixture.h"
#include "folderbuttons/CFileFolderBtnItem.h"
#include "folderbuttons/CFileFolderItemFile.h"
#include "folderbuttons/CFolderButtonChain.h"

namespace {

std::unique_ptr<CFileFolderBtnItem> NewItem(const std::wstring& path, uint32_t type = 8)
{
    auto item = std::make_unique<CFileFolderBtnItem>();
    FolderButtonRecord record;
    record.name = path.substr(path.find_last_of(L'\\') + 1);
    record.path = path;
    record.kind = FolderButtonRecord::kindFolder;
    record.SetType(type, true);
    item->SetRecord(record);
    return item;
}

bool Accept(CFileFolderBtnItem&)
{
    return true;
}

} // namespace

class FolderButtonChainTest : public DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        ASSERT_TRUE(m_file.Open());
    }
    CFileFolderItemFile m_file;
    FolderButtonItemList m_items;
    CFolderButtonChain m_chain{m_file, m_items};
};

TEST_F(FolderButtonChainTest, FirstAndSecondButtonsAreAppendedAndLinked)
{
    EXPECT_EQ(m_chain.Append(NewItem(L"C:\\one"), Accept), CFolderButtonChain::AppendResult::first);
    EXPECT_EQ(m_items.back()->GetRecord().ownOffset, 12);
    std::string bytes = Read(L"ffbdata.dat");
    ASSERT_EQ(bytes.size(), 12u + 2152);
    EXPECT_EQ(I64At(bytes, 12 + 2104), 12);
    EXPECT_EQ(I64At(bytes, 12 + 2112), -1);
    EXPECT_EQ(I64At(bytes, 12 + 2120), -1);
    EXPECT_EQ(U32At(bytes, 12 + 2128), 8u);

    EXPECT_EQ(m_chain.Append(NewItem(L"C:\\two"), Accept), CFolderButtonChain::AppendResult::appended);
    bytes = Read(L"ffbdata.dat");
    ASSERT_EQ(bytes.size(), 12u + 2 * 2152);
    EXPECT_EQ(I64At(bytes, 12 + 2120), 2164); // the first record's next was rewritten
    EXPECT_EQ(I64At(bytes, 2164 + 2104), 2164);
    EXPECT_EQ(I64At(bytes, 2164 + 2112), 12);
    EXPECT_EQ(I64At(bytes, 2164 + 2120), -1);
    EXPECT_EQ(m_items[0]->GetRecord().next, 2164);

    // What was written loads back as the same chain.
    FolderButtonItemList loaded;
    EXPECT_EQ(m_file.LoadChain(12, loaded), 2u);
    EXPECT_EQ(loaded[1]->GetRecord().path, L"C:\\two");
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(FolderButtonChainTest, DuplicatesAndRefusedButtonsChangeNothing)
{
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\one"), Accept), CFolderButtonChain::AppendResult::first);
    const std::string before = Read(L"ffbdata.dat");
    EXPECT_EQ(m_chain.Append(NewItem(L"c:\\ONE"), Accept), CFolderButtonChain::AppendResult::duplicate);
    EXPECT_EQ(m_chain.Append(NewItem(L"C:\\two"), [](CFileFolderBtnItem&) { return false; }),
              CFolderButtonChain::AppendResult::refused);
    EXPECT_EQ(m_items.size(), 1u);
    EXPECT_EQ(m_items[0]->GetRecord().next, -1);
    EXPECT_EQ(Read(L"ffbdata.dat"), before);

    // A deleted record and an enumerate-folder record are not shown buttons.
    ASSERT_TRUE(m_chain.DeleteButton(*m_items[0]));
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\folder", 2), Accept), CFolderButtonChain::AppendResult::appended);
    EXPECT_FALSE(m_chain.IsDuplicate(L"C:\\one"));
    EXPECT_FALSE(m_chain.IsDuplicate(L"C:\\folder"));
}

TEST_F(FolderButtonChainTest, GeneratedButtonsAreLinkedInMemoryOnly)
{
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\folder", 2), Accept), CFolderButtonChain::AppendResult::first);
    const std::string before = Read(L"ffbdata.dat");
    auto generated = NewItem(L"C:\\folder\\a.txt", 4);
    generated->SetParentOffset(12);
    EXPECT_EQ(m_chain.Append(std::move(generated), Accept), CFolderButtonChain::AppendResult::appended);
    EXPECT_EQ(m_items[1]->GetRecord().ownOffset, 12);
    EXPECT_EQ(m_items[1]->GetRecord().previous, 12);
    EXPECT_EQ(Read(L"ffbdata.dat"), before);
    EXPECT_TRUE(m_chain.IsDuplicate(L"C:\\FOLDER\\A.TXT"));

    // A fixed button after a generated one is linked to the last stored record.
    EXPECT_EQ(m_chain.Append(NewItem(L"C:\\two"), Accept), CFolderButtonChain::AppendResult::appended);
    const std::string bytes = Read(L"ffbdata.dat");
    EXPECT_EQ(I64At(bytes, 12 + 2120), 2164);
    EXPECT_EQ(I64At(bytes, 2164 + 2112), 12);
}

TEST_F(FolderButtonChainTest, FailedWriteLeavesListAndFileAsTheyWere)
{
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\one"), Accept), CFolderButtonChain::AppendResult::first);
    const std::string before = Read(L"ffbdata.dat");
    // The same file opened for reading only: every write fails.
    CFileFolderItemFile readOnly;
    ASSERT_TRUE(readOnly.Open(CFile::modeRead | CFile::shareDenyNone));
    FolderButtonItemList items;
    ASSERT_EQ(readOnly.LoadChain(12, items), 1u);
    CFolderButtonChain chain(readOnly, items);
    int shown = 0;
    int withdrawn = 0;
    EXPECT_EQ(chain.Append(
                  NewItem(L"C:\\two"),
                  [&](CFileFolderBtnItem&) {
                      ++shown;
                      return true;
                  },
                  [&](CFileFolderBtnItem&) { ++withdrawn; }),
              CFolderButtonChain::AppendResult::failed);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(withdrawn, 1);
    EXPECT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->GetRecord().next, -1);
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90126"});
    EXPECT_EQ(Read(L"ffbdata.dat"), before);

    // Deleting and rewriting fail the same way and keep the item as it was.
    m_boxes.Clear();
    EXPECT_FALSE(chain.DeleteButton(*items[0]));
    EXPECT_FALSE(items[0]->IsDeleted());
    FolderButtonRecord changed = items[0]->GetRecord();
    changed.name = L"renamed";
    EXPECT_FALSE(chain.Rewrite(*items[0], changed));
    EXPECT_EQ(items[0]->GetRecord().name, L"one");
    EXPECT_EQ(Codes(), (std::vector<std::wstring>{L"90126", L"90126"}));
    EXPECT_EQ(Read(L"ffbdata.dat"), before);
}

TEST_F(FolderButtonChainTest, DeletingAnEnumerateFolderThroughAGeneratedButton)
{
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\one"), Accept), CFolderButtonChain::AppendResult::first);
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\folder", 2), Accept), CFolderButtonChain::AppendResult::appended);
    auto generated = NewItem(L"C:\\folder\\a.txt", 4);
    generated->SetParentOffset(2164);
    ASSERT_EQ(m_chain.Append(std::move(generated), Accept), CFolderButtonChain::AppendResult::appended);
    const size_t length = Read(L"ffbdata.dat").size();

    EXPECT_TRUE(m_chain.DeleteEnumerateFolder(*m_items[2]));
    const std::string bytes = Read(L"ffbdata.dat");
    EXPECT_EQ(bytes.size(), length);
    EXPECT_EQ(U32At(bytes, 2164 + 2128), 3u);
    EXPECT_EQ(U32At(bytes, 12 + 2128), 8u);
    EXPECT_TRUE(m_items[1]->IsDeleted());

    // After a reload the deleted record is still in the chain.
    FolderButtonItemList loaded;
    EXPECT_EQ(m_file.LoadChain(12, loaded), 2u);
    EXPECT_TRUE(loaded[1]->IsDeleted());

    // A generated button without a stored parent deletes nothing.
    auto orphan = NewItem(L"C:\\x", 4);
    EXPECT_FALSE(m_chain.DeleteEnumerateFolder(*orphan));
    EXPECT_EQ(Read(L"ffbdata.dat"), bytes);
}

TEST_F(FolderButtonChainTest, RewriteKeepsTheRecordAtItsOffset)
{
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\one"), Accept), CFolderButtonChain::AppendResult::first);
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\two"), Accept), CFolderButtonChain::AppendResult::appended);
    FolderButtonRecord changed = m_items[1]->GetRecord();
    changed.name = L"Second";
    changed.parameters = L"/x";
    changed.ownOffset = 12; // ignored: a record stays where it is
    EXPECT_TRUE(m_chain.Rewrite(*m_items[1], changed));
    EXPECT_EQ(m_items[1]->GetButtonData().caption, L"Second");
    const std::string bytes = Read(L"ffbdata.dat");
    EXPECT_EQ(bytes.size(), 12u + 2 * 2152);
    EXPECT_EQ(TextAt(bytes, 12), L"one");
    EXPECT_EQ(TextAt(bytes, 2164), L"Second");
    EXPECT_EQ(TextAt(bytes, 2164 + 1560), L"/x");
}

TEST_F(FolderButtonChainTest, LoadingShowsOnlyLiveFixedButtonsAndExpandsEnumerateFolders)
{
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\one"), Accept), CFolderButtonChain::AppendResult::first);
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\folder", 2), Accept), CFolderButtonChain::AppendResult::appended);
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\gone"), Accept), CFolderButtonChain::AppendResult::appended);
    ASSERT_EQ(m_chain.Append(NewItem(L"C:\\last"), Accept), CFolderButtonChain::AppendResult::appended);
    ASSERT_TRUE(m_chain.DeleteButton(*m_items[2]));

    FolderButtonItemList loaded;
    CFolderButtonChain chain(m_file, loaded);
    EXPECT_TRUE(chain.Load(-1));
    EXPECT_TRUE(chain.Load(0));
    EXPECT_TRUE(loaded.empty());
    ASSERT_TRUE(chain.Load(12));
    ASSERT_EQ(loaded.size(), 4u); // the deleted record stays in the chain...
    using Action = CFolderButtonChain::LoadAction;
    std::vector<Action> actions;
    for (const auto& item : loaded)
        actions.push_back(CFolderButtonChain::ActionFor(item->GetRecord()));
    // ...but is no button.
    EXPECT_EQ(actions, (std::vector<Action>{Action::button, Action::expand, Action::skip, Action::button}));

    FolderButtonRecord record;
    record.flags = 6;
    EXPECT_EQ(CFolderButtonChain::ActionFor(record), Action::skip);
    record.flags = 0;
    EXPECT_EQ(CFolderButtonChain::ActionFor(record), Action::button);
    record.flags = 3;
    EXPECT_EQ(CFolderButtonChain::ActionFor(record), Action::skip);

    // A head past the end of the file loads nothing and says so.
    m_boxes.Clear();
    EXPECT_FALSE(chain.Load(1 << 20));
    EXPECT_EQ(Codes(), std::vector<std::wstring>{L"90125"});
}

TEST_F(FolderButtonChainTest, ToolTipNamesThePathOrForVirtualTargetsTheName)
{
    auto item = NewItem(L"C:\\Work\\Reports");
    item->SetTypeName(L"File folder");
    EXPECT_EQ(item->GetTipText(), L"C:\\Work\\Reports\nFile folder");
    item->SetPath(L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    item->SetName(L"My Computer");
    item->SetTypeName(L"System Folder");
    EXPECT_EQ(item->GetTipText(), L"My Computer\nSystem Folder");
    EXPECT_EQ(item->GetButtonData().secondText, L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    item->SetPath(std::wstring(300, L'p'));
    EXPECT_EQ(item->GetTipText().size(), 259u);
    EXPECT_EQ(item->GetRecord().path.size(), 259u);
}
