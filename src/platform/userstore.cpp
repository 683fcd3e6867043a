#include "platform/userstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tobrina {
namespace {

std::unique_ptr<UserStore>& Current() {
  static std::unique_ptr<UserStore> store;
  return store;
}

// "\Software\Tobrina\Main" -> "software/tobrina/main"
QString GroupOf(const QString& keyPath) {
  QString path = keyPath.toLower();
  path.replace(u'\\', u'/');
  return path.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

QString KeyOf(const QString& keyPath, const QString& name) {
  const QString group = GroupOf(keyPath);
  // Value names may hold "/" or "\"; neither may split the key.
  QString value = name.toLower();
  value.replace(u'/', u'|').replace(u'\\', u'|');
  return group.isEmpty() ? value : group + u'/' + value;
}

}  // namespace

UserStore::UserStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {
  settings_->setAtomicSyncRequired(true);
}

UserStore::~UserStore() = default;

QString UserStore::DefaultFilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/tobrina/user-state.ini");
}

UserStore& UserStore::Instance() {
  auto& store = Current();
  if (!store) store = std::make_unique<UserStore>(DefaultFilePath());
  return *store;
}

void UserStore::Install(std::unique_ptr<UserStore> store) { Current() = std::move(store); }

std::optional<QString> UserStore::read(const QString& keyPath, const QString& name) const {
  const QVariant v = settings_->value(KeyOf(keyPath, name));
  if (!v.isValid()) return std::nullopt;
  return v.toString();
}

bool UserStore::write(const QString& keyPath, const QString& name, const QString& value) {
  QDir().mkpath(QFileInfo(settings_->fileName()).absolutePath());
  settings_->setValue(KeyOf(keyPath, name), value);
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

bool UserStore::remove(const QString& keyPath, const QString& name) {
  settings_->remove(KeyOf(keyPath, name));
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

bool UserStore::keyExists(const QString& keyPath) const {
  const QString group = GroupOf(keyPath);
  if (group.isEmpty()) return true;
  settings_->beginGroup(group);
  const bool exists = !settings_->allKeys().isEmpty();
  settings_->endGroup();
  return exists;
}

QStringList UserStore::valueNames(const QString& keyPath) const {
  settings_->beginGroup(GroupOf(keyPath));
  const QStringList names = settings_->childKeys();
  settings_->endGroup();
  return names;
}

QString UserStore::filePath() const { return settings_->fileName(); }

}  // namespace tobrina
