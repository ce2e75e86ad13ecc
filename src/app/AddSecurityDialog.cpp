#include "app/AddSecurityDialog.h"

#include "base/AddSecurityTexts.h"
#include "chart/DataProblemText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <limits>

namespace mosgrid {

namespace {

constexpr int kCsvType = 1;
constexpr int kDatabaseType = 5;
constexpr int kPreviewMinWidth = 240;
constexpr int kPreviewMinHeight = 160;

std::string Bytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// "20261207" as 2026/12/07.
QString DateText(std::int32_t date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date / 10000)
        .arg(date / 100 % 100, 2, 10, QLatin1Char('0'))
        .arg(date % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

AddSecurityDialog::AddSecurityDialog(QWidget* parent, IComponentProvider& provider,
                                     std::string iniFile, const NewListItem& model)
    : QDialog(parent)
    , m_provider(provider)
    , m_iniFile(std::move(iniFile))
{
    using namespace AddSecurityTexts;
    setWindowTitle(kCaption);
    m_pool.setMaxThreadCount(1);

    m_pKind = new QComboBox(this);
    m_pKind->addItems({kKindCsvFolder, kKindCsvFile, kKindDatabase});
    m_pSource = new QLineEdit(this);
    auto* browse = new QPushButton(kBrowse, this);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_pSource, 1);
    sourceRow->addWidget(browse);
    m_pCode = new QLineEdit(this);
    m_pName = new QLineEdit(this);
    m_pName->setPlaceholderText(kNamePlaceholder);
    m_pType = new QSpinBox(this);
    m_pType->setRange(std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max());
    m_pCheck = new QLabel(this);
    m_pCheck->setWordWrap(true);
    m_pPicture = new QLabel(this);
    m_pPicture->setMinimumSize(kPreviewMinWidth, kPreviewMinHeight);
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pPicture->setStyleSheet(QStringLiteral("background: black;"));

    auto* form = new QFormLayout;
    form->addRow(kKindLabel, m_pKind);
    form->addRow(kSourceLabel, sourceRow);
    form->addRow(kCodeLabel, m_pCode);
    form->addRow(kNameLabel, m_pName);
    form->addRow(kTypeLabel, m_pType);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pCheck);
    layout->addWidget(m_pPicture, 1);
    layout->addWidget(m_pButtons);

    m_pause.setSingleShot(true);
    m_pause.setInterval(kTypingPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &AddSecurityDialog::StartRender);
    connect(&m_watcher, &QFutureWatcher<SecurityPreview>::finished, this,
            &AddSecurityDialog::OnRendered);
    connect(m_pKind, &QComboBox::currentIndexChanged, this, &AddSecurityDialog::OnKindChanged);
    connect(browse, &QPushButton::clicked, this, &AddSecurityDialog::OnBrowse);
    for (QLineEdit* edit : {m_pSource, m_pCode, m_pName})
        connect(edit, &QLineEdit::textChanged, this, &AddSecurityDialog::OnEdited);
    connect(m_pType, &QSpinBox::valueChanged, this, &AddSecurityDialog::OnEdited);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The kind the model's source is of; its type stays as it was, even an unusual one.
    const QString source = QFile::decodeName(QByteArray::fromStdString(model.source));
    SourceKind kind = SourceKind::CsvFolder;
    if (model.type == kDatabaseType)
        kind = SourceKind::Database;
    else if (!source.isEmpty() && QFileInfo(source).isFile())
        kind = SourceKind::CsvFile;
    SetKind(kind);
    m_pSource->setText(source);
    if (model.type != 0)
        m_pType->setValue(model.type);
    m_pCode->setFocus();
    OnEdited();
}

AddSecurityDialog::~AddSecurityDialog()
{
    m_pause.stop();
    m_pool.waitForDone();
}

std::optional<NewListItem> AddSecurityDialog::Ask(QWidget* parent, IComponentProvider& provider,
                                                  const std::string& iniFile,
                                                  const NewListItem& model)
{
    AddSecurityDialog dialog(parent, provider, iniFile, model);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Item();
}

int AddSecurityDialog::TypeOfKind(SourceKind kind)
{
    return kind == SourceKind::Database ? kDatabaseType : kCsvType;
}

NewListItem AddSecurityDialog::Item() const
{
    NewListItem item;
    item.type = m_pType->value();
    item.source = Bytes(m_pSource->text().trimmed());
    item.code = m_pCode->text().trimmed().toStdString();
    item.name = m_pName->text().trimmed().toStdString();
    if (item.name.empty())
        item.name = item.code;
    return item;
}

void AddSecurityDialog::SetKind(SourceKind kind)
{
    m_pKind->setCurrentIndex(int(kind));
    OnKindChanged();
}

void AddSecurityDialog::SetSource(const QString& source)
{
    m_pSource->setText(source);
}

void AddSecurityDialog::SetCode(const QString& code)
{
    m_pCode->setText(code);
}

void AddSecurityDialog::SetName(const QString& name)
{
    m_pName->setText(name);
}

QString AddSecurityDialog::checkText() const
{
    return m_pCheck->text();
}

bool AddSecurityDialog::IsBusy() const
{
    return m_pause.isActive() || m_bRendering;
}

void AddSecurityDialog::OnKindChanged()
{
    m_pType->setValue(TypeOfKind(SourceKind(m_pKind->currentIndex())));
}

void AddSecurityDialog::OnBrowse()
{
    using namespace AddSecurityTexts;
    const auto kind = SourceKind(m_pKind->currentIndex());
    const QString start = m_pSource->text();
    QString chosen;
    if (kind == SourceKind::CsvFolder)
        chosen = QFileDialog::getExistingDirectory(this, kChooseFolder, start);
    else
        chosen = QFileDialog::getOpenFileName(this, kChooseFile, start,
                                              kind == SourceKind::Database ? kDatabaseFilter
                                                                           : kCsvFilter);
    if (!chosen.isEmpty())
        m_pSource->setText(chosen);
}

void AddSecurityDialog::OnEdited()
{
    const NewListItem item = Item();
    const bool complete = !item.code.empty() && !item.source.empty();
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(complete);
    if (!complete) {
        m_pause.stop();
        m_bStale = false;
        m_pCheck->setText(AddSecurityTexts::kIncomplete);
        m_image = {};
        m_pPicture->clear();
        return;
    }
    m_pCheck->setText(AddSecurityTexts::kChecking);
    m_pause.start();
}

void AddSecurityDialog::StartRender()
{
    if (m_bRendering) {
        m_bStale = true;
        return;
    }
    const NewListItem entered = Item();
    const CatalogItem item{entered.type, entered.source, entered.code, entered.name};
    m_bRendering = true;
    m_bStale = false;
    m_watcher.setFuture(QtConcurrent::run(&m_pool, [&provider = m_provider, item,
                                                    ini = m_iniFile] {
        return SecurityPreview::Render(provider, item, ini);
    }));
}

void AddSecurityDialog::OnRendered()
{
    m_bRendering = false;
    if (m_bStale) {
        StartRender();
        return;
    }
    if (Item().code.empty())
        return;
    const SecurityPreview preview = m_watcher.result();
    m_image = preview.image;
    if (preview.image.isNull())
        m_pCheck->setText(AddSecurityTexts::kNoComponents);
    else if (preview.facts.hasData)
        m_pCheck->setText(AddSecurityTexts::kReadable.arg(DateText(preview.facts.lastDate)));
    else
        m_pCheck->setText(DataProblemText(preview.facts.problem));
    // The thumbnail whole, at the size the catalog shows it.
    m_pPicture->setMinimumSize(m_image.size().expandedTo(m_pPicture->minimumSize()));
    m_pPicture->setPixmap(QPixmap::fromImage(m_image));
    emit previewShown();
}

} // namespace mosgrid
