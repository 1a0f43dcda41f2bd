#include "ProfileStore.h"

#include <QSettings>
#include <QVariant>

namespace pemrix {

namespace {

const char* const kCompany = "Brantel Software";
const char* const kApplication = "pemrix";

QString ValuePath(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

bool WriteValue(const QString& path, const QString& valuePath, const QVariant& value)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(valuePath, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

ProfileStore ProfileStore::ForCurrentUser()
{
    const QSettings located(QSettings::IniFormat, QSettings::UserScope, kCompany, kApplication);
    return ProfileStore(located.fileName());
}

ProfileStore::ProfileStore(QString iniPath) : m_strPath(std::move(iniPath)) {}

std::uint32_t ProfileStore::GetProfileInt(const QString& section, const QString& key,
                                          std::uint32_t defaultValue) const
{
    const QSettings settings(m_strPath, QSettings::IniFormat);
    const QVariant value = settings.value(ValuePath(section, key));
    if (!value.isValid() || settings.status() != QSettings::NoError)
        return defaultValue;
    // Stored as the unsigned decimal text; a hand-edited negative or oversized number, or
    // anything else that does not read as a 32-bit value, counts as unreadable.
    bool ok = false;
    const qulonglong number = value.toString().trimmed().toULongLong(&ok);
    if (!ok || number > 0xFFFFFFFFull)
        return defaultValue;
    return static_cast<std::uint32_t>(number);
}

bool ProfileStore::WriteProfileInt(const QString& section, const QString& key,
                                   std::uint32_t value) const
{
    return WriteValue(m_strPath, ValuePath(section, key), QVariant::fromValue<uint>(value));
}

QString ProfileStore::GetProfileString(const QString& section, const QString& key,
                                       const QString& defaultValue) const
{
    const QSettings settings(m_strPath, QSettings::IniFormat);
    const QVariant value = settings.value(ValuePath(section, key));
    if (!value.isValid() || settings.status() != QSettings::NoError)
        return defaultValue;
    return value.toString();
}

bool ProfileStore::WriteProfileString(const QString& section, const QString& key,
                                      const QString& value) const
{
    return WriteValue(m_strPath, ValuePath(section, key), value);
}

} // namespace pemrix
