// A data library plugin for the loader tests: code "1" has one bar, every other code none.
#include "QuorexComponents.h"

#include <QObject>

#include <vector>

#ifdef NEEDS_MISSING_DEPENDENCY
int MissingDependencyAnswer();
#endif

namespace {

class OneBar : public quorex::IPriceData {
public:
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars{{20240105, 10, 12, 9, 11, 1000}};
};

class Library : public quorex::IDataLibrary {
public:
    quorex::PriceDataPtr LoadData(const std::string&, const std::string& code,
                                  std::int32_t) override
    {
        return code == "1" ? std::make_shared<OneBar>() : nullptr;
    }
};

} // namespace

class TestDataLibraryPlugin : public QObject, public quorex::IDataLibraryFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUOREX_DATA_LIBRARY_IID FILE "testdatalib.json")
    Q_INTERFACES(quorex::IDataLibraryFactory)
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override
    {
#ifdef NEEDS_MISSING_DEPENDENCY
        if (MissingDependencyAnswer() != 42)
            return nullptr;
#endif
        return std::make_unique<Library>();
    }
};

#include "TestDataLibraryPlugin.moc"
