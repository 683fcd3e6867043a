#pragma once
// Calls into the operating system: drive kind, default printer, the per-user
// data folder, the desktop wallpaper, the desktop's opener, JPEG encoding.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tobrina {

enum DriveKindValue : int {
  kDriveFixed = 0,
  kDriveCdRom = 1,
  kDriveRemovable = 2,
  kDriveRemote = 3,
  kDriveRam = 4,
};

// The kind of file system that holds the path, from the mount table: an
// optical file system (iso9660, udf) is a CD-ROM, network file systems are
// remote, tmpfs and ramfs are RAM disks, a device that the kernel marks
// removable is removable, anything else fixed.
int DriveKind(const QString& path);
// Same, from a given mount table text (the format of /proc/self/mounts);
// removable(device) tells whether a block device is removable.
int DriveKindFromMounts(const QByteArray& mountTable, const QString& path,
                        bool (*removable)(const QString& device) = nullptr);
int ExeDriveKind();

// The default printer's name (at most 255 characters), empty when none.
QString DefaultPrinterDevice();
// False when a default printer exists; otherwise shows the message (when not
// empty) in the themed message box and returns true.
bool NoPrinter(const QString& message);

// The per-user data folder of the reader (created when missing), with a
// trailing separator: where files such as the wallpaper picture are written.
QString WindowsFolder();

// The programs that make a picture the wallpaper of the named desktop
// (XDG_CURRENT_DESKTOP's lower-cased entries); none for an unknown desktop.
std::vector<QStringList> WallpaperCommands(const QStringList& desktops, const QString& picturePath, bool tile);
// Records the wallpaper in the user store and asks the running desktop to
// show it; a desktop it does not know, or a command that fails, gets a message.
bool SetWallpaper(const QString& picturePath, bool tile);

// Applies a verb ("open", "edit") to a file or URL: a program is started with
// the parameters split into an argument list (never through a shell); a
// document or a web or mail address goes to the desktop's opener. A target
// that is neither an existing file nor a known URL scheme is refused with a
// message.
bool ShellOpen(const QString& file, const QString& parameters, const QString& verb);

// The picture compressed as JPEG at the given quality; none for no picture.
std::optional<QByteArray> JpegFromBitmap(const QImage& bitmap, int quality);

}  // namespace tobrina
