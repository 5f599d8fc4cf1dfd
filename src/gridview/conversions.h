#pragma once
// Text conversions of the grid's cells: Boolean, integer, float and date-time text, as a Russian
// Windows user sees them (decimal comma, dd.mm.yyyy, hh:mm:ss). Parsing and formatting work on
// Windows-1251 text: wide text is converted to it first, and the error messages quote it.
// Failed parses throw EConvertError with the platform's texts.
#include <string>
#include <string_view>

#include "gridview/grid_types.h"

namespace zv {

constexpr char kDecimalSeparator = ',';
constexpr char kDateSeparator = '.';
constexpr char kTimeSeparator = ':';

// "True" or "False".
std::u16string BooleanToText(bool value);
// A number (zero False, anything else True) or "True"/"False" in any letter case; otherwise
// "'%s' is not a valid boolean value".
bool TextToBoolean(std::u16string_view text);

std::u16string IntegerToText(int value);
// Decimal, optional sign, 32-bit; otherwise "'%s' is not a valid integer value".
int TextToInteger(std::u16string_view text);

// General format, up to 15 significant digits, decimal comma, "E" exponents ("1,5E-7").
std::u16string FloatToText(double value);
// Optional blanks around, sign, digits with a decimal comma, exponent; otherwise
// "'%s' is not a valid floating point value" (empty text too).
double TextToFloat(std::u16string_view text);

// "dd.mm.yyyy", then " hh:mm:ss" unless the time is midnight.
std::u16string DateTimeToText(TDateTime value);
// "dd.mm.yyyy" of the date part.
std::u16string DateToText(TDateTime value);
// A date ("d.m.yyyy" or "d.m.yy"), a time ("h:m" or "h:m:s"), or a date, blanks and a time;
// otherwise "'%s' is not a valid date and time".
TDateTime TextToDateTime(std::u16string_view text);
bool TryTextToDateTime(std::u16string_view text, TDateTime& value);

// Nearest integer, halves to the even neighbour. Values outside the 32-bit range (and NaN) fail
// with "'%s' is not a valid integer value" quoting the float text.
int RoundToInteger(double value);

// Today's local date at 00:00.
TDateTime Today();
// The date-time of a calendar date and time of day.
TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0);

}  // namespace zv
