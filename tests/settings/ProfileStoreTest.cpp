#include "settings/ProfileStore.h"

#include "settings/ProfileKeys.h"
#include "settings/StoredEepromType.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pemrix {
namespace {

class ProfileStoreTest : public ::testing::Test
{
protected:
    QTemporaryDir m_dir;
    QString Path() const { return m_dir.filePath(QStringLiteral("pemrix.ini")); }
};

TEST_F(ProfileStoreTest, EmptyStoreGivesEveryDefault)
{
    const ProfileStore store(Path());
    EXPECT_EQ(store.GetProfileInt(profile::kSection, profile::kEepromType, 2), 2u);
    EXPECT_EQ(store.GetProfileInt(profile::kSection, profile::kParallelPort, 888), 888u);
    EXPECT_EQ(store.GetProfileString(profile::kSection, profile::kFontFace,
                                     QStringLiteral("Courier New")),
              QStringLiteral("Courier New"));
    EXPECT_EQ(ReadStoredEepromType(store).name, "93C56");
}

TEST_F(ProfileStoreTest, WritesReachTheFileAndASecondStoreSeesThem)
{
    const ProfileStore writer(Path());
    const ProfileStore reader(Path());
    ASSERT_TRUE(writer.WriteProfileInt(profile::kSection, profile::kEepromType, 6));
    ASSERT_TRUE(writer.WriteProfileString(profile::kSection, QStringLiteral("WatchName3"),
                                          QStringLiteral("Serial no")));
    EXPECT_TRUE(QFile::exists(Path()));
    EXPECT_EQ(reader.GetProfileInt(profile::kSection, profile::kEepromType, 2), 6u);
    EXPECT_EQ(reader.GetProfileString(profile::kSection, QStringLiteral("WatchName3"), {}),
              QStringLiteral("Serial no"));
    // A later write by the other store is seen at the next read, nothing is cached.
    ASSERT_TRUE(reader.WriteProfileInt(profile::kSection, profile::kEepromType, 1));
    EXPECT_EQ(writer.GetProfileInt(profile::kSection, profile::kEepromType, 2), 1u);
}

TEST_F(ProfileStoreTest, IntegersAreUnsigned32Bit)
{
    const ProfileStore store(Path());
    ASSERT_TRUE(store.WriteProfileInt(profile::kSection, profile::kCustomPort, 0xFFFFFFFFu));
    EXPECT_EQ(store.GetProfileInt(profile::kSection, profile::kCustomPort, 0), 0xFFFFFFFFu);
}

TEST_F(ProfileStoreTest, UnreadableValuesGiveTheDefault)
{
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[2.0]\nEEPROM%20TYPE=lots\nPARALLEL%20PORT=-5\nCUSTOM%20PORT=99999999999\n");
    file.close();
    const ProfileStore store(Path());
    EXPECT_EQ(store.GetProfileInt(profile::kSection, profile::kEepromType, 2), 2u);
    EXPECT_EQ(store.GetProfileInt(profile::kSection, profile::kParallelPort, 888), 888u);
    EXPECT_EQ(store.GetProfileInt(profile::kSection, profile::kCustomPort, 0), 0u);
}

TEST_F(ProfileStoreTest, StoredTypeOutsideTheTableCountsAsTheDefault)
{
    const ProfileStore store(Path());
    for (std::uint32_t code : {0u, 7u, 1000u}) {
        store.WriteProfileInt(profile::kSection, profile::kEepromType, code);
        EXPECT_EQ(ReadStoredEepromType(store).code, 2u);
    }
    store.WriteProfileInt(profile::kSection, profile::kEepromType, 3);
    EXPECT_EQ(ReadStoredEepromType(store).name, "93C57");
}

TEST_F(ProfileStoreTest, AStoreThatCannotBeWrittenFailsAndReadsDefaults)
{
    // A regular file where the store's folder should be: nothing can be created below it.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ProfileStore store(m_dir.filePath(QStringLiteral("blocker/pemrix.ini")));
    EXPECT_FALSE(store.WriteProfileInt(profile::kSection, profile::kEepromType, 4));
    EXPECT_EQ(store.GetProfileInt(profile::kSection, profile::kEepromType, 2), 2u);
}

} // namespace
} // namespace pemrix
