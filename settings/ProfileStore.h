#pragma once

#include <QString>

#include <cstdint>

namespace pemrix {

// The program's only persistent state: named integers and strings under a section, in an INI
// file. Nothing is cached: every read opens the file as it is now (so another running
// instance's writes are seen) and every write reaches the file before it returns.
class ProfileStore
{
public:
    // The store at the user's configuration location.
    static ProfileStore ForCurrentUser();

    explicit ProfileStore(QString iniPath);

    const QString& FilePath() const { return m_strPath; }

    std::uint32_t GetProfileInt(const QString& section, const QString& key,
                                std::uint32_t defaultValue) const;
    bool WriteProfileInt(const QString& section, const QString& key, std::uint32_t value) const;
    QString GetProfileString(const QString& section, const QString& key,
                             const QString& defaultValue) const;
    bool WriteProfileString(const QString& section, const QString& key, const QString& value) const;

private:
    QString m_strPath;
};

} // namespace pemrix
