// The path of a shell item under Wine, by each of the shell's calls: a folder with a Cyrillic
// name, a drive root, and an item with no file-system path. The call that Windows XP has must
// give what the long-path call gives. (Wine's shell makes no item for a path beyond MAX_PATH,
// so the long case cannot be built here.)
#include "folderedit/win32/shell_item_path.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialog_folder.h"
#include "ui/text.h"
#include "ui/win32/win32_text.h"

namespace zv {
namespace {

struct PidlFree {
  void operator()(ITEMIDLIST* p) const { CoTaskMemFree(p); }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

Pidl ItemOf(const std::wstring& path) {
  LPITEMIDLIST item = nullptr;
  if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr))) return nullptr;
  return Pidl(item);
}

Pidl SpecialItem(int csidl) {
  LPITEMIDLIST item = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &item))) return nullptr;
  return Pidl(item);
}

TEST(ShellItemPath, EveryCallGivesTheFoldersPathAndNothingForOtherItems) {
  ASSERT_EQ(OleInitialize(nullptr), S_OK);
  // Wine's shell has the long-path call, as every Windows from Vista on does.
  EXPECT_TRUE(ShellHasLongPathCall());
  const std::string folder = testing_support::DialogTestFolder();
  struct Item {
    const char* what;
    Pidl item;
    std::string expected;
  };
  Item items[] = {
      {"a Cyrillic folder", ItemOf(Widen(folder)), folder},
      {"a drive root", ItemOf(L"C:\\"), "C:\\"},
      {"the computer", SpecialItem(CSIDL_DRIVES), ""},
  };
  for (const Item& i : items) {
    ASSERT_TRUE(i.item) << i.what;
    for (ShellPathCall call :
         {ShellPathCall::kBest, ShellPathCall::kLongPaths, ShellPathCall::kMaxPath}) {
      EXPECT_EQ(Narrow(ShellItemPath(i.item.get(), call)), i.expected)
          << i.what << ", call " << int(call);
    }
  }
  EXPECT_EQ(ShellItemPath(nullptr), L"");
  OleUninitialize();
}

}  // namespace
}  // namespace zv
