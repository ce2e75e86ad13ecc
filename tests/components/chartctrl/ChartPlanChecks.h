#pragma once

#include "ChartPlan.h"

#include <QImage>

#include <string>
#include <vector>

// Definitions as the control keeps them: a text Add refuses becomes its unreadable pane.
std::vector<quorex::chart::ChartDefinition> Definitions(const std::vector<std::string>& texts);

// The plan and the picture of a scene; the plan points into `bars` and `charts`.
quorex::chart::ChartPlan PlanOf(const std::vector<quorex::PriceBar>& bars,
                                const std::vector<quorex::chart::ChartDefinition>& charts,
                                const std::string& params, QSize size, const QString& notice = {});
// A plan of passing bars or definitions would point into freed memory.
quorex::chart::ChartPlan PlanOf(std::vector<quorex::PriceBar>&&,
                                const std::vector<quorex::chart::ChartDefinition>&,
                                const std::string&, QSize, const QString& = {}) = delete;
quorex::chart::ChartPlan PlanOf(const std::vector<quorex::PriceBar>&,
                                std::vector<quorex::chart::ChartDefinition>&&,
                                const std::string&, QSize, const QString& = {}) = delete;
QImage PictureOf(const std::vector<quorex::PriceBar>& bars,
                 const std::vector<quorex::chart::ChartDefinition>& charts,
                 const std::string& params, QSize size, const QString& notice = {});

// Wicks and bodies of every candle the plan draws.
std::vector<QRect> CandleRects(const quorex::chart::ChartPlan& plan);

// How the plan's texts break the rules: outside the picture, in the catalog's label line,
// on a candle or another text, out of their column, axis or pane, on the bars' rows.
std::vector<std::string> TextFaults(const quorex::chart::ChartPlan& plan);

int CountColour(const QImage& image, QRgb colour, const QRect& area);
