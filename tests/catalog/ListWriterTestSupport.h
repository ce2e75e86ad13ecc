#pragma once

#include "CatalogTestSupport.h"

#include "catalog/CatalogListLoader.h"

#include <utility>
#include <vector>

using namespace mosgrid;

// Code and name of each item, as the catalog loads the bytes from a file in dir.
inline std::vector<std::pair<std::string, std::string>> LoadedCodesAndNames(
    const QTemporaryDir& dir, const std::string& bytes)
{
    const std::string path = WriteListFile(dir, bytes, QStringLiteral("readback.txt"));
    CatalogItemList items;
    EXPECT_TRUE(LoadCatalogList(path, false, items).complete);
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto& item : items)
        result.emplace_back(item->m_strCode, item->m_strName);
    return result;
}
