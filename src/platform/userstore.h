#pragma once
// The per-user store of named strings that stands in for the registry of the
// current user. Key paths are registry-style ("\Software\Tobrina\Main"); key
// paths and value names compare without regard to case, as the registry's
// do. The store is an INI file under the XDG config folder; every write is
// synced at once through an atomic replace of the file, so a crash never
// loses what was stored before.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSettings;

namespace tobrina {

class UserStore final {
 public:
  explicit UserStore(const QString& filePath);
  ~UserStore();
  UserStore(const UserStore&) = delete;
  UserStore& operator=(const UserStore&) = delete;

  // The store in use: "tobrina/user-state.ini" under the XDG config folder.
  static UserStore& Instance();
  // Replaces the store in use (tests point it at a temporary file).
  static void Install(std::unique_ptr<UserStore> store);
  static QString DefaultFilePath();

  std::optional<QString> read(const QString& keyPath, const QString& name) const;
  bool write(const QString& keyPath, const QString& name, const QString& value);
  bool remove(const QString& keyPath, const QString& name);
  bool keyExists(const QString& keyPath) const;
  QStringList valueNames(const QString& keyPath) const;
  QString filePath() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace tobrina
