#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mosgrid {

// One line of the list file. The texts are the bytes of the file, unconverted: the data
// tool and the data library receive them as they stand (see DisplayText for the screen).
struct CatalogItem {
    std::int32_t m_nType = 0;
    std::string m_strSource;
    std::string m_strCode;
    std::string m_strName;
};

// The view's owned item list, in list-file order.
using CatalogItemList = std::vector<std::unique_ptr<CatalogItem>>;

} // namespace mosgrid
