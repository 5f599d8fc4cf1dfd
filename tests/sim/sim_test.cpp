// The simulated phone library as the program and other tests see it: through the real loader,
// with its phone folder and control files driven by SimPhone.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "phone/phone_entry.h"
#include "phone/phone_library.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

using Lines = std::vector<std::string>;

std::vector<PhoneFileEntry> Directory(PhoneApi& api) {
  const int count = api.File_Count();
  if (count < 0) return {};
  std::vector<PhoneFileEntry> entries(static_cast<size_t>(count));
  EXPECT_EQ(api.File_List(entries.data(), count), count);
  return entries;
}

// Reads a whole phone file the way the program does: open, one read of `size` into a zeroed
// buffer, close. Gives the buffer (cut to the count where the library gives one), "" on failure.
std::string ReadPhoneFile(PhoneApi& api, const char* path, int size, int* read_result = nullptr) {
  std::string buffer(static_cast<size_t>(size), '\0');
  EXPECT_EQ(api.File_Create(path, 0), 0) << path;
  const int n = api.File_Read(buffer.data(), size);
  api.File_Close();
  if (read_result) *read_result = n;
  if (n < 0) return "";
  return n == 0 ? buffer : buffer.substr(0, static_cast<size_t>(n));
}

// What File_Read or File_Write answers after moving n bytes: 0 in the published style, n when
// the library counts bytes.
int Moved(SimResults style, int n) { return style == SimResults::kByteCounts ? n : 0; }

const char* StyleName(SimResults style) {
  return style == SimResults::kByteCounts ? "byte counts" : "published results";
}

// The tests whose results depend on the style run in both.
class SimPhoneResults : public ::testing::TestWithParam<SimResults> {};
INSTANTIATE_TEST_SUITE_P(Styles, SimPhoneResults,
                         ::testing::Values(SimResults::kPublished, SimResults::kByteCounts),
                         [](const auto& info) {
                           return std::string(info.param == SimResults::kPublished ? "Published"
                                                                                   : "ByteCounts");
                         });

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

TEST(SimPhone, ListsEveryFileOfEveryFolderInByteOrderOfThePath) {
  SimPhone phone;
  phone.AddFile("a/mobile/picture/05-12-07_0012.jpg", "12345");
  phone.AddFile("a/GalleryID.txt", std::string(200, '\0'));
  phone.AddFile("a/mobile/picture/01-01-08_0001.jpg", "");
  phone.AddFile("a/mobile/picture/sub/02-02-08_0002.jpg", "xy");
  phone.AddFileCp1251("a/mobile/\xCC\xF3\xE7\xFB\xEA\xE0.mp3", "abc");  // "Музыка.mp3"
  phone.AddFolder("a/empty");
  PhoneApi& api = phone.Api();
  const auto first = Directory(api);
  ASSERT_EQ(first.size(), 5u);
  const Lines paths = {"/a/GalleryID.txt", "/a/mobile/picture/01-01-08_0001.jpg",
                       "/a/mobile/picture/05-12-07_0012.jpg",
                       "/a/mobile/picture/sub/02-02-08_0002.jpg",
                       "/a/mobile/\xCC\xF3\xE7\xFB\xEA\xE0.mp3"};
  const std::vector<int32_t> sizes = {200, 0, 5, 2, 3};
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].Path(), paths[i]) << i;
    EXPECT_EQ(first[i].Size(), sizes[i]) << i;
  }
  // The same directory again gives the same records in the same order.
  const auto second = Directory(api);
  ASSERT_EQ(second.size(), first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(std::memcmp(first[i].bytes, second[i].bytes, kPhoneFileEntrySize), 0) << i;
  }
}

TEST(SimPhone, ListFillsAtMostCountRecordsAndClearsTheRest) {
  SimPhone phone;
  phone.AddFile("a/1", "1");
  phone.AddFile("a/2", "22");
  PhoneApi& api = phone.Api();
  std::vector<PhoneFileEntry> entries(4, PhoneFileEntry::Make(99, "/junk"));
  EXPECT_EQ(api.File_List(entries.data(), 1), 1);
  EXPECT_EQ(entries[0].Path(), "/a/1");
  EXPECT_EQ(entries[1].Path(), "/junk");  // beyond count nothing is touched
  EXPECT_EQ(api.File_List(entries.data(), 4), 2);
  EXPECT_EQ(entries[1].Path(), "/a/2");
  EXPECT_EQ(entries[2].Path(), "");
  EXPECT_EQ(entries[3].Size(), 0);
  EXPECT_LT(api.File_List(entries.data(), -1), 0);
}

TEST_P(SimPhoneResults, ReadsAPhotoOfOneMegabyteInOneCall) {
  const SimResults style = GetParam();
  SimPhone phone(style);
  const std::string photo = Pattern(1 << 20);
  phone.AddFile("a/mobile/picture/05-12-07_0012.jpg", photo);
  int n = 0;
  EXPECT_EQ(ReadPhoneFile(phone.Api(), "/a/mobile/picture/05-12-07_0012.jpg", 1 << 20, &n), photo);
  EXPECT_EQ(n, Moved(style, 1 << 20));
  // Asking for more than the file holds gives what there is, and the published library cannot
  // say so: the rest of the buffer stays as it was.
  const std::string more =
      ReadPhoneFile(phone.Api(), "/a/mobile/picture/05-12-07_0012.jpg", (1 << 20) + 10, &n);
  EXPECT_EQ(more, style == SimResults::kByteCounts ? photo : photo + std::string(10, '\0'));
  EXPECT_EQ(n, Moved(style, 1 << 20));
}

TEST(SimPhone, ResultStyleSwitchesWhileLoaded) {
  SimPhone phone;  // the published style by default
  phone.AddFile("a/x", "0123");
  PhoneApi& api = phone.Api();
  char buffer[4];
  ASSERT_EQ(api.File_Create("/a/x", 0), 0);
  EXPECT_EQ(api.File_Read(buffer, 2), 0);
  phone.SetResults(SimResults::kByteCounts);
  EXPECT_EQ(api.File_Read(buffer, 4), 2);  // the rest of the file, counted
  phone.SetResults(SimResults::kPublished);
  EXPECT_EQ(api.File_Read(buffer, 4), 0);  // at the end: nothing moved, still no error
  api.File_Close();
}

TEST_P(SimPhoneResults, OneOpenFileAtATime) {
  const SimResults style = GetParam();
  SimPhone phone(style);
  phone.AddFile("a/first", "first file");
  phone.AddFile("a/second", "second file");
  PhoneApi& api = phone.Api();
  char buffer[32] = {};
  ASSERT_EQ(api.File_Create("/a/first", 0), 0);
  ASSERT_EQ(api.File_Create("/a/second", 0), 0);  // replaces the first
  EXPECT_EQ(api.File_Read(buffer, 6), Moved(style, 6));
  EXPECT_EQ(std::string(buffer, 6), "second");
  EXPECT_EQ(api.File_Read(buffer, 32), Moved(style, 5));  // reads go on where the last one ended
  EXPECT_EQ(std::string(buffer, 5), " file");
  EXPECT_EQ(api.File_Close(), 0);
  EXPECT_LT(api.File_Read(buffer, 6), 0);  // nothing open any more
  EXPECT_LT(api.File_Write(buffer, 6), 0);
  EXPECT_LT(api.File_Close(), 0);
}

TEST_P(SimPhoneResults, MissingFileComesIntoBeingWhenWritten) {
  const SimResults style = GetParam();
  SimPhone phone(style);
  phone.AddFolder("a");
  PhoneApi& api = phone.Api();
  char buffer[200] = {};
  // Opened and closed without a write: still missing.
  ASSERT_EQ(api.File_Create("/a/GalleryID.txt", 0), 0);
  EXPECT_LT(api.File_Read(buffer, 200), 0);
  EXPECT_EQ(api.File_Close(), 0);
  EXPECT_FALSE(phone.FileBytes("a/GalleryID.txt"));
  EXPECT_EQ(api.File_Count(), 0);
  // Written: there, with exactly the 200 bytes, and a later read gives them back.
  std::string profile(200, '\0');
  profile.replace(0, 6, "Phone2");
  ASSERT_EQ(api.File_Create("/a/GalleryID.txt", 0), 0);
  EXPECT_EQ(api.File_Write(profile.data(), 200), Moved(style, 200));
  EXPECT_EQ(api.File_Close(), 0);
  EXPECT_EQ(phone.FileBytes("a/GalleryID.txt"), profile);
  EXPECT_EQ(ReadPhoneFile(api, "/a/GalleryID.txt", 200), profile);
  // Writing replaces the content: an old longer file leaves no tail behind.
  phone.AddFile("a/note.txt", "a long old text");
  ASSERT_EQ(api.File_Create("/a/note.txt", 0), 0);
  EXPECT_EQ(api.File_Write("new", 3), Moved(style, 3));
  EXPECT_EQ(api.File_Write("er", 2), Moved(style, 2));
  EXPECT_EQ(api.File_Close(), 0);
  EXPECT_EQ(phone.FileBytes("a/note.txt"), "newer");
}

TEST(SimPhone, DeleteRemovesFilesOnly) {
  SimPhone phone;
  phone.AddFile("a/mobile/picture/05-12-07_0012.jpg", "jpeg");
  phone.AddFolder("a/mobile/picture/sub");
  PhoneApi& api = phone.Api();
  EXPECT_EQ(api.File_Delete("/a/mobile/picture/05-12-07_0012.jpg"), 0);
  EXPECT_FALSE(phone.FileBytes("a/mobile/picture/05-12-07_0012.jpg"));
  EXPECT_LT(api.File_Delete("/a/mobile/picture/05-12-07_0012.jpg"), 0);  // already gone
  EXPECT_LT(api.File_Delete("/a/mobile/picture/sub"), 0);                // a folder
  // Deleting the open file closes it.
  phone.AddFile("a/open.txt", "x");
  ASSERT_EQ(api.File_Create("/a/open.txt", 0), 0);
  EXPECT_EQ(api.File_Delete("/a/open.txt"), 0);
  EXPECT_FALSE(phone.FileBytes("a/open.txt"));
  EXPECT_LT(api.File_Close(), 0);
}

TEST(SimPhone, PathsOutsideThePhoneFolderAreRefused) {
  SimPhone phone;
  phone.AddFile("a/x.txt", "inside");
  PhoneApi& api = phone.Api();
  const char* bad[] = {"a/x.txt",
                       "/a/../../outside.txt",
                       "/a/./x.txt",
                       "/a//x.txt",
                       "/",
                       "/a/x.txt/",
                       "/a\\x.txt",
                       "/C:/x",
                       ""};
  for (const char* path : bad) {
    EXPECT_LT(api.File_Create(path, 0), 0) << path;
    EXPECT_LT(api.File_Delete(path), 0) << path;
  }
  EXPECT_LT(api.File_Create(nullptr, 0), 0);
  EXPECT_LT(api.File_Delete(nullptr), 0);
  EXPECT_EQ(phone.FileBytes("a/x.txt"), "inside");
}

TEST_P(SimPhoneResults, CyrillicNamesTravelAsWindows1251) {
  const SimResults style = GetParam();
  SimPhone phone(style);
  // "Фото" in Windows-1251; the host file is named in the host's own way.
  phone.AddFile("a/Фото/05-12-07_0001.jpg", "photo");
  PhoneApi& api = phone.Api();
  const auto dir = Directory(api);
  ASSERT_EQ(dir.size(), 1u);
  EXPECT_EQ(dir[0].Path(), "/a/\xD4\xEE\xF2\xEE/05-12-07_0001.jpg");
  EXPECT_EQ(ReadPhoneFile(api, "/a/\xD4\xEE\xF2\xEE/05-12-07_0001.jpg", 5), "photo");
  ASSERT_EQ(api.File_Create("/a/\xCF\xF0\xEE\xF4\xE8\xEB\xFC.txt", 0), 0);  // "Профиль.txt"
  EXPECT_EQ(api.File_Write("p", 1), Moved(style, 1));
  EXPECT_EQ(api.File_Close(), 0);
  EXPECT_EQ(phone.FileBytes("a/Профиль.txt"), "p");
  EXPECT_EQ(phone.FileBytesCp1251("a/\xCF\xF0\xEE\xF4\xE8\xEB\xFC.txt"), "p");
}

TEST(SimPhone, StatusComesFromTheStatusFileAndTheFolder) {
  SimPhone phone;
  phone.AddFile("a/x", "x");
  PhoneApi& api = phone.Api();
  EXPECT_EQ(api.P2K_GetStatus(), 1);  // a new SimPhone is attached
  struct Step {
    int status;
    bool folder;
    int expected;
  };
  const Step steps[] = {{0, true, 0},  {2, true, 2}, {1, true, 1},  {1, false, 0},
                        {2, false, 0}, {1, true, 1}, {-3, true, -3}};
  for (const Step& s : steps) {
    phone.SetStatus(s.status);
    phone.SetFolderPresent(s.folder);
    EXPECT_EQ(api.P2K_GetStatus(), s.expected) << s.status << " " << s.folder;
    // Files are reachable only while the phone is ready.
    EXPECT_EQ(api.File_Count() == 1, s.expected == 1) << s.status << " " << s.folder;
    EXPECT_EQ(api.File_Create("/a/x", 0) == 0, s.expected == 1) << s.status << " " << s.folder;
    api.File_Close();
  }
}

TEST(SimPhone, LogsEveryCallWithItsArgumentsAndResult) {
  SimPhone phone;  // published results: a read answers 0
  phone.AddFile("a/GalleryID.txt", std::string(200, 'n'));
  PhoneApi& api = phone.Api();
  char buffer[512] = {};
  api.P2K_Init(0);
  api.P2K_GetStatus();
  api.File_Count();
  api.File_List(buffer, 1);
  api.File_Create("/a/GalleryID.txt", 0);
  api.File_Read(buffer, 200);
  api.File_Close();
  api.File_Create("/a/\"\xD4\xEE\xF2\xEE\"\\x", 0);  // a refused path, quoted in the log
  api.File_Delete("/a/GalleryID.txt");
  const std::string quoted = "File_Create \"/a/\\\"Фото\\\"\\\\x\" 0 -> -1";
  EXPECT_EQ(phone.Log(),
            (Lines{"P2K_Init 0 -> 0", "P2K_GetStatus -> 1", "File_Count -> 1", "File_List 1 -> 1",
                   "File_Create \"/a/GalleryID.txt\" 0 -> 0", "File_Read 200 -> 0",
                   "File_Close -> 0", quoted, "File_Delete \"/a/GalleryID.txt\" -> 0"}));
  phone.ClearLog();
  api.File_Write(buffer, 3);
  EXPECT_EQ(phone.Log(), (Lines{"File_Write 3 -> -1"}));
  EXPECT_EQ(phone.Calls(), (Lines{"File_Write"}));
}

TEST_P(SimPhoneResults, InjectedFaults) {
  const SimResults style = GetParam();
  const std::string ten = std::to_string(Moved(style, 10));
  struct Case {
    const char* what;
    void (*inject)(SimPhone&);
    Lines results;  // the results of: Create, Read 10, Close, Delete, Create, Read 10
    std::string read;  // what the first read put into the buffer
  };
  const Case cases[] = {
      // After the delete the file is missing: it opens (to be created by a write) but reads fail.
      {"no fault", [](SimPhone&) {}, {"0", ten, "0", "0", "0", "-1"}, "0123456789"},
      {"reads fail",
       [](SimPhone& p) { p.FailCall("File_Read"); },
       {"0", "-1", "0", "0", "0", "-1"}, ""},
      {"first read fails",
       [](SimPhone& p) { p.FailCall("File_Read", 1); },
       {"0", "-1", "0", "0", "0", "-1"}, ""},
      // Short: the published library still answers 0, so only the buffer tells.
      {"short reads", [](SimPhone& p) { p.ShortReads(4); },
       {"0", std::to_string(style == SimResults::kByteCounts ? 4 : 0), "0", "0", "0", "-1"},
       "0123"},
      {"delete fails",
       [](SimPhone& p) { p.FailCall("File_Delete"); },
       {"0", ten, "0", "-1", "0", ten}, "0123456789"},
      {"create fails once",
       [](SimPhone& p) { p.FailCall("File_Create", 1); },
       {"-1", "-1", "-1", "0", "0", "-1"}, ""},
      {"phone goes after 2 calls",
       [](SimPhone& p) { p.ChangeStatusAfter(2, 0); },
       {"0", ten, "-1", "-1", "-1", "-1"}, "0123456789"},
  };
  for (const Case& c : cases) {
    SimPhone phone(style);
    phone.AddFile("a/p.jpg", "0123456789abcdef");
    PhoneApi& api = phone.Api();
    c.inject(phone);
    char buffer[16] = {};
    Lines results;
    results.push_back(std::to_string(api.File_Create("/a/p.jpg", 0)));
    results.push_back(std::to_string(api.File_Read(buffer, 10)));
    EXPECT_EQ(std::string(buffer), c.read) << c.what;
    results.push_back(std::to_string(api.File_Close()));
    results.push_back(std::to_string(api.File_Delete("/a/p.jpg")));
    results.push_back(std::to_string(api.File_Create("/a/p.jpg", 0)));
    results.push_back(std::to_string(api.File_Read(buffer, 10)));
    api.File_Close();
    EXPECT_EQ(results, c.results) << c.what << ", " << StyleName(style);
  }
}

TEST(SimPhone, FaultsThatCountDownDisappearWhenSpent) {
  SimPhone phone;
  phone.AddFile("a/p.jpg", "0123456789");
  PhoneApi& api = phone.Api();
  phone.FailCall("File_Read", 2);
  phone.ChangeStatusAfter(3, 2);
  char buffer[10];
  EXPECT_EQ(api.File_Create("/a/p.jpg", 0), 0);
  EXPECT_EQ(api.File_Read(buffer, 1), -1);
  EXPECT_EQ(phone.Faults(), "fail File_Read 1\nstatus 2 after 1\n");
  EXPECT_EQ(api.File_Read(buffer, 1), -1);  // the third call still sees status 1
  EXPECT_EQ(phone.Faults(), "status 2 after 0\n");
  EXPECT_EQ(api.P2K_GetStatus(), 2);  // the fourth call sees the new status
  EXPECT_EQ(phone.Faults(), "");
  EXPECT_EQ(api.P2K_GetStatus(), 2);
  phone.SetStatus(1);
  EXPECT_EQ(api.P2K_GetStatus(), 1);
}

TEST(SimPhone, SlowLinkDelaysTheCallsThatMoveDataAndStays) {
  SimPhone phone;
  phone.AddFile("a/p.jpg", "0123456789");
  PhoneApi& api = phone.Api();
  phone.SetFaults("slow 120\nfail File_Read 1\n");
  using Clock = std::chrono::steady_clock;
  auto elapsedMs = [](Clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
  };
  char buffer[10];
  ASSERT_EQ(api.File_Create("/a/p.jpg", 0), 0);
  auto start = Clock::now();
  EXPECT_EQ(api.File_Read(buffer, 10), -1);  // the slow rule and the counted one together
  EXPECT_GE(elapsedMs(start), 120);
  // Rewriting the rules for the spent count keeps the slow one.
  EXPECT_EQ(phone.Faults(), "slow 120\n");
  start = Clock::now();
  EXPECT_GE(api.File_Read(buffer, 10), 0);
  EXPECT_GE(elapsedMs(start), 120);
  api.File_Close();
  start = Clock::now();
  std::vector<PhoneFileEntry> entries = Directory(api);
  EXPECT_GE(elapsedMs(start), 120);  // File_List
  EXPECT_EQ(1u, entries.size());
}

TEST(SimPhone, HungCallReturnsOnlyOnceItsRuleIsTakenOut) {
  struct Case {
    const char* call;
    std::function<int(PhoneApi&, char*)> make;  // the hung call (after any call it needs)
    Lines before;                                 // the calls logged while it hangs
    int result;                                   // its answer once released
    const char* read;                             // what it put into the buffer
  };
  const Case cases[] = {
      {"File_Read",
       [](PhoneApi& api, char* buffer) {
         api.File_Create("/a/p.jpg", 0);
         return api.File_Read(buffer, 10);
       },
       {"File_Create"}, 0, "0123"},  // the rules left in the file still apply: "short 4"
      {"P2K_GetStatus", [](PhoneApi& api, char*) { return api.P2K_GetStatus(); }, {}, 1, ""},
      {"File_Count", [](PhoneApi& api, char*) { return api.File_Count(); }, {}, 1, ""},
  };
  for (const Case& c : cases) {
    SimPhone phone;
    phone.AddFile("a/p.jpg", "0123456789");
    PhoneApi& api = phone.Api();
    phone.SetFaults("short 4\nhang File_Delete\n");
    EXPECT_EQ(api.File_Count(), 1) << "a hang of another call holds nothing up";
    phone.HangCall(c.call);
    phone.ClearLog();
    char buffer[16] = {};
    std::atomic<bool> returned{false};
    int result = -99;
    std::thread caller([&] {
      result = c.make(api, buffer);
      returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(returned) << c.call;
    EXPECT_EQ(phone.Calls(), c.before) << c.call;
    phone.ReleaseCall(c.call);
    EXPECT_EQ(phone.Faults(), "short 4\nhang File_Delete\n") << c.call;
    for (int i = 0; i < 1200 && !returned; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(returned) << c.call;
    if (!returned) phone.ClearFaults();
    caller.join();
    EXPECT_EQ(result, c.result) << c.call;
    EXPECT_EQ(std::string(buffer), c.read) << c.call;
    Lines after = c.before;
    after.push_back(c.call);
    EXPECT_EQ(phone.Calls(), after);
  }
}

TEST(SimPhone, ControlFilesAreReadAgainOnlyWhenTheirStampChanges) {
  namespace fs = std::filesystem;
  SimPhone phone;
  PhoneApi& api = phone.Api();
  const std::string name = phone.Folder() + ".status";
  const fs::path status(std::u8string(name.begin(), name.end()));
  // Written long ago: the simulator can trust what it read while the stamp stays.
  const auto long_ago = fs::last_write_time(status) - std::chrono::hours(1);
  phone.SetStatus(2);
  fs::last_write_time(status, long_ago);
  EXPECT_EQ(api.P2K_GetStatus(), 2);
  // Other content under the very same stamp (size and time): not looked at again...
  phone.SetStatus(3);
  fs::last_write_time(status, long_ago);
  EXPECT_EQ(api.P2K_GetStatus(), 2);
  // ...while any stamp of a real write is.
  phone.SetStatus(4);
  EXPECT_EQ(api.P2K_GetStatus(), 4);
  phone.SetStatus(5);  // the same size again, at once
  EXPECT_EQ(api.P2K_GetStatus(), 5);
}

TEST(SimPhone, OneLoadedLibraryFollowsTheCurrentPhoneFolder) {
  PhoneLibrary library = LoadPhoneLibrary(SimPhone::LibraryPath());
  ASSERT_EQ(library.error, "");
  PhoneApi& api = *library.api;
  {
    SimPhone first;
    first.AddFile("a/one", "1");
    EXPECT_EQ(api.File_Count(), 1);
  }
  {
    SimPhone second;
    second.AddFile("a/one", "1");
    second.AddFile("a/two", "2");
    EXPECT_EQ(api.File_Count(), 2);
    second.SetStatus(0);
    EXPECT_EQ(api.P2K_GetStatus(), 0);
  }
}

}  // namespace
}  // namespace zv
