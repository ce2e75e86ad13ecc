#pragma once

#include "base/DialogLayout.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace mosgrid {

// The kind of a chart definition and the options of that kind as controls, built from the
// table of kinds. It shows what a definition reads as and reports each change the user makes;
// the dialog turns that into the definition text.
class ChartKindChooser : public QWidget {
    Q_OBJECT
public:
    enum Id { kIdKind = 1201, kIdFirstOption = 1210 };  // option i: kIdFirstOption + i

    ChartKindChooser(const DialogBaseUnits& units, QWidget* parent);

    // The height the chooser needs for the kind with the most options, in dialog units.
    static int HeightDlu();

    // Shows the kind and options a definition reads as, without reporting them.
    void ShowDefinition(const std::string& definition);
    // The definition the controls wrote themselves: nothing to show again.
    void KeepDefinition(const std::string& definition) { m_definition = definition; }

signals:
    // kind: a row of the table; values: one per option of that kind.
    void edited(int kind, const std::vector<std::string>& values);

private:
    void OnKindChosen(int kind);
    void BuildFields(int kind);
    void ShowValues(const std::vector<std::string>& values);
    std::vector<std::string> Values() const;
    void ReportChange();

    DialogBaseUnits m_units;
    QComboBox* m_pKind = nullptr;
    QLabel* m_pUnknown = nullptr;
    int m_nKind = -1;
    std::vector<QWidget*> m_fields;  // labels and controls of the shown kind
    std::vector<QWidget*> m_inputs;  // one control per option
    std::string m_definition;
};

} // namespace mosgrid
