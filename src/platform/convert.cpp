#include "platform/convert.h"

#include <limits>

namespace tobrina {

ConversionError::ConversionError(const QString& message)
    : std::runtime_error(message.toStdString()), text_(message) {}

namespace {

std::optional<int> TryParseInt(const QString& text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && text[i] == u' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  int base = 10;
  if (i < n && text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == n) return std::nullopt;
  quint64 value = 0;
  for (; i < n; ++i) {
    const int digit = QChar(text[i]).isDigit() && text[i].unicode() < 128 ? text[i].unicode() - u'0'
                      : base == 16 && text[i].toLower() >= u'a' && text[i].toLower() <= u'f'
                          ? text[i].toLower().unicode() - u'a' + 10
                          : -1;
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (base == 16) {
    // Hexadecimal is a 32-bit pattern: $FFFFFFFF is -1.
    const auto bits = static_cast<quint32>(negative ? 0 - value : value);
    return static_cast<int>(bits);
  }
  if (negative) {
    if (value > quint64(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    return static_cast<int>(-static_cast<qint64>(value));
  }
  if (value > quint64(std::numeric_limits<int>::max())) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

int ParseInt(const QString& text) {
  if (const auto v = TryParseInt(text)) return *v;
  throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

int ParseIntOr(const QString& text, int fallback) { return TryParseInt(text).value_or(fallback); }

}  // namespace tobrina
