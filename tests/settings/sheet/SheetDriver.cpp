#include "SheetDriver.h"

#include "base/DialogLayout.h"
#include "sheet/CAddChartDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kPollMs = 5;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kAddId = 1001;
constexpr int kListId = 1003;
constexpr int kChartEditId = 1004;

QPushButton* SheetButton(QWidget* sheet, int id)
{
    return sheet->findChild<QPushButton*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void TypeInto(QWidget* edit, const QString& text)
{
    // Line breaks as the Return key, the rest as typed characters.
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines[i]);
    }
}

QByteArray JoinLines(const QStringList& lines, const char* lineEnd)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + lineEnd;
    return bytes;
}

} // namespace

SheetTestFolder::SheetTestFolder()
{
    InstallFontSubstitutes();
    m_app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
}

void SheetTestFolder::setIni(const std::optional<QByteArray>& bytes) const
{
    if (bytes)
        ASSERT_TRUE(WriteFileBytes(iniPath(), *bytes));
    else
        QFile::remove(iniPath());
}

std::optional<QByteArray> SheetTestFolder::ini() const
{
    if (!QFile::exists(iniPath()))
        return std::nullopt;
    return ReadFileBytes(iniPath());
}

SheetDriver::SheetDriver()
    : m_sheet(std::make_unique<CPropGeneralSheet>(nullptr, AppPaths(), 0))
{
    m_sheet->Open();
}

SheetDriver::~SheetDriver() = default;

void SheetDriver::showPage(int index)
{
    QTabBar* bar = m_sheet->tabWidget()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    ASSERT_EQ(m_sheet->tabWidget()->currentIndex(), index);
}

void SheetDriver::click(int id)
{
    auto* button = control<QPushButton>(id);
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

void SheetDriver::clickCheck(int id)
{
    auto* check = control<QCheckBox>(id);
    ASSERT_NE(check, nullptr) << id;
    QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
}

void SheetDriver::retype(int id, const QString& text)
{
    if (auto* line = control<QLineEdit>(id)) {
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
        TypeInto(line, text);
        return;
    }
    auto* box = control<QPlainTextEdit>(id);
    ASSERT_NE(box, nullptr) << id;
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    TypeInto(box, text);
}

QString SheetDriver::text(int id) const
{
    if (auto* line = control<QLineEdit>(id))
        return line->text();
    if (auto* box = control<QPlainTextEdit>(id))
        return box->toPlainText();
    ADD_FAILURE() << "no edit " << id;
    return {};
}

void SheetDriver::selectEntry(int row)
{
    auto* list = control<QListWidget>(kListId);
    ASSERT_NE(list, nullptr);
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QStringList SheetDriver::entries() const
{
    QStringList texts;
    if (auto* list = control<QListWidget>(kListId)) {
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
    }
    return texts;
}

void SheetDriver::addChart(const QString& text, bool ok)
{
    AnswerAddChartDialog(m_sheet.get(), [text, ok](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QString::number(kChartEditId));
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, text);
        const int button = ok ? kOkId : kCancelId;
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(button)),
                          Qt::LeftButton);
    });
    click(kAddId);
}

void SheetDriver::ok()
{
    QTest::mouseClick(SheetButton(m_sheet.get(), kOkId), Qt::LeftButton);
}

void SheetDriver::cancel()
{
    QTest::mouseClick(SheetButton(m_sheet.get(), kCancelId), Qt::LeftButton);
}

bool SheetDriver::accepted() const
{
    return !m_sheet->isVisible() && m_sheet->result() == QDialog::Accepted;
}

void AnswerAddChartDialog(QWidget* owner, std::function<void(QWidget* dialog)> answer)
{
    // The dialog runs its own event loop; a timer reaches it from inside that loop.
    auto* poll = new QTimer(owner);
    poll->setInterval(kPollMs);
    QObject::connect(poll, &QTimer::timeout, poll, [owner, poll, answer] {
        auto* dialog = owner->findChild<CAddChartDlg*>();
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(dialog);
    });
    poll->start();
}

QByteArray NewIni(const QStringList& lines)
{
    return JoinLines(lines, "\r\n");
}

QByteArray HandIni(const QStringList& lines)
{
    return JoinLines(lines, "\n");
}
