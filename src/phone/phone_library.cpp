// Binding the nine phone library exports to PhoneApi (see phone_library.h).
#include "phone/phone_library.h"

#include <utility>
#include <vector>

#include "phone/p2k_abi.h"
#include "phone/p2k_call.h"
#include "ui/lang/texts.h"

namespace zv {
namespace {

// The phone library as loaded: the library handle and the nine bound entry points.
class BoundPhoneApi : public PhoneApi {
 public:
  struct Table {
    p2k::InitFn init;
    p2k::GetStatusFn get_status;
    p2k::CountFn count;
    p2k::ListFn list;
    p2k::CreateFn create;
    p2k::ReadFn read;
    p2k::WriteFn write;
    p2k::CloseFn close;
    p2k::DeleteFn remove;
  };

  BoundPhoneApi(std::unique_ptr<SharedLibrary> library, const Table& table)
      : library_(std::move(library)), t_(table) {}

  // Paths and buffers are handed over as the published header types them (char*, void*); the
  // library only reads the path and the buffer of File_Write.
  int P2K_Init(P2KStatusCallback onStatus) override { return p2k::CallP2K(t_.init, onStatus); }
  int P2K_GetStatus() override { return p2k::CallP2K(t_.get_status); }
  int File_Count() override { return p2k::CallP2K(t_.count); }
  int File_List(void* entries, int count) override {
    return p2k::CallP2K(t_.list, entries, count);
  }
  int File_Create(const char* path, int mode) override {
    return p2k::CallP2K(t_.create, const_cast<char*>(path), mode);
  }
  int File_Read(void* buffer, int size) override { return p2k::CallP2K(t_.read, buffer, size); }
  int File_Write(const void* buffer, int size) override {
    return p2k::CallP2K(t_.write, const_cast<void*>(buffer), size);
  }
  int File_Close() override { return p2k::CallP2K(t_.close); }
  int File_Delete(const char* path) override {
    return p2k::CallP2K(t_.remove, const_cast<char*>(path));
  }

 private:
  std::unique_ptr<SharedLibrary> library_;  // kept loaded while the entry points are in use
  Table t_;
};

template <typename Fn>
Fn As(void* symbol) {
  return reinterpret_cast<Fn>(symbol);
}

}  // namespace

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string MissingLibraryMessage(const std::string& path_utf8, const std::string& reason) {
  std::string text = FormatText(TextId::LibraryNotLoaded, {FileNameOf(path_utf8), path_utf8});
  if (!reason.empty()) text += "\n" + reason;
  return text + "\n" + UiText(TextId::LibraryUnusable);
}

PhoneLibrary BindPhoneLibrary(std::unique_ptr<SharedLibrary> library,
                              const std::string& display_name) {
  void* symbols[p2k::kExportNames.size()];
  std::vector<std::string> missing;
  for (size_t i = 0; i < p2k::kExportNames.size(); ++i) {
    symbols[i] = library->Symbol(p2k::kExportNames[i]);
    if (!symbols[i]) missing.push_back(p2k::kExportNames[i]);
  }
  PhoneLibrary result;
  if (!missing.empty()) {
    std::string names;
    for (const auto& name : missing) names += (names.empty() ? "" : ", ") + name;
    result.api = std::make_unique<AbsentPhoneApi>();
    result.error = FormatText(missing.size() == 1 ? TextId::LibraryMissingFunction
                                                  : TextId::LibraryMissingFunctions,
                              {display_name, names}) +
                   "\n" + UiText(TextId::LibraryUnusable);
    return result;  // the library is unloaded here: nothing of it is used
  }
  const BoundPhoneApi::Table table{As<p2k::InitFn>(symbols[0]),   As<p2k::GetStatusFn>(symbols[1]),
                                   As<p2k::CountFn>(symbols[2]),  As<p2k::ListFn>(symbols[3]),
                                   As<p2k::CreateFn>(symbols[4]), As<p2k::ReadFn>(symbols[5]),
                                   As<p2k::WriteFn>(symbols[6]),  As<p2k::CloseFn>(symbols[7]),
                                   As<p2k::DeleteFn>(symbols[8])};
  result.api = std::make_unique<BoundPhoneApi>(std::move(library), table);
  return result;
}

}  // namespace zv
