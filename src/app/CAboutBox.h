#pragma once

#include <QDialog>

#include <QString>

namespace mosgrid {

// "About...": the application icon, the product name, the copyright line, the settings file
// in use (when given) and OK.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr, const QString& settingsFile = {});
};

} // namespace mosgrid
