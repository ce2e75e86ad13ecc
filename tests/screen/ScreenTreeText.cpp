#include "ScreenTreeText.h"

#include "screen/ScreenFunctions.h"

#include <QStringList>

using namespace mosgrid;

namespace {

QString OpText(ScreenOp op)
{
    static const char* const kTexts[] = {"+", "-", "*", "/", "neg", "<", "<=", ">", ">=",
                                         "=", "<>", "and", "or", "not"};
    return QString::fromLatin1(kTexts[static_cast<int>(op)]);
}

QString FactText(ScreenFact fact)
{
    static const char* const kTexts[] = {"close", "open", "high", "low", "volume", "change",
                                         "change%", "flag"};
    return QString::fromLatin1(kTexts[static_cast<int>(fact)]);
}

QString Suffix(const ConditionNode& node)
{
    QString text;
    if (node.barsBack)
        text += QStringLiteral("[%1]").arg(node.barsBack);
    if (node.period == quorex::indicators::BarPeriod::Weekly)
        text += QStringLiteral("@w");
    if (node.period == quorex::indicators::BarPeriod::Monthly)
        text += QStringLiteral("@m");
    return text;
}

} // namespace

QString TreeText(const ConditionNode& node)
{
    switch (node.kind) {
    case ConditionNode::Kind::Number:
        return QString::number(node.number);
    case ConditionNode::Kind::Fact:
        return FactText(node.fact) + Suffix(node);
    case ConditionNode::Kind::Function: {
        QStringList arguments;
        for (const double argument : node.arguments)
            arguments.append(QString::number(argument));
        return ScreenFunctions::NameOf(node.function) + QLatin1Char('(')
            + arguments.join(QLatin1Char(',')) + QLatin1Char(')') + Suffix(node);
    }
    case ConditionNode::Kind::Unary:
        return QStringLiteral("(%1 %2)").arg(OpText(node.op), TreeText(*node.left));
    case ConditionNode::Kind::Binary:
        break;
    }
    return QStringLiteral("(%1 %2 %3)")
        .arg(OpText(node.op), TreeText(*node.left), TreeText(*node.right));
}
