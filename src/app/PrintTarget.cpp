#include "app/PrintTarget.h"

#include "app/CCatalogCommandLineInfo.h"
#include "base/AppTexts.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

namespace mosgrid {

namespace {

constexpr char kPdfSuffix[] = ".pdf";

QString Decoded(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace

std::unique_ptr<QPrinter> CreatePrintTarget(const CCatalogCommandLineInfo& info, QString* error)
{
    const QString name = Decoded(info.m_strPrinterName);
    if (info.m_nShellCommand == CCatalogCommandLineInfo::FilePrintTo
        && name.endsWith(QLatin1String(kPdfSuffix), Qt::CaseInsensitive)) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(name);
        return printer;
    }

    QPrinterInfo target;
    if (info.m_nShellCommand == CCatalogCommandLineInfo::FilePrintTo && !name.isEmpty()) {
        target = QPrinterInfo::printerInfo(name);
        if (target.isNull()) {
            *error = AppTexts::kPrinterNotFound.arg(name);
            return nullptr;
        }
    } else {
        target = QPrinterInfo::defaultPrinter();
        if (target.isNull()) {
            *error = AppTexts::kNoPrinter;
            return nullptr;
        }
    }
    auto printer = std::make_unique<QPrinter>(target, QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::NativeFormat);
    return printer;
}

} // namespace mosgrid
