// The profile name file "/a/GalleryID.txt" on the headless main window with the simulated phone:
// reading it into Edit1 (the first-byte-8 rule, names up to the first zero or all 200 bytes),
// writing it from "Создать" (200 bytes, the name in Windows-1251, a zero after it), the empty box,
// and replugging the phone.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

constexpr char kProfilePath[] = "a/GalleryID.txt";

std::string Padded(const std::string& bytes, char fill = '\0') {
  std::string out = bytes;
  if (out.size() < 200) out.resize(200, fill);
  return out;
}

class ProfileTest : public ::testing::Test {
 protected:
  ProfileTest() : fx_(phone_.Api()) {
    fx_.Create();
    phone_.ClearLog();
  }
  TForm1& Form() { return *fx_.Form1; }
  void Read() {
    ASSERT_TRUE(fx_.Dispatch([this] { Form().ReadProfileId(); }));
  }
  void Create() {
    ASSERT_TRUE(fx_.Dispatch([this] { Form().BitBtn3.Click(); }));
  }
  void Tick() {
    ASSERT_TRUE(fx_.Dispatch([this] { Form().Timer1.Tick(); }));
  }

  SimPhone phone_;
  FormFixture fx_;
};

struct ReadCase {
  const char* name;
  std::optional<std::string> file;  // nullopt: no profile file on the phone
  std::string expected;             // Edit1 afterwards; it held "typed" before
};

TEST_F(ProfileTest, ReadingTheFileIntoTheBox) {
  const ReadCase cases[] = {
      {"name and zeros", Padded("Phone1"), "Phone1"},
      {"bytes after the zero are ignored", Padded(std::string("Bob\0garbage", 11), 'q'), "Bob"},
      {"200 text bytes, no zero", std::string(200, 'A'), std::string(200, 'A')},
      {"Windows-1251 name", Padded("\xCF\xE5\xF2\xFF \xC8\xE2\xE0\xED\xEE\xE2"), "Петя Иванов"},
      {"first byte 8 keeps the typed text",
       Padded("\x08"
              "Phone1"),
       "typed"},
      {"a lone 8", Padded("\x08"), "typed"},
      {"8 later on is text", Padded("A\x08"), "A\x08"},
      {"file shorter than 200 bytes", std::string("Abc"), "Abc"},
      {"empty file empties the box", std::string(), ""},
      {"first byte zero empties the box", Padded(""), ""},
      {"no file: the read fails and the box is emptied", std::nullopt, ""},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file)
      phone_.AddFile(kProfilePath, *c.file);
    else
      phone_.RemoveFile(kProfilePath);
    Form().Edit1.TextEdited("typed");
    phone_.ClearLog();
    Read();
    EXPECT_EQ(Form().Edit1.Text(), c.expected);
    const std::vector<std::string> calls{"File_Create", "File_Read", "File_Close"};
    EXPECT_EQ(phone_.Calls(), calls);
    ASSERT_FALSE(phone_.Log().empty());
    EXPECT_EQ(phone_.Log()[0], "File_Create \"/a/GalleryID.txt\" 0 -> 0");
    EXPECT_EQ(phone_.Log()[1].rfind("File_Read 200 -> ", 0), 0u) << phone_.Log()[1];
  }
}

// A read that delivers fewer bytes than asked leaves zeros after them, never stale bytes.
TEST_F(ProfileTest, ShortReadGivesWhatWasDelivered) {
  for (const SimResults style : {SimResults::kPublished, SimResults::kByteCounts}) {
    phone_.SetResults(style);
    phone_.AddFile(kProfilePath, Padded("LongProfileName"));
    phone_.ShortReads(4);
    Read();
    EXPECT_EQ(Form().Edit1.Text(), "Long");
    phone_.ClearFaults();
  }
}

struct WriteCase {
  const char* name;
  std::string typed;  // UTF-8, as the box holds it
  std::string bytes;  // the name's bytes on the phone (Windows-1251)
};

TEST_F(ProfileTest, WritingAndReadingBack) {
  const WriteCase cases[] = {
      {"five characters", "Alice", "Alice"},
      {"Cyrillic", "Профиль Маши", "\xCF\xF0\xEE\xF4\xE8\xEB\xFC \xCC\xE0\xF8\xE8"},
      {"Cyrillic and Latin, ё and №", "Ёжик №5 ёлка", "\xA8\xE6\xE8\xEA \xB9\x35 \xB8\xEB\xEA\xE0"},
      {"199 characters", std::string(199, 'z'), std::string(199, 'z')},
      {"200 characters fill the file", std::string(200, 'w'), std::string(200, 'w')},
  };
  // The write's result is not looked at: both result styles of the library give the same.
  for (const SimResults style : {SimResults::kPublished, SimResults::kByteCounts})
    for (const WriteCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) +
                   (style == SimResults::kPublished ? ", published results" : ", byte counts"));
      phone_.SetResults(style);
      phone_.AddFile(kProfilePath, Padded("old", 'o'));
      Form().Edit1.TextEdited(c.typed);
      phone_.ClearLog();
      Create();
      const std::string write =
          style == SimResults::kPublished ? "File_Write 200 -> 0" : "File_Write 200 -> 200";
      EXPECT_EQ(phone_.Log(), (std::vector<std::string>{"File_Create \"/a/GalleryID.txt\" 0 -> 0",
                                                        write, "File_Close -> 0"}));
      EXPECT_EQ(phone_.FileBytes(kProfilePath), Padded(c.bytes));  // the name, then zeros only
      EXPECT_EQ(Form().Edit1.Text(), c.typed);
      EXPECT_TRUE(fx_.Boxes.Messages.empty());

      Form().Edit1.TextEdited("something else");
      Read();
      EXPECT_EQ(Form().Edit1.Text(), c.typed);
    }
}

TEST_F(ProfileTest, FiveCharacterNameEndsWithAZeroAtByteFive) {
  Form().Edit1.TextEdited("Alice");
  Create();
  const auto file = phone_.FileBytes(kProfilePath);
  ASSERT_TRUE(file.has_value());
  ASSERT_EQ(file->size(), 200u);
  EXPECT_EQ(file->substr(0, 5), "Alice");
  EXPECT_EQ((*file)[5], '\0');
}

TEST_F(ProfileTest, EmptyBoxShowsTheMessageAndLeavesThePhoneAlone) {
  phone_.AddFile(kProfilePath, Padded("Phone1"));
  Form().Edit1.TextEdited("");
  Create();
  EXPECT_EQ(fx_.Boxes.Messages, std::vector<std::string>{"Профиль не определен!"});
  EXPECT_TRUE(fx_.Boxes.Errors.empty());
  EXPECT_TRUE(phone_.Log().empty());
  EXPECT_EQ(phone_.FileBytes(kProfilePath), Padded("Phone1"));
}

// Writing with no phone calls the library all the same and says nothing.
TEST_F(ProfileTest, WritingWithNoPhoneSaysNothing) {
  phone_.SetStatus(0);
  Form().Edit1.TextEdited("Alice");
  Create();
  EXPECT_EQ(phone_.Calls(), (std::vector<std::string>{"File_Create", "File_Write", "File_Close"}));
  EXPECT_TRUE(fx_.Boxes.Messages.empty());
  EXPECT_TRUE(fx_.Boxes.Errors.empty());
  EXPECT_EQ(Form().Edit1.Text(), "Alice");
}

// The box stops typing at 200 characters, but the program may set a longer text: the file stays
// 200 bytes and holds the first 200 characters.
TEST_F(ProfileTest, OverlongTextIsCutToTheFile) {
  std::string name;
  for (int i = 0; i < 250; ++i) name += static_cast<char>('a' + i % 26);
  Form().Edit1.SetText(name);
  Create();
  EXPECT_EQ(phone_.FileBytes(kProfilePath), name.substr(0, 200));
  Read();
  EXPECT_EQ(Form().Edit1.Text(), name.substr(0, 200));
}

// Unplugging and replugging reads the file again and replaces unsaved text, unless the file
// begins with 8.
TEST_F(ProfileTest, ReplugReplacesUnsavedText) {
  struct Case {
    const char* name;
    std::string file;
    std::string expected;
  };
  const Case cases[] = {
      {"the file's name replaces the typed text", Padded("Phone1"), "Phone1"},
      {"first byte 8 keeps the typed text", Padded("\x08"), "unsaved"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    phone_.AddFile(kProfilePath, Padded("Phone1"));
    phone_.SetStatus(1);
    Tick();
    ASSERT_TRUE(Form().PhoneConnected);
    ASSERT_EQ(Form().Edit1.Text(), "Phone1");

    Form().Edit1.TextEdited("unsaved");
    phone_.SetStatus(0);
    Tick();
    ASSERT_FALSE(Form().PhoneConnected);
    EXPECT_EQ(Form().Edit1.Text(), "unsaved");  // going leaves the box alone

    phone_.AddFile(kProfilePath, c.file);
    phone_.SetStatus(1);
    Tick();
    EXPECT_TRUE(Form().PhoneConnected);
    EXPECT_EQ(Form().Edit1.Text(), c.expected);
    phone_.SetStatus(0);
    Tick();
  }
}

}  // namespace
}  // namespace zv
