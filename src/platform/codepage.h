#pragma once
// The 8-bit code page of the collection's files (windows-1251) and the
// decoding rule for text files: UTF-8 when the file starts with a UTF-8 byte
// order mark, windows-1251 otherwise.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tobrina {

// Decodes windows-1251 bytes. Every byte has a character, so this never fails.
QString DecodeCp1251(QByteArrayView bytes);

// Encodes to windows-1251; nullopt when a character has no windows-1251 byte.
std::optional<QByteArray> EncodeCp1251(QStringView text);

// Encodes to windows-1251, putting '?' for characters the code page lacks.
QByteArray EncodeCp1251Lossy(QStringView text);

// A text file's bytes as text: a leading UTF-8 byte order mark selects UTF-8
// (the mark itself is dropped), anything else is windows-1251.
QString DecodeTextFile(QByteArrayView bytes);

// Lower-casing and case-blind comparison as the code page does it.
QString LowerText(QStringView text);
bool SameText(QStringView a, QStringView b);

}  // namespace tobrina
