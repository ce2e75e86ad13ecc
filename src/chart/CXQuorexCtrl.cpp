#include "chart/CXQuorexCtrl.h"

#include "chart/IComponentProvider.h"

#include <algorithm>

namespace mosgrid {

CXQuorexCtrl::~CXQuorexCtrl() = default;

bool CXQuorexCtrl::Create(IComponentProvider& provider)
{
    m_pControl.reset();
    m_pControl = provider.CreateChartControl();
    return m_pControl != nullptr;
}

bool CXQuorexCtrl::DestroyWindow()
{
    if (!m_pControl)
        return false;
    m_pControl.reset();
    return true;
}

std::unique_ptr<quorex::ICharts> CXQuorexCtrl::GetCharts()
{
    return m_pControl ? m_pControl->GetCharts() : nullptr;
}

bool CXQuorexCtrl::SetData(quorex::PriceDataPtr data)
{
    return m_pControl ? m_pControl->SetData(std::move(data)) : false;
}

quorex::DataRequest CXQuorexCtrl::DataNeeded(const std::string& parameters,
                                             std::span<const std::string> definitions) const
{
    return m_pControl ? m_pControl->DataNeeded(parameters, definitions) : quorex::DataRequest{};
}

void CXQuorexCtrl::SetNotice(const std::string& text)
{
    if (m_pControl)
        m_pControl->SetNotice(text);
}

void CXQuorexCtrl::MoveWindow(int width, int height)
{
    // A window cannot be smaller than nothing; the control never sees a negative size.
    if (m_pControl)
        m_pControl->SetSize(std::max(width, 0), std::max(height, 0));
}

void CXQuorexCtrl::UpdateWindow()
{
    if (m_pControl)
        m_pControl->Update();
}

bool CXQuorexCtrl::SwapPicture(QImage& buffer)
{
    return m_pControl && m_pControl->SwapPicture(buffer);
}

const QImage& CXQuorexCtrl::Picture() const
{
    static const QImage kNoPicture;
    return m_pControl ? m_pControl->Picture() : kNoPicture;
}

std::optional<quorex::PriceBar> CXQuorexCtrl::BarAt(int x, int y) const
{
    return m_pControl ? m_pControl->BarAt(x, y) : std::nullopt;
}

std::vector<quorex::IndicatorValue> CXQuorexCtrl::ValuesAt(int x, int y) const
{
    return m_pControl ? m_pControl->ValuesAt(x, y) : std::vector<quorex::IndicatorValue>{};
}

std::vector<quorex::IndicatorValue> CXQuorexCtrl::NewestValues() const
{
    return m_pControl ? m_pControl->NewestValues() : std::vector<quorex::IndicatorValue>{};
}

bool CXQuorexCtrl::PaintOnto(QPainter& painter, const QRect& bounds) const
{
    return m_pControl && m_pControl->PaintOnto(painter, bounds);
}

std::vector<std::string> CXQuorexCtrl::RelatedCodes(std::span<const std::string> definitions) const
{
    return m_pControl ? m_pControl->RelatedCodes(definitions) : std::vector<std::string>{};
}

void CXQuorexCtrl::SetRelatedData(const std::string& code, quorex::PriceDataPtr data)
{
    if (m_pControl)
        m_pControl->SetRelatedData(code, std::move(data));
}

} // namespace mosgrid
