// Every text the user sees comes from the catalogues (src/ui/lang), so that it shows in the
// window's language. The program's sources are scanned for string literals that reach a message
// box, an error, a caption, a control's or a panel's text, and for Cyrillic letters in any
// literal outside the catalogues.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace zv {
namespace {

// Calls whose arguments the user sees: the message boxes, errors (exceptions carry the text of
// the error box, and Fail... and Throw... helpers make them), captions, control and panel texts,
// the busy indicator's tip.
const std::regex kSink(
    "^(Show\\w*|Ask\\w*|SetCaption|SetText|SetPanelText|SetHint|SetTip|Exception|E[A-Z]\\w*|"
    "Fail\\w*|Throw\\w*)$");
// Fields that a control shows, assigned directly.
const std::regex kShownField("^(DialogText|Hint|Caption|Tip)$");

// Texts that are the same in every language.
bool Universal(const std::string& literal) { return literal == "Zarvelinthoscope"; }

bool HasLetter(const std::string& s) {
  for (unsigned char c : s)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80) return true;
  return false;
}

// A Cyrillic letter in UTF-8 (U+0400 to U+04FF: lead bytes 0xD0 to 0xD3).
bool HasCyrillic(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0xD0 && c <= 0xD3) return true;
  return false;
}

std::string IdentifierBefore(const std::string& code, size_t end) {
  while (end > 0 && code[end - 1] == ' ') --end;
  size_t begin = end;
  while (begin > 0 &&
         (std::isalnum(static_cast<unsigned char>(code[begin - 1])) || code[begin - 1] == '_'))
    --begin;
  return code.substr(begin, end - begin);
}

// The user-visible literals of one source text that no catalogue gives, as "line: literal".
// Cyrillic literals are allowed only when cyrillicAllowed (data such as month folder names).
std::vector<std::string> LiteralsOutsideCatalogues(const std::string& source,
                                                   bool cyrillicAllowed) {
  std::vector<std::string> found;
  // The code with comments blanked, and each literal's text and place.
  std::string code;
  struct Literal {
    size_t at;
    int line;
    std::string text;
  };
  std::vector<Literal> literals;
  int line = 1;
  for (size_t i = 0; i < source.size();) {
    const char c = source[i];
    if (c == '\n') ++line;
    if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
      while (i < source.size() && source[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < source.size() && source[i + 1] == '*') {
      i += 2;
      while (i + 1 < source.size() && !(source[i] == '*' && source[i + 1] == '/')) {
        if (source[i] == '\n') ++line;
        ++i;
      }
      i += 2;
      continue;
    }
    if (c == '\'' || c == '"') {
      std::string text;
      size_t j = i + 1;
      while (j < source.size() && source[j] != c) {
        if (source[j] == '\\' && j + 1 < source.size()) text += source[j++];
        text += source[j++];
      }
      if (c == '"') literals.push_back({code.size(), line, text});
      code += c == '"' ? "\"\"" : "' '";
      i = j + 1;
      continue;
    }
    code += c;
    ++i;
  }
  for (const Literal& literal : literals) {
    if (!HasLetter(literal.text) || Universal(literal.text)) continue;
    bool shown = HasCyrillic(literal.text) && !cyrillicAllowed;
    // Out through the brackets around the literal to the start of its statement: a call there
    // whose name is a sink shows the literal.
    int depth = 0;
    size_t statement = 0;
    for (size_t k = literal.at; k-- > 0;) {
      const char c = code[k];
      if (c == ')' || c == '}' || c == ']') {
        ++depth;
        continue;
      }
      if (depth > 0) {
        if (c == '(' || c == '{' || c == '[') --depth;
        continue;
      }
      if (c == ';') {
        statement = k + 1;
        break;
      }
      if (c == '{') {
        // An initialiser list goes on outward; a block starts the statement.
        size_t p = k;
        while (p > 0 && std::isspace(static_cast<unsigned char>(code[p - 1]))) --p;
        const char before = p > 0 ? code[p - 1] : ';';
        if (before == '(' || before == ',' || before == '=' || before == '{') continue;
        statement = k + 1;
        break;
      }
      if (c == '(' && std::regex_match(IdentifierBefore(code, k), kSink)) shown = true;
    }
    // Field = "...": a text that a control shows.
    const size_t eq = code.find('=', statement);
    if (eq != std::string::npos && eq < literal.at && code[eq + 1] != '=' &&
        std::string("=!<>").find(code[eq - 1]) == std::string::npos &&
        std::regex_match(IdentifierBefore(code, eq), kShownField))
      shown = true;
    if (shown) found.push_back(std::to_string(literal.line) + ": \"" + literal.text + "\"");
  }
  return found;
}

// The scan itself, on sources written for it: what it must find and what it must let pass.
TEST(SourceTexts, TheScanFindsShownLiteralsAndPassesTheRest) {
  const struct {
    const char* source;
    bool cyrillicAllowed;
    std::vector<std::string> found;
  } cases[] = {
      {"boxes.ShowMessage(\"Done!\");", false, {"1: \"Done!\""}},
      {"throw EOSError(\"Cannot \" + std::to_string(n) + \")\");", false, {"1: \"Cannot \""}},
      {"x();\nthrow Exception(Join(\"a\", {name, \"b\"}));", false, {"2: \"a\"", "2: \"b\""}},
      {"panel.SetText(UiText(TextId::Found) + \"---\");", false, {}},
      {"Label1.SetCaption(UiText(TextId::ProfileLabel));", false, {}},
      {"SetCaption(\"Zarvelinthoscope\");", false, {}},
      {"edit.DialogText = \"Pick one\";", false, {"1: \"Pick one\""}},
      {"if (a == \"x\") f(\"y\");", false, {}},
      {"// boxes.ShowMessage(\"in a comment\");\nLoad(L\"user32.dll\");", false, {}},
      {"/* ShowError(\"x\"); */ char q = '\"'; Load(\"p2kapi.dll\");", false, {}},
      {"const char* kMonths[] = {\"Январь\"};", true, {}},
      {"const char* kMonths[] = {\"Январь\"};", false, {"1: \"Январь\""}},
      {"void Show() {\n  Run(\"x\");\n}", false, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LiteralsOutsideCatalogues(c.source, c.cyrillicAllowed), c.found) << c.source;
}

TEST(SourceTexts, NoUserVisibleTextOfTheProgramIsLeftOutsideTheCatalogues) {
  const std::filesystem::path src = std::filesystem::path(ZV_SOURCE_DIR) / "src";
  // Names of the archive's folders in Russian: the archive's data, not the window's language.
  const std::filesystem::path data = src / "archive" / "folder_scheme.cpp";
  int scanned = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
    const std::filesystem::path& file = entry.path();
    if (file.extension() != ".cpp" && file.extension() != ".h") continue;
    if (file.parent_path() == src / "ui" / "lang") continue;  // the catalogues
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ++scanned;
    for (const std::string& literal : LiteralsOutsideCatalogues(text.str(), file == data))
      ADD_FAILURE() << file.lexically_relative(src).string() << ":" << literal;
  }
  EXPECT_GT(scanned, 100);
}

}  // namespace
}  // namespace zv
