#include "app/CommandLineExport.h"

#include "app/ListOpenCheck.h"
#include "app/ViewValueInputs.h"
#include "base/AppTexts.h"
#include "base/FileTexts.h"
#include "base/MessageBox.h"
#include "catalog/CatalogListLoader.h"
#include "export/BuilderThumbnailSource.h"
#include "export/CatalogExporter.h"
#include "export/ExportOverwrite.h"
#include "screen/ScreenSettings.h"
#include "screen/ScreenTexts.h"
#include "export/ValueRowMaker.h"
#include "export/ValueTableExport.h"
#include "settings/SettingsStore.h"
#include "settings/LabelSettings.h"
#include "view/CCatalogView.h"
#include "view/ScreenNow.h"
#include "model/ItemFlags.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace mosgrid {

namespace {

constexpr char kExportOption[] = "--export";
constexpr char kForceOption[] = "--force";

// Puts the message-box handler back however the export ends.
class MessageBoxCapture {
public:
    MessageBoxCapture()
        : m_before(CurrentMessageBoxHandler())
    {
        SetMessageBoxHandler([this](const QString& text) { m_texts << text; });
    }
    ~MessageBoxCapture() { SetMessageBoxHandler(m_before); }
    const QStringList& texts() const { return m_texts; }

private:
    MessageBoxHandler m_before;
    QStringList m_texts;
};

QString OneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

} // namespace

bool HasExportOption(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == kExportOption || arg.rfind(std::string(kExportOption) + "=", 0) == 0)
            return true;
    }
    return false;
}

ExportOptions TakeExportOptions(std::vector<std::string>& args)
{
    ExportOptions options;
    const std::string prefix = std::string(kExportOption) + "=";
    std::vector<std::string> rest;
    for (std::string& arg : args) {
        if (arg == kExportOption) {
            options.requested = true;
        } else if (arg.rfind(prefix, 0) == 0) {
            options.requested = true;
            options.path = arg.substr(prefix.size());
        } else if (arg == kForceOption) {
            options.force = true;
        } else {
            rest.push_back(std::move(arg));
        }
    }
    args = std::move(rest);
    return options;
}

int RunCommandLineExport(const ExportOptions& options, const std::string& listFile,
                         bool removeListFile, const ProgramPaths& paths,
                         IComponentProvider* provider,
                         const std::function<void(const QString&)>& report)
{
    const auto fail = [&report](ExportStatus status, const QString& message) {
        report(AppTexts::kAppName + QStringLiteral(": ") + OneLine(message));
        return static_cast<int>(status);
    };
    const QString target = QFile::decodeName(options.path.c_str());
    const std::optional<ExportKind> kind = ExportKindOf(options.path);
    if (!kind)
        return fail(ExportStatus::Usage, FileTexts::kExportUsage.arg(target));
    if (listFile.empty())
        return fail(ExportStatus::Usage, FileTexts::kExportNoList);

    // What would be shown in a box goes to the report.
    const MessageBoxCapture boxes;
    if (!ConfirmListOpens(listFile))
        return fail(ExportStatus::Failed, boxes.texts().join(QLatin1Char(' ')));
    // Before the list is read: a refused export leaves a list under /rm in place.
    switch (DecideOverwrite(ClassifyTarget(*kind, options.path), options.force)) {
    case OverwriteVerdict::Write:
        break;
    case OverwriteVerdict::NeedsForce:
        return fail(ExportStatus::Refused, FileTexts::kExportWouldOverwrite.arg(target));
    case OverwriteVerdict::Impossible:
        return fail(ExportStatus::Usage, FileTexts::kExportWrongKind.arg(target));
    }

    CCatalogView view(paths, provider);
    // Under /rm the list goes only once the export is in place.
    view.SetListFile(listFile, false);
    view.LoadList();
    if (!boxes.texts().isEmpty() || view.model().store().size() != int(view.model().items().size())) {
        QStringList texts = boxes.texts();
        texts.prepend(FileTexts::kExportNoCharts);
        return fail(ExportStatus::Failed, texts.join(QLatin1Char(' ')));
    }
    // The condition the window shows narrows the export as well.
    const QString condition = ScreenSettings::ReadActive(SettingsStore(view.paths().iniFile));
    std::vector<int> flags;
    for (int item = 0; item < view.model().itemCount(); ++item)
        flags.push_back(FlagNumber(view.flags().ColorOf(item)));
    if (const std::optional<ScreenError> error = ScreenNow(view, condition, std::move(flags)))
        report(AppTexts::kAppName + QStringLiteral(": ")
               + ScreenTexts::kExportUnscreened.arg(condition, error->Text()));
    const int staleDays = ReadStaleDays(SettingsStore(view.paths().iniFile));
    ExportRequest request;
    request.path = options.path;
    request.force = options.force;
    request.mentionForce = true;
    request.header = ExportHeader{QFileInfo(QFile::decodeName(listFile.c_str())).fileName(),
                                  QDateTime::currentDateTime()};
    ExportOutcome outcome;
    if (*kind == ExportKind::Csv) {
        // A table draws no thumbnail: the view's own builder would only compete for the cores.
        view.model().builder().StopAndWait();
        ValueRowMaker maker(ValueTableInputs(view));
        outcome = ExportValueTable(maker, view.model().items(), view.ExportOrder(), request,
                                   staleDays, {},
                                   [&view](int item) { return view.flags().ColorOf(item); });
    } else {
        BuilderThumbnailSource source(view.model().builder(), view.model().store(), staleDays);
        source.SetFlagSource([&view](int item) { return view.flags().ColorOf(item); });
        outcome = ExportCatalog(source, view.model().items(), view.ExportOrder(), request);
        view.model().builder().StopAndWait();
    }
    if (outcome.status != ExportStatus::Done)
        return fail(outcome.status, outcome.message);
    if (removeListFile && !RemoveListFile(listFile))
        return fail(ExportStatus::Failed,
                    FileTexts::kListNotRemoved.arg(QFile::decodeName(listFile.c_str())));
    return static_cast<int>(ExportStatus::Done);
}

void ReportOnStandardError(const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace mosgrid
