// The phone library loader: binding the nine exports by name, and what happens when the library
// or some of its exports are missing (the program must go on with "no phone" and say why).
#include "phone/phone_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>

#include "phone/p2k_abi.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

// Entry points whose results tell which arguments arrived, with the published signatures.
int FakeInit(p2k::StatusCallback callback) { return callback ? 101 : 100; }
int FakeStatus() { return 7; }
int FakeCount() { return 42; }
int FakeList(void* entries, unsigned count) {
  std::memset(entries, 'L', count);
  return static_cast<int>(count) + 1;
}
int FakeCreate(char* path, unsigned char attribute) {
  return static_cast<int>(std::strlen(path)) * 10 + attribute;
}
int FakeRead(void* buffer, unsigned size) {
  std::memset(buffer, 'R', size);
  return static_cast<int>(size) + 2;
}
int FakeWrite(void* buffer, unsigned size) {
  return static_cast<const unsigned char*>(buffer)[0] + static_cast<int>(size);
}
int FakeClose() { return 9; }
int FakeDelete(char* path) { return -static_cast<int>(std::strlen(path)); }
void StatusSink(int) {}

class FakeLibrary : public SharedLibrary {
 public:
  explicit FakeLibrary(std::set<std::string> missing) : missing_(std::move(missing)) {}
  void* Symbol(const char* name) override {
    if (missing_.count(name)) return nullptr;
    const std::map<std::string, void*> table = {
        {"P2K_Init", reinterpret_cast<void*>(&FakeInit)},
        {"P2K_GetStatus", reinterpret_cast<void*>(&FakeStatus)},
        {"File_Count", reinterpret_cast<void*>(&FakeCount)},
        {"File_List", reinterpret_cast<void*>(&FakeList)},
        {"File_Create", reinterpret_cast<void*>(&FakeCreate)},
        {"File_Read", reinterpret_cast<void*>(&FakeRead)},
        {"File_Write", reinterpret_cast<void*>(&FakeWrite)},
        {"File_Close", reinterpret_cast<void*>(&FakeClose)},
        {"File_Delete", reinterpret_cast<void*>(&FakeDelete)},
    };
    auto it = table.find(name);
    return it == table.end() ? nullptr : it->second;
  }

 private:
  std::set<std::string> missing_;
};

void ExpectAbsentPhone(PhoneApi& api) {
  char buffer[600] = {'x'};
  EXPECT_EQ(api.P2K_GetStatus(), 0);
  EXPECT_LT(api.P2K_Init(0), 0);
  EXPECT_LT(api.File_Count(), 0);
  EXPECT_LT(api.File_List(buffer, 1), 0);
  EXPECT_LT(api.File_Create("/a/GalleryID.txt", 0), 0);
  EXPECT_LT(api.File_Read(buffer, 200), 0);
  EXPECT_LT(api.File_Write(buffer, 200), 0);
  EXPECT_LT(api.File_Close(), 0);
  EXPECT_LT(api.File_Delete("/a/GalleryID.txt"), 0);
  EXPECT_EQ(buffer[0], 'x');  // nothing was written into the caller's buffer
}

TEST(BindPhoneLibrary, EveryCallReachesItsExportWithItsArguments) {
  PhoneLibrary lib =
      BindPhoneLibrary(std::make_unique<FakeLibrary>(std::set<std::string>{}), "p2kapi.dll");
  ASSERT_TRUE(lib.api);
  EXPECT_EQ(lib.error, "");
  PhoneApi& api = *lib.api;
  char buffer[8] = {};
  EXPECT_EQ(api.P2K_Init(0), 100);  // the program passes no callback: a null pointer
  EXPECT_EQ(api.P2K_Init(&StatusSink), 101);
  EXPECT_EQ(api.P2K_GetStatus(), 7);
  EXPECT_EQ(api.File_Count(), 42);
  EXPECT_EQ(api.File_List(buffer, 4), 5);
  EXPECT_EQ(std::string(buffer, 5), std::string("LLLL\0", 5));
  EXPECT_EQ(api.File_Create("/abc", 2), 42);
  EXPECT_EQ(api.File_Read(buffer, 3), 5);
  EXPECT_EQ(buffer[2], 'R');
  const unsigned char one[1] = {50};
  EXPECT_EQ(api.File_Write(one, 1), 51);
  EXPECT_EQ(api.File_Close(), 9);
  EXPECT_EQ(api.File_Delete("/abcd"), -5);
}

TEST(BindPhoneLibrary, MissingExportsGiveAbsentPhoneAndNameEveryMissingOne) {
  struct Case {
    std::set<std::string> missing;
    std::string error;
  };
  const Case cases[] = {
      {{"File_Delete"},
       "В библиотеке телефона p2kapi.dll нет функции File_Delete.\n"
       "Работа с телефоном невозможна."},
      {{"File_Write", "P2K_Init", "File_Delete"},
       "В библиотеке телефона p2kapi.dll нет функций P2K_Init, File_Write, File_Delete.\n"
       "Работа с телефоном невозможна."},
      {{"P2K_GetStatus"},
       "В библиотеке телефона p2kapi.dll нет функции P2K_GetStatus.\n"
       "Работа с телефоном невозможна."},
  };
  for (const Case& c : cases) {
    PhoneLibrary lib = BindPhoneLibrary(std::make_unique<FakeLibrary>(c.missing), "p2kapi.dll");
    EXPECT_EQ(lib.error, c.error);
    ASSERT_TRUE(lib.api);
    ExpectAbsentPhone(*lib.api);
  }
}

std::string TestFile(const std::string& name) { return testing::TempDir() + name; }

TEST(LoadPhoneLibrary, MissingLibraryGivesAbsentPhoneAndNamesTheFile) {
  const std::string path = TestFile("no-such-folder/p2kapi.dll");
  PhoneLibrary lib = LoadPhoneLibrary(path);
  ASSERT_TRUE(lib.api);
  EXPECT_NE(lib.error.find("Не удалось загрузить библиотеку телефона p2kapi.dll"),
            std::string::npos)
      << lib.error;
  EXPECT_NE(lib.error.find(path), std::string::npos) << lib.error;
  ExpectAbsentPhone(*lib.api);
}

TEST(LoadPhoneLibrary, FileThatIsNoLibraryGivesAbsentPhone) {
  const std::string path = TestFile("not-a-library.dll");
  std::ofstream(path, std::ios::binary) << "this is text, not code";
  PhoneLibrary lib = LoadPhoneLibrary(path);
  ASSERT_TRUE(lib.api);
  EXPECT_NE(lib.error.find("not-a-library.dll"), std::string::npos) << lib.error;
  ExpectAbsentPhone(*lib.api);
}

TEST(LoadPhoneLibrary, LibraryLackingExportsIsNotUsed) {
  PhoneLibrary lib = LoadPhoneLibrary(ZV_PARTIAL_LIBRARY_PATH);
  ASSERT_TRUE(lib.api);
  EXPECT_NE(lib.error.find("нет функций File_Write, File_Delete."), std::string::npos) << lib.error;
  // The partial library would answer 1; the program must not talk to half a library.
  ExpectAbsentPhone(*lib.api);
}

TEST(LoadPhoneLibrary, SimulatedLibraryBindsCompletely) {
  SimPhone phone;
  phone.AddFile("a/GalleryID.txt", std::string(200, '\0'));
  PhoneLibrary lib = LoadPhoneLibrary(SimPhone::LibraryPath());
  ASSERT_EQ(lib.error, "");
  EXPECT_EQ(lib.api->P2K_GetStatus(), 1);
  EXPECT_EQ(lib.api->File_Count(), 1);
  phone.SetStatus(0);
  EXPECT_EQ(lib.api->P2K_GetStatus(), 0);
}

}  // namespace
}  // namespace zv
