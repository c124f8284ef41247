// The catalogue answer cache: keys, age limit, storing over an older answer,
// clearing, and a folder that cannot be made.

#include "catalogue/cache/catalogue_cache.h"
#include "tests/core/key_echo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ce {
namespace {

TEST(CatalogueCache, KeysAgeStoreAndClear)
{
    QTemporaryDir dir;
    const test::KeyEcho lang;
    const CatalogueCache cache(dir.path() + QStringLiteral("/cache"));  // made on first store

    // The key depends on the source and on the query, not on anything else.
    const QString key = CatalogueCache::keyFor("vizier-usnoa2", "/viz-bin/asu-tsv?-c=1+2");
    EXPECT_EQ(key, CatalogueCache::keyFor("vizier-usnoa2", "/viz-bin/asu-tsv?-c=1+2"));
    EXPECT_NE(key, CatalogueCache::keyFor("vizier-gaiadr3", "/viz-bin/asu-tsv?-c=1+2"));
    EXPECT_NE(key, CatalogueCache::keyFor("vizier-usnoa2", "/viz-bin/asu-tsv?-c=1+3"));
    EXPECT_EQ(key.size(), 44);

    const QDateTime now = QDateTime::currentDateTimeUtc();
    EXPECT_FALSE(cache.lookup(key, 30, now));
    ASSERT_TRUE(cache.store(key, "first", lang));
    ASSERT_TRUE(cache.store(key, "answer\r\n\0bytes", lang));
    EXPECT_EQ(cache.lookup(key, 30, now).value_or("none"), QByteArray("answer\r\n\0bytes"));
    // Older than the age allowed, or an age of 0: not served.
    EXPECT_TRUE(cache.lookup(key, 30, now.addDays(29)));
    EXPECT_FALSE(cache.lookup(key, 30, now.addDays(31)));
    EXPECT_FALSE(cache.lookup(key, 0, now));

    ASSERT_TRUE(cache.store(CatalogueCache::keyFor("service", "/x"), "other", lang));
    QFile stray(cache.folder() + QStringLiteral("/notes.md"));  // not an answer: left alone
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    const Result<int> cleared = cache.clear(lang);
    ASSERT_TRUE(cleared);
    EXPECT_EQ(*cleared, 2);
    EXPECT_FALSE(cache.lookup(key, 30, now));
    EXPECT_TRUE(QFile::exists(stray.fileName()));
    EXPECT_EQ(*CatalogueCache(dir.path() + QStringLiteral("/none")).clear(lang), 0);

    // A cache folder that cannot be made (its parent is a file) is named.
    const QString underFile = stray.fileName() + QStringLiteral("/cache");
    EXPECT_EQ(test::spoken(CatalogueCache(underFile).store(key, "x", lang).error()),
              QStringLiteral("file.folder_failed|") + underFile);
}

}  // namespace
}  // namespace ce
