#pragma once
// The program's error types. Every error is an exception carrying the exact text that the
// application's error handler shows; the class only says what kind of failure it was.
#include <stdexcept>
#include <string>

#include "ui/lang/texts.h"

namespace zv {

// Base of all of the program's errors. The message is UTF-8 text.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A text that does not convert to a number, a Boolean or a date.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A list index out of range ("List index out of bounds (%d)").
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// A key of a cell address that is neither a keyword, a column name nor a number.
class EVariantError : public Exception {
 public:
  using Exception::Exception;
};

// An input/output failure on a local file ("File access denied", "Disk full", ...).
class EInOutError : public Exception {
 public:
  EInOutError(const std::string& message, int code) : Exception(message), ErrorCode(code) {}
  int ErrorCode;
};

// A failed write of the settings file ("Unable to write to %s").
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

// A decoding error of the JPEG library ("JPEG error #%d").
class EJPEG : public Exception {
 public:
  EJPEG(const std::string& message, int code) : Exception(message), Code(code) {}
  int Code;
};

// Any other failure reported by the operating system.
class EOSError : public Exception {
 public:
  using Exception::Exception;
};

// Builds "List index out of bounds (%d)".
inline EListError ListIndexError(int index) {
  return EListError(FormatText(TextId::ListIndexOutOfBounds, {std::to_string(index)}));
}

// The text of a local file error, as the runtime words it, for an operating-system error code.
std::string InOutErrorText(int code);

// The message that the application's error box shows: a "." is appended when the last byte of
// the message orders after the full stop (a letter or a digit, not a closing parenthesis).
std::string ErrorBoxText(const std::string& message);

}  // namespace zv
