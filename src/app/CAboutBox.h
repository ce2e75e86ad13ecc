#pragma once

#include <QDialog>

// "About...": the application icon, the product name, the copyright line and OK.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);
};
