#pragma once

// Thumbnails of known colours and the catalogs exported from them, shared by the export tests.
#include "catalog/CatalogItem.h"
#include "export/CatalogExporter.h"
#include "export/ThumbnailSource.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <set>
#include <vector>

using namespace mosgrid;


inline QColor ColourOf(int item)
{
    return QColor(20 + (item * 37) % 200, 200 - (item * 11) % 150, 40 + (item * 53) % 180);
}

// Thumbnails filled with each item's colour; the failed ones are null.
class ColourSource : public ThumbnailSource {
public:
    explicit ColourSource(QSize size, std::set<int> failed = {})
        : m_size(size)
        , m_failed(std::move(failed))
    {
    }
    QSize thumbnailSize() const override { return m_size; }
    bool Fetch(std::span<const int> items, std::span<const int> next) override
    {
        fetched.emplace_back(items.begin(), items.end());
        following.emplace_back(next.begin(), next.end());
        return true;
    }
    QImage Image(int item) const override
    {
        if (m_failed.contains(item))
            return {};
        QImage image(m_size, QImage::Format_RGB32);
        image.fill(ColourOf(item + shift));
        return image;
    }

    std::vector<std::vector<int>> fetched;
    std::vector<std::vector<int>> following;
    int shift = 0;  // another export's colours

private:
    QSize m_size;
    std::set<int> m_failed;
};

inline CatalogItemList Items(int count)
{
    CatalogItemList items;
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<CatalogItem>();
        item->m_strCode = "c" + std::to_string(i);
        items.push_back(std::move(item));
    }
    return items;
}

inline std::vector<int> ListOrder(int count)
{
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        order[std::size_t(i)] = i;
    return order;
}

inline bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3
        && std::abs(qBlue(a) - qBlue(b)) <= 3;
}

// Exports into a fresh folder.
class ExportFixture : public ::testing::Test {
protected:
    std::string Path(const QString& name) const
    {
        return QFile::encodeName(m_dir.filePath(name)).toStdString();
    }

    ExportOutcome Export(ThumbnailSource& source, int count, const std::string& path,
                         bool force = false, const ExportProgress& progress = {})
    {
        m_items = Items(count);
        ExportRequest request;
        request.path = path;
        request.force = force;
        request.header = ExportHeader{QStringLiteral("list.lst"), QDateTime::currentDateTime()};
        return ExportCatalog(source, m_items, ListOrder(count), request, progress);
    }

    QTemporaryDir m_dir;
    CatalogItemList m_items;
};
