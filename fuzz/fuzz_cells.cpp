// The grid cells' text conversions on any text and any number: a parse either gives a value or
// throws EConvertError quoting the text (nothing else escapes), and what the formatters write
// parses back to the same value (integers and Booleans exactly, floats to 15 significant digits,
// date-times to the second).
#include <cmath>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "gridview/conversions.h"
#include "ui/text.h"

using namespace zv;
using namespace zv::fuzz;

namespace {

std::u16string Wide(const std::string& cp1251) { return Cp1251ToUtf16(cp1251); }

// Runs a parse; false when it threw EConvertError, whose message must be
// "'<quoted>' <tail>".
template <typename F>
bool Parses(const std::string& quoted, const char* tail, F&& parse) {
  try {
    parse();
    return true;
  } catch (const EConvertError& e) {
    const std::string expected = "'" + quoted + "' " + tail;
    ZV_FUZZ_CHECK(e.what() == expected,
                  std::string("message \"") + e.what() + "\", not \"" + expected + "\"");
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  Input in(data, size);
  const std::int32_t number = std::int32_t(in.U32());
  std::uint64_t bits = std::uint64_t(in.U32()) | std::uint64_t(in.U32()) << 32;
  double real;
  std::memcpy(&real, &bits, sizeof real);
  // Cell texts never hold a zero byte (phone names end at the first one), and an error's text is
  // a C string.
  std::string rest = in.Rest();
  std::erase(rest, '\0');
  const std::u16string text = Wide(rest);
  const std::string quoted = Utf16ToUtf8(text);

  // Integers.
  ZV_FUZZ_CHECK(TextToInteger(IntegerToText(number)) == number, "integer round trip");
  int parsed = 0;
  if (Parses(quoted, "is not a valid integer value", [&] { parsed = TextToInteger(text); }))
    ZV_FUZZ_CHECK(TextToInteger(IntegerToText(parsed)) == parsed, "parsed integer round trip");

  // Booleans.
  for (bool b : {false, true}) ZV_FUZZ_CHECK(TextToBoolean(BooleanToText(b)) == b, "Boolean");
  Parses(quoted, "is not a valid boolean value", [&] { (void)TextToBoolean(text); });

  // Floats.
  // Below 1,79769313486232E308: a double within 15 significant digits of the largest one
  // formats as that text, which is past the largest double and does not parse back.
  if (std::isfinite(real) && std::fabs(real) < 1.797693134862315e308) {
    const double back = TextToFloat(FloatToText(real));
    ZV_FUZZ_CHECK(back == real || std::fabs(back - real) <= 1e-14 * std::fabs(real),
                  "float round trip of " + Utf16ToUtf8(FloatToText(real)));
  }
  double f = 0;
  if (Parses(quoted, "is not a valid floating point value", [&] { f = TextToFloat(text); }) &&
      std::isfinite(f) && std::fabs(f) < 1.797693134862315e308) {
    const double again = TextToFloat(FloatToText(f));
    ZV_FUZZ_CHECK(again == f || std::fabs(again - f) <= 1e-14 * std::fabs(f),
                  "parsed float round trip");
  }
  // Rounding: within half of the value, or refused.
  int rounded = 0;
  if (Parses(Utf16ToUtf8(FloatToText(real)), "is not a valid integer value",
             [&] { rounded = RoundToInteger(real); }))
    ZV_FUZZ_CHECK(std::fabs(double(rounded) - real) <= 0.5, "rounded too far");
  else
    ZV_FUZZ_CHECK(!(std::fabs(real) < 2147483647.0), "a 32-bit value refused");

  // Date-times: the two parses agree, and what the formatter writes comes back to the second.
  TDateTime tried = 0;
  const bool ok = TryTextToDateTime(text, tried);
  TDateTime thrown = 0;
  const bool parsedDate =
      Parses(quoted, "is not a valid date and time", [&] { thrown = TextToDateTime(text); });
  ZV_FUZZ_CHECK(ok == parsedDate && (!ok || tried == thrown), "the two date parses disagree");
  // Days from 1.1.1900 to 31.12.2099, any time of day.
  const TDateTime day =
      2.0 + double(std::uint32_t(number) % 73049u) + double(std::uint32_t(bits) % 86400u) / 86400.0;
  TDateTime back = 0;
  ZV_FUZZ_CHECK(TryTextToDateTime(DateTimeToText(day), back), "a formatted date-time refused");
  ZV_FUZZ_CHECK(std::fabs(back - day) < 1.0 / 86400.0 + 1e-9,
                "date-time round trip of " + Utf16ToUtf8(DateTimeToText(day)));
  return 0;
}
