// Text lookup and the choice of language (see texts.h).
#include "ui/lang/texts.h"

#include <array>
#include <atomic>
#include <vector>

#include "ui/text.h"

namespace zv {
namespace {

constexpr size_t kTextCount = static_cast<size_t>(TextId::Count);

const Catalogue* const kCatalogues[] = {&kRussianTexts, &kEnglishTexts};

// One language's texts by name, in both encodings. A name that a catalogue lacks (the tests
// make sure none does) gets the English text rather than nothing.
struct Table {
  std::array<std::string, kTextCount> utf8;
  std::array<std::u16string, kTextCount> utf16;
};

std::vector<Table> BuildTables() {
  std::vector<Table> tables(std::size(kCatalogues));
  for (size_t i = 0; i < std::size(kCatalogues); ++i) {
    for (const Catalogue* source : {&kEnglishTexts, kCatalogues[i]})
      for (const TextEntry& entry : source->entries)
        tables[i].utf8[static_cast<size_t>(entry.id)] = entry.text;
    for (size_t t = 0; t < kTextCount; ++t) tables[i].utf16[t] = Utf8ToUtf16(tables[i].utf8[t]);
  }
  return tables;
}

const Table& TableOf(Language language) {
  static const std::vector<Table> tables = BuildTables();
  return tables[static_cast<size_t>(language)];
}

std::atomic<Language> g_language{Language::ru};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

std::span<const Catalogue* const> Catalogues() { return kCatalogues; }

const std::string& UiText(TextId id, Language language) {
  return TableOf(language).utf8[static_cast<size_t>(id)];
}
const std::string& UiText(TextId id) { return UiText(id, UiLanguage()); }
const std::u16string& UiText16(TextId id) {
  return TableOf(UiLanguage()).utf16[static_cast<size_t>(id)];
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 32);
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '{' && i + 2 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9' &&
        pattern[i + 2] == '}') {
      const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        out += args.begin()[n];
        i += 2;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string FormatText(TextId id, std::initializer_list<std::string_view> args) {
  return FormatText(UiText(id), args);
}

Language UiLanguage() { return g_language.load(std::memory_order_relaxed); }
void SetUiLanguage(Language language) { g_language.store(language, std::memory_order_relaxed); }

std::optional<Language> LanguageNamed(std::string_view code) {
  for (const Catalogue* catalogue : kCatalogues) {
    const std::string_view name = catalogue->code;
    if (name.size() != code.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size(); ++i) same = same && Lower(code[i]) == name[i];
    if (same) return catalogue->language;
  }
  return std::nullopt;
}

Language ChooseUiLanguage(std::uint16_t userInterfaceLanguage, std::string_view setting) {
  if (const std::optional<Language> chosen = LanguageNamed(setting)) return *chosen;
  constexpr std::uint16_t kPrimaryRussian = 0x19;
  return (userInterfaceLanguage & 0x3FF) == kPrimaryRussian ? Language::ru : Language::en;
}

}  // namespace zv
