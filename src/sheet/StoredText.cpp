#include "sheet/StoredText.h"

#include "catalog/DisplayText.h"

namespace mosgrid {

QString ShownText(const std::string& stored)
{
    return DisplayText(stored);
}

std::string StoredBytes(const QString& shown, const std::string& stored)
{
    if (!stored.empty() && DisplayText(stored) == shown)
        return stored;
    return shown.toStdString();
}

} // namespace mosgrid
