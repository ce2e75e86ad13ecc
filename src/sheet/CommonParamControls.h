#pragma once

#include "base/DialogLayout.h"
#include "settings/CommonParams.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace mosgrid {

// The common parameters as controls: guide lines, text size, bars shown, scroll bar, period
// and the four colours. They show what a text reads as and report each change the user
// makes; the page turns that into the text.
class CommonParamControls : public QWidget {
    Q_OBJECT
public:
    // Control ids (object names) for tests and the tab order.
    enum Id {
        kIdAssistLine = 1101, kIdFontSize, kIdDispNum, kIdShowScrollBar, kIdPeriod,
        kIdBackColor, kIdUpColor, kIdDownColor, kIdLineColor
    };

    // Placed on `parent` in dialog units from `top`.
    CommonParamControls(const DialogBaseUnits& units, int top, QWidget* parent);

    // Shows the values without reporting them as changes.
    void Show(const CommonParams& params);
    const CommonParams& values() const { return m_params; }

    // Height of the band the controls take, in dialog units.
    static constexpr int kHeightDlu = 72;

signals:
    void edited(const CommonParams& params);

private:
    void OnChanged();
    void OnColor(CommonParamNames::ColorParam which);
    void ShowSwatches();

    CommonParams m_params;
    QCheckBox* m_pAssistLine = nullptr;
    QSpinBox* m_pFontSize = nullptr;
    QSpinBox* m_pDispNum = nullptr;
    QCheckBox* m_pShowScrollBar = nullptr;
    QComboBox* m_pPeriod = nullptr;
    std::array<QPushButton*, CommonParamNames::kColorParams.size()> m_colorButtons{};
};

} // namespace mosgrid
