#include "catalog/ShownListWriter.h"

#include "base/SafeFile.h"
#include "catalog/ListSourceText.h"

#include <cerrno>
#include <string_view>

namespace mosgrid {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Bytes a field cannot hold: the format has no quoting, and these end a field, a line or
// the reading.
constexpr std::string_view kUnwritableBytes{",\r\n\x1A\xFF\0", 6};

bool Writable(const std::string& field)
{
    return field.find_first_of(kUnwritableBytes) == std::string::npos;
}

} // namespace

std::string ShownListBytes(const ListDocument& list, const std::vector<int>& items)
{
    std::string bytes;
    if (list.HasByteOrderMark())
        bytes += kUtf8Bom;
    for (const int item : items) {
        if (item < 0 || item >= list.ItemCount())
            continue;
        const int line = list.LineOfItem(item);
        const ListLineEnd end = list.LineEnd(line) == ListLineEnd::None ? list.DominantLineEnd()
                                                                       : list.LineEnd(line);
        bytes += list.LineContent(line);
        bytes += ListDocument::EndBytes(end);
    }
    return bytes;
}

std::string ItemListBytes(const CatalogItemList& loaded, const std::vector<int>& items,
                          const std::string& listPath, int& skipped)
{
    skipped = 0;
    std::string bytes;
    for (const int index : items) {
        if (index < 0 || index >= int(loaded.size()))
            continue;
        const CatalogItem& item = *loaded[std::size_t(index)];
        const std::string source = SourceRelativeToList(listPath, item.m_strSource);
        if (!Writable(source) || !Writable(item.m_strCode) || !Writable(item.m_strName)) {
            ++skipped;
            continue;
        }
        bytes += std::to_string(item.m_nType);
        bytes += ',';
        bytes += source;
        bytes += ',';
        bytes += item.m_strCode;
        bytes += ',';
        bytes += item.m_strName;
        bytes += '\n';
    }
    return bytes;
}

int WriteListFileAtomically(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return EINVAL;
    SafeFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.error() != 0 ? file.error() : EIO;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())
        || !file.commit()) {
        const int error = file.error() != 0 ? file.error() : EIO;
        file.cancelWriting();
        return error;
    }
    return 0;
}

} // namespace mosgrid
