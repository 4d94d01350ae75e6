#include "store/fuzz_entry_points.h"
#include "support/store_fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

// The seed corpus of every fuzz target goes through the same entry point as the fuzzer.
TEST(FuzzCorpus, EverySeedPassesItsDecoder)
{
    const QDir corpus(QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../tools/fuzz/corpus")));
    ASSERT_TRUE(corpus.exists()) << corpus.path().toStdString();
    for (const FuzzEntryPoint &entry : FuzzEntryPoints) {
        const QDir seeds(corpus.filePath(QString::fromLatin1(entry.name)));
        const QStringList files = seeds.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(files.isEmpty()) << entry.name;
        for (const QString &file : files)
            EXPECT_TRUE(entry.run(readFile(seeds.filePath(file)))) << entry.name << "/" << file.toStdString();
    }
}
