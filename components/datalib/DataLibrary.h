#pragma once

#include <QuorexComponents.h>

#include <memory>

namespace brasko {

class SeriesCache;

// "brasko.Automation": daily prices from a SQLite database (type 5) or from CSV price
// files (every other type). Safe to call from several threads at once.
class DataLibrary : public quorex::IDataLibrary {
public:
    static constexpr std::int32_t kDatabaseType = 5;

    // cache: shared between the libraries one plugin creates; null for none.
    explicit DataLibrary(std::shared_ptr<SeriesCache> cache);

    // type 5: source is the database file, code selects the rows. Otherwise source is the
    // price file itself, or a folder holding <code>.csv, <code>.CSV or <code>.txt. A
    // relative source is taken from the current directory.
    quorex::PriceDataPtr LoadData(const std::string& source, const std::string& code,
                                  std::int32_t type) override;

private:
    quorex::PriceDataPtr LoadPriceFile(const std::string& source, const std::string& code);

    std::shared_ptr<SeriesCache> m_cache;
};

} // namespace brasko
