#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "support/TestFolders.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// The sample catalog that `make run` opens: every line but the one whose file is
// missing has a full, sound series, and the list mixes the types it is meant to.
TEST(DataLibSampleCatalog, EveryListedSecurityHasItsSeries)
{
    const QByteArray list = ReadFileBytes(MOSGRID_SOURCE_DIR "/examples/sample.lst");
    ASSERT_FALSE(list.isEmpty());
    ASSERT_FALSE(list.startsWith("\xEF\xBB\xBF")) << "written without a byte-order mark";

    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(MOSGRID_SOURCE_DIR)); // sources are relative to it
    brasko::DataLibrary library(nullptr);
    QSet<int> types;
    int missing = 0;
    int lines = 0;
    for (const QByteArray& line : list.split('\n')) {
        if (line.isEmpty())
            continue;
        ++lines;
        const QList<QByteArray> fields = line.split(',');
        ASSERT_EQ(fields.size(), 4) << line.toStdString();
        types.insert(fields[0].toInt());
        const auto data = library.LoadData(fields[1].toStdString(), fields[2].toStdString(),
                                           fields[0].toInt());
        if (!data) {
            ++missing;
            continue;
        }
        EXPECT_TRUE(datalibtest::IsSoundSeries(data)) << line.toStdString();
        EXPECT_GT(data->Bars().size(), 300u) << line.toStdString();
        EXPECT_EQ(data->Bars().back().date, 20241230) << line.toStdString();
    }
    QDir::setCurrent(before);
    EXPECT_GE(lines, 20);
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(types, (QSet<int>{0, 1, 2, 3, 5}));
}

} // namespace
