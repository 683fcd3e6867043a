#pragma once
// The toolkit's number and colour conversions. A text that does not convert
// raises ConversionError, whose message names the value, so whoever catches
// it can say which key of which file was wrong.

#include <QString>
#include <optional>
#include <stdexcept>

namespace tobrina {

class ConversionError final : public std::runtime_error {
 public:
  explicit ConversionError(const QString& message);
  const QString& text() const { return text_; }

 private:
  QString text_;
};

// A 32-bit integer: optional blanks, an optional sign, then decimal digits or
// "$" or "0x" and hexadecimal digits. "'abc' is not a valid integer value".
int ParseInt(const QString& text);

// Like ParseInt, but the default for a text that does not convert.
int ParseIntOr(const QString& text, int fallback);

}  // namespace tobrina
