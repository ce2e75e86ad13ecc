#pragma once

#include "app/CCatalogApp.h"
#include "sheet/CPropGeneralSheet.h"
#include "support/TestFolders.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

using namespace mosgrid;

class QWidget;

// The paths of the application object the test made.
inline ProgramPaths AppPaths()
{
    return ProgramPaths{theApp().m_strExeDir, theApp().m_strIniFile};
}

// A program folder with its own mosgrid.ini and the application object that points there.
class SheetTestFolder {
public:
    SheetTestFolder();

    bool isValid() const { return m_folder.isValid(); }
    QString iniPath() const { return m_folder.filePath(QStringLiteral("mosgrid.ini")); }
    std::string exeDir() const { return m_folder.exeDir(); }

    // The file as given, or no file for nullopt.
    void setIni(const std::optional<QByteArray>& bytes) const;
    // The file's bytes, or nullopt when there is none.
    std::optional<QByteArray> ini() const;

private:
    TestProgramFolder m_folder{{}, false};
    std::unique_ptr<CCatalogApp> m_app;
};

// Drives a real settings sheet the way a user would: clicks, typing, tab switching.
class SheetDriver {
public:
    SheetDriver();
    ~SheetDriver();

    CPropGeneralSheet& sheet() { return *m_sheet; }

    // Any control of the sheet by its id.
    template <typename T>
    T* control(int id) const
    {
        return m_sheet->findChild<T*>(QString::number(id));
    }

    void showPage(int index);
    void click(int id);
    void clickCheck(int id);
    // Replaces the text of an edit (one or several lines) by typing.
    void retype(int id, const QString& text);
    QString text(int id) const;
    void selectEntry(int row);
    QStringList entries() const;

    // Clicks "追加" and answers the Add-chart dialog with the text, by OK or Cancel.
    void addChart(const QString& text, bool ok = true);

    void ok();
    void cancel();
    bool accepted() const;

private:
    std::unique_ptr<CPropGeneralSheet> m_sheet;
};

// Runs `answer` on the Add-chart dialog once it is shown modally.
void AnswerAddChartDialog(QWidget* owner, std::function<void(QWidget* dialog)> answer);

// The INI bytes of lines written by the store into a new file.
QByteArray NewIni(const QStringList& lines);
// The same with plain LF line ends, as a hand-written file.
QByteArray HandIni(const QStringList& lines);
