// Text conversions of the grid's cells (see conversions.h).
#include "gridview/conversions.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

// The message quotes the text as the user typed it, after the round trip through the code page.
[[noreturn]] void Fail(std::string_view ansi, TextId what) {
  throw EConvertError(FormatText(what, {Cp1251ToUtf8(ansi)}));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::u16string Wide(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

bool TryParseFloat(std::string_view ansi, double& value) {
  std::string_view s = Trim(ansi);
  std::string normal;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') normal += '-';
    ++i;
  }
  int digits = 0;
  while (i < s.size() && IsDigit(s[i])) normal += s[i++], ++digits;
  if (i < s.size() && s[i] == kDecimalSeparator) {
    normal += '.';
    ++i;
    while (i < s.size() && IsDigit(s[i])) normal += s[i++], ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    normal += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) normal += s[i++];
    int expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) normal += s[i++], ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != s.size()) return false;
  auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  return ec == std::errc() && end == normal.data() + normal.size() && std::isfinite(value);
}

// Days from 0000-03-01 based civil calendar (proleptic Gregorian).
constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long long kEpoch = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kDays[m - 1];
}

// Reads 1..maxDigits digits at s[i]; false when there is none.
bool ReadNumber(std::string_view s, size_t& i, int maxDigits, int& value, int& count) {
  value = 0;
  count = 0;
  while (i < s.size() && IsDigit(s[i]) && count < maxDigits)
    value = value * 10 + (s[i++] - '0'), ++count;
  return count > 0;
}

bool ParseDate(std::string_view s, int& y, int& m, int& d) {
  size_t i = 0;
  int n;
  if (!ReadNumber(s, i, 2, d, n) || i >= s.size() || s[i++] != kDateSeparator) return false;
  if (!ReadNumber(s, i, 2, m, n) || i >= s.size() || s[i++] != kDateSeparator) return false;
  if (!ReadNumber(s, i, 4, y, n) || i != s.size()) return false;
  if (n <= 2) y += y < 50 ? 2000 : 1900;
  return y >= 1 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

bool ParseTime(std::string_view s, int& h, int& mi, int& sec) {
  size_t i = 0;
  int n;
  sec = 0;
  if (!ReadNumber(s, i, 2, h, n) || i >= s.size() || s[i++] != kTimeSeparator) return false;
  if (!ReadNumber(s, i, 2, mi, n)) return false;
  if (i < s.size()) {
    if (s[i++] != kTimeSeparator || !ReadNumber(s, i, 2, sec, n) || i != s.size()) return false;
  }
  return h < 24 && mi < 60 && sec < 60;
}

double TimeFraction(int h, int mi, int s) { return (h * 3600.0 + mi * 60.0 + s) / 86400.0; }

std::string TwoDigits(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

}  // namespace

std::u16string BooleanToText(bool value) { return value ? u"True" : u"False"; }

bool TextToBoolean(std::u16string_view text) {
  std::string ansi = Utf16ToCp1251(text);
  double number;
  if (TryParseFloat(ansi, number)) return number != 0;
  if (EqualsIgnoringAsciiCase(ansi, "true")) return true;
  if (EqualsIgnoringAsciiCase(ansi, "false")) return false;
  Fail(ansi, TextId::NotABoolean);
}

std::u16string IntegerToText(int value) { return Wide(std::to_string(value)); }

int TextToInteger(std::u16string_view text) {
  std::string ansi = Utf16ToCp1251(text);
  std::string_view s = ansi;
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) Fail(ansi, TextId::NotAnInteger);
  long long v = 0;
  for (char c : s) {
    if (!IsDigit(c)) Fail(ansi, TextId::NotAnInteger);
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) Fail(ansi, TextId::NotAnInteger);
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) Fail(ansi, TextId::NotAnInteger);
  return static_cast<int>(v);
}

std::u16string FloatToText(double value) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value > 0 ? u"INF" : u"-INF";
  if (value == 0) return u"0";
  // 15 significant digits in scientific form give the digits and the decimal exponent.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  std::string sci(buf, res.ptr);
  std::string out;
  size_t pos = 0;
  if (sci[0] == '-') out += '-', pos = 1;
  size_t e = sci.find('e');
  std::string digits;
  for (size_t i = pos; i < e; ++i)
    if (IsDigit(sci[i])) digits += sci[i];
  int exponent = std::stoi(sci.substr(e + 1));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) out += kDecimalSeparator, out += digits.substr(1);
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent < 0) {
    out += '0';
    out += kDecimalSeparator;
    out += std::string(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      out += digits + std::string(intDigits - digits.size(), '0');
    } else {
      out += digits.substr(0, intDigits);
      out += kDecimalSeparator;
      out += digits.substr(intDigits);
    }
  }
  return Wide(out);
}

double TextToFloat(std::u16string_view text) {
  std::string ansi = Utf16ToCp1251(text);
  double v;
  if (!TryParseFloat(ansi, v)) Fail(ansi, TextId::NotAFloat);
  return v;
}

std::u16string DateToText(TDateTime value) {
  if (!std::isfinite(value) || std::fabs(value) > 2958465.0) return FloatToText(value);
  std::u16string text = DateTimeToText(value);
  return text.substr(0, text.find(u' '));
}

std::u16string DateTimeToText(TDateTime value) {
  // Outside years 1..9999 there is no calendar date to show: show the number.
  if (!std::isfinite(value) || value > 2958465.0 || value < -693593.0) return FloatToText(value);
  long long days = static_cast<long long>(std::trunc(value));
  long long ms = std::llround(std::fabs(value - static_cast<double>(days)) * 86400000.0);
  if (ms >= 86400000) {
    ms -= 86400000;
    days += value < 0 ? -1 : 1;
  }
  int y, m, d;
  CivilFromDays(kEpoch + days, y, m, d);
  char date[32];
  std::snprintf(date, sizeof date, "%02d%c%02d%c%04d", d, kDateSeparator, m, kDateSeparator, y);
  std::string out = date;
  long long seconds = ms / 1000;
  if (ms != 0) {
    out += ' ';
    out += TwoDigits(static_cast<int>(seconds / 3600)) + kTimeSeparator +
           TwoDigits(static_cast<int>(seconds / 60 % 60)) + kTimeSeparator +
           TwoDigits(static_cast<int>(seconds % 60));
  }
  return Wide(out);
}

bool TryTextToDateTime(std::u16string_view text, TDateTime& value) {
  std::string ansi = Utf16ToCp1251(text);
  std::string_view s = Trim(ansi);
  if (s.empty()) return false;
  size_t blank = s.find_first_of(" \t");
  int y, mo, d, h, mi, sec;
  if (blank == std::string_view::npos) {
    if (ParseDate(s, y, mo, d)) {
      value = EncodeDateTime(y, mo, d);
      return true;
    }
    if (ParseTime(s, h, mi, sec)) {
      value = TimeFraction(h, mi, sec);
      return true;
    }
    return false;
  }
  if (!ParseDate(s.substr(0, blank), y, mo, d) || !ParseTime(Trim(s.substr(blank)), h, mi, sec))
    return false;
  value = EncodeDateTime(y, mo, d, h, mi, sec);
  return true;
}

TDateTime TextToDateTime(std::u16string_view text) {
  TDateTime v;
  if (!TryTextToDateTime(text, v)) Fail(Utf16ToCp1251(text), TextId::NotADateTime);
  return v;
}

int RoundToInteger(double value) {
  double r = std::nearbyint(value);
  if (std::isnan(r) || r > INT_MAX || r < INT_MIN)
    Fail(Utf16ToCp1251(FloatToText(value)), TextId::NotAnInteger);
  return static_cast<int>(r);
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  double date = static_cast<double>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
  double time = TimeFraction(hour, minute, second);
  // Before the epoch the time of day counts away from zero, as the date-time type defines it.
  return date < 0 ? date - time : date + time;
}

TDateTime Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace zv
