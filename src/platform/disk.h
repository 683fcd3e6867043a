#pragma once
// Loose files on disk. The collection names its files the Windows way, with
// "\" separators and in any letter case; here those names are mapped to "/"
// and each path component not found as written is matched without regard to
// case, so a collection authored on a case-blind file system still works.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tobrina {

// "\" and "/" both separate folders on this platform.
inline bool IsPathSeparator(QChar c) { return c == u'\\' || c == u'/'; }

// A name whose second character is ":" (a drive path, as descriptions written
// for Windows have them) or that starts with "/" names a file from the root;
// every other name is relative.
bool IsRootedName(QStringView name);

// The name with every "\" turned into "/".
QString NativePath(QStringView name);

// The native path of the existing regular file that the name designates
// (relative names count from the current folder), letter case ignored where
// the exact spelling does not exist; empty when there is none.
QString FindDiskFile(QStringView name);
inline bool DiskFileExists(QStringView name) { return !FindDiskFile(name).isEmpty(); }

// Same for a folder.
QString FindDiskFolder(QStringView name);

// The whole content of the file, or nullopt when it cannot be found or read.
std::optional<QByteArray> ReadDiskFile(QStringView name);

}  // namespace tobrina
