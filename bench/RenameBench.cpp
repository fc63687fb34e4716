// How the rename computation compares with what the multi-rename tool does
// anyway before it: filling its items from their shell items. Work:
// ComputeNewNames with the name pattern "[N]_[C]_[YMD]", three counter
// digits and a search and replace, on 10,000 items. Baseline: filling those
// 10,000 items from their shell items (names, folder and link tests, the
// file time). The items are files of a temporary folder, removed at the end.
#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "framework/CComPtr.h"
#include "framework/CPidl.h"
#include "rename/RenameEngine.h"
#include "rename/RenameShellItems.h"
#include "shell/CShellItem.h"
#include "shell/ShellExports.h"

namespace {

constexpr int kItems = 10000;

} // namespace

int main()
{
    bench::PrintMessageBoxes();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        bench::ScratchFolder scratch(L"tavrel-rename-bench");
        for (int i = 0; i < kItems; ++i) {
            const std::wstring name = scratch.File(L"holiday file " + std::to_wstring(i) + L".jpg");
            HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }

        // The shell items, as the file list makes them.
        CPidl list;
        CComPtr<IShellFolder> desktop;
        CComPtr<IShellFolder> folder;
        CComPtr<IEnumIDList> children;
        std::vector<std::unique_ptr<CShellItem>> shellItems;
        if (SUCCEEDED(ShellSHILCreateFromPath(scratch.Path().c_str(), list.Receive(), nullptr)) &&
            SUCCEEDED(SHGetDesktopFolder(desktop.Receive())) &&
            SUCCEEDED(desktop->BindToObject(list.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid())) &&
            folder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, children.Receive()) == S_OK) {
            LPITEMIDLIST child = nullptr;
            while (children->Next(1, &child, nullptr) == S_OK) {
                CPidl owned(child);
                if (auto item = CreateChildItem(owned.Get(), folder.Get(), list.Get()))
                    shellItems.push_back(std::move(item));
            }
        }

        RenameItems items;
        items.reserve(shellItems.size());
        const double fillSeconds = bench::Seconds([&] {
            for (const auto& item : shellItems)
                items.push_back(MakeRenameItem(*item, RenameTimeKind::LastWrite));
        });

        RenameSettings settings;
        settings.namePattern = L"[N]_[C]_[YMD]";
        settings.counterDigits = 3;
        settings.searchText = L"holiday";
        settings.replacementText = L"Trip";
        const double computeSeconds = bench::Seconds([&] { ComputeNewNames(items, settings); });

        std::printf("items: %zu (first new name: %ls)\n", items.size(),
                    items.empty() ? L"-" : items.front().newName.c_str());
        std::printf("filling from shell items (baseline): %8.4f s  %7.2f us per item\n", fillSeconds,
                    fillSeconds * 1e6 / static_cast<double>(items.size()));
        std::printf("ComputeNewNames:                     %8.4f s  %7.2f us per item\n", computeSeconds,
                    computeSeconds * 1e6 / static_cast<double>(items.size()));
        std::printf("rename ratio to filling: %.4f\n", computeSeconds / fillSeconds);
        items.clear();
        shellItems.clear();
    }
    CoUninitialize();
    return 0;
}
