// The headless main window for handler tests.
#include "form_fixture.h"

#include <atomic>
#include <chrono>

namespace zv {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("zv-form-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

namespace {
std::string Utf8Of(const std::filesystem::path& p) {
  const auto s = p.u8string();
  return std::string(s.begin(), s.end());
}
}  // namespace

FormFixture::FormFixture(PhoneApi& phone, PhoneJobs* jobs, FileSystem* files)
    : Settings(Utf8Of(Temp.Path() / "Zarvelinthoscope.ini")), Stepped(phone), ownThread_(jobs) {
  Form1 = std::make_unique<TForm1>(
      FormServices{phone, Boxes, files ? *files : Files, Settings, Tray, nullptr, jobs ? jobs : &Stepped});
  App.SetMainForm(*Form1);
  Form3 = std::make_unique<TForm3>();
  Form1->Form3 = Form3.get();
}

FormFixture::~FormFixture() {
  Form1.reset();  // the main window first: it refers to the preview window
  Form3.reset();
}

void FormFixture::Create() {
  Dispatch([this] { Form1->FormCreate(Form1.get()); });
}

bool FormFixture::RunStep() {
  if (std::optional<WindowQueue::Task> task = Stepped.TakeWindowTask()) {
    lastTaskOk_ = App.Dispatch(*task);
    return true;
  }
  lastTaskOk_ = true;
  return Stepped.RunJob();
}

bool FormFixture::RunPhoneWork() {
  bool ok = true;
  while (RunStep()) ok = lastTaskOk_ && ok;
  return ok;
}

std::string FormFixture::Folder() const { return Utf8Of(Temp.Path()); }

}  // namespace zv
