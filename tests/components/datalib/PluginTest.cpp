#include "DataLibTestSupport.h"

#include "support/TestFolders.h"

#include <QJsonObject>
#include <QPluginLoader>

#include <gtest/gtest.h>

namespace {

// The program finds the data library as the built plugin in its components folder.
TEST(DataLibPlugin, LoadsByItsProgIdAndReadsPrices)
{
    QPluginLoader loader(BuiltProgramDir() + "/components/libbrasko.so");
    const QJsonObject meta = loader.metaData();
    EXPECT_EQ(meta.value("IID").toString(), QUOREX_DATA_LIBRARY_IID);
    EXPECT_EQ(meta.value("MetaData").toObject().value("ProgId").toString(),
              quorex::kDataLibraryProgId);

    auto* factory = qobject_cast<quorex::IDataLibraryFactory*>(loader.instance());
    ASSERT_NE(factory, nullptr) << loader.errorString().toStdString();
    const std::unique_ptr<quorex::IDataLibrary> library = factory->CreateDataLibrary();
    ASSERT_NE(library, nullptr);

    const std::string sample = MOSGRID_SOURCE_DIR "/examples/data";
    const quorex::PriceDataPtr data = library->LoadData(sample, "1301", 0);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(datalibtest::IsSoundSeries(data));

    // A second library of the same plugin shares the parsed series.
    const auto again = factory->CreateDataLibrary()->LoadData(sample, "1301", 0);
    EXPECT_EQ(again, data);
}

} // namespace
