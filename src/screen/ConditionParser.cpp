#include "screen/ConditionParser.h"

#include "screen/ScreenFunctions.h"
#include "screen/ScreenLexer.h"
#include "screen/ScreenTexts.h"

#include <cmath>

namespace mosgrid {

namespace {

using Kind = ScreenToken::Kind;
using quorex::indicators::BarPeriod;

struct Fact {
    const char16_t* name;
    ScreenFact fact;
};

constexpr Fact kFacts[] = {
    {u"close", ScreenFact::Close},   {u"open", ScreenFact::Open},
    {u"high", ScreenFact::High},     {u"low", ScreenFact::Low},
    {u"volume", ScreenFact::Volume}, {u"change", ScreenFact::Change},
    {u"change%", ScreenFact::ChangePercent}, {u"flag", ScreenFact::Flag},
};

std::optional<ScreenOp> ComparisonOf(Kind kind)
{
    switch (kind) {
    case Kind::Less: return ScreenOp::Less;
    case Kind::LessEqual: return ScreenOp::LessEqual;
    case Kind::Greater: return ScreenOp::Greater;
    case Kind::GreaterEqual: return ScreenOp::GreaterEqual;
    case Kind::Equal: return ScreenOp::Equal;
    case Kind::NotEqual: return ScreenOp::NotEqual;
    default: return std::nullopt;
    }
}

bool IsFlag(const ConditionNode& node)
{
    return node.kind == ConditionNode::Kind::Fact && node.fact == ScreenFact::Flag;
}

} // namespace

ConditionParser::Result ConditionParser::Parse(const QString& text)
{
    Result result;
    ScreenLexer::Result lexed = ScreenLexer::Tokenize(text);
    if (lexed.error) {
        result.error = lexed.error;
        return result;
    }
    if (lexed.tokens.size() == 1)
        return result;
    if (lexed.tokens.size() > kMaxTokens) {
        result.error = ScreenError{lexed.tokens[kMaxTokens].position,
                                   ScreenTexts::kErrTooLong.arg(kMaxTokens)};
        return result;
    }
    ConditionParser parser(std::move(lexed.tokens));
    try {
        NodePtr root = parser.Test(parser.Disjunction());
        const ScreenToken& extra = parser.Peek();
        if (extra.kind != Kind::End)
            Fail(extra.position, ScreenTexts::kErrExtra.arg(extra.text));
        result.condition = std::move(root);
    } catch (const ScreenError& error) {
        result.error = error;
    }
    return result;
}

ConditionParser::NodePtr ConditionParser::Disjunction()
{
    NodePtr node = Conjunction();
    while (Accept(Kind::Or))
        node = Binary(ScreenOp::Or, Test(std::move(node)), Test(Conjunction()));
    return node;
}

ConditionParser::NodePtr ConditionParser::Conjunction()
{
    NodePtr node = Negation();
    while (Accept(Kind::And))
        node = Binary(ScreenOp::And, Test(std::move(node)), Test(Negation()));
    return node;
}

ConditionParser::NodePtr ConditionParser::Negation()
{
    const int position = Peek().position;
    NodePtr node;
    if (Accept(Kind::Not)) {
        const Nesting nesting(*this, position);
        node = Leaf(ConditionNode::Kind::Unary, position);
        node->op = ScreenOp::Not;
        node->left = Test(Negation());
        return node;
    }
    node = Comparison();
    // でない follows what it denies.
    while (Peek().kind == Kind::Not) {
        Accept(Kind::Not);
        NodePtr denied = Leaf(ConditionNode::Kind::Unary, node->position);
        denied->op = ScreenOp::Not;
        denied->left = Test(std::move(node));
        node = std::move(denied);
    }
    return node;
}

ConditionParser::NodePtr ConditionParser::Comparison()
{
    NodePtr node = Sum();
    const std::optional<ScreenOp> op = ComparisonOf(Peek().kind);
    if (!op)
        return node;
    ++m_next;
    node = Binary(*op, Value(std::move(node)), Value(Sum()));
    if (ComparisonOf(Peek().kind))
        Fail(Peek().position, ScreenTexts::kErrChainedComparison);
    return node;
}

ConditionParser::NodePtr ConditionParser::Sum()
{
    NodePtr node = Product();
    for (;;) {
        if (Accept(Kind::Plus))
            node = Binary(ScreenOp::Add, Value(std::move(node)), Value(Product()));
        else if (Accept(Kind::Minus))
            node = Binary(ScreenOp::Subtract, Value(std::move(node)), Value(Product()));
        else
            return node;
    }
}

ConditionParser::NodePtr ConditionParser::Product()
{
    NodePtr node = Signed();
    for (;;) {
        if (Accept(Kind::Times))
            node = Binary(ScreenOp::Multiply, Value(std::move(node)), Value(Signed()));
        else if (Accept(Kind::Divide))
            node = Binary(ScreenOp::Divide, Value(std::move(node)), Value(Signed()));
        else
            return node;
    }
}

ConditionParser::NodePtr ConditionParser::Signed()
{
    const int position = Peek().position;
    if (Accept(Kind::Minus)) {
        const Nesting nesting(*this, position);
        NodePtr node = Leaf(ConditionNode::Kind::Unary, position);
        node->op = ScreenOp::Negate;
        node->left = Value(Signed());
        return node;
    }
    if (Accept(Kind::Plus)) {
        const Nesting nesting(*this, position);
        return Value(Signed());
    }
    return WithBarsBack();
}

ConditionParser::NodePtr ConditionParser::WithBarsBack()
{
    NodePtr node = Primary();
    if (Peek().kind != Kind::OpenBracket)
        return node;
    const bool series = (node->kind == ConditionNode::Kind::Fact && !IsFlag(*node))
        || node->kind == ConditionNode::Kind::Function;
    if (!series || node->barsBack != 0)
        Fail(Peek().position, ScreenTexts::kErrBarsBackPlace);
    Accept(Kind::OpenBracket);
    node->barsBack = static_cast<int>(
        Argument(0, kMaxBarsBack, true, ScreenTexts::kErrBarsBack.arg(kMaxBarsBack)));
    Expect(Kind::CloseBracket, ScreenTexts::kErrBracketExpected);
    if (Peek().kind == Kind::OpenBracket)
        Fail(Peek().position, ScreenTexts::kErrBarsBackPlace);
    return node;
}

ConditionParser::NodePtr ConditionParser::Primary()
{
    const ScreenToken token = Peek();
    switch (token.kind) {
    case Kind::Number: {
        ++m_next;
        NodePtr node = Leaf(ConditionNode::Kind::Number, token.position);
        node->number = token.number;
        return node;
    }
    case Kind::Open: {
        const Nesting nesting(*this, token.position);
        ++m_next;
        NodePtr node = Disjunction();
        node->position = token.position;
        Expect(Kind::Close, ScreenTexts::kErrCloseExpected);
        return node;
    }
    case Kind::Name:
        ++m_next;
        return Named(token);
    default:
        Fail(token.position, ScreenTexts::kErrValueExpected);
    }
}

ConditionParser::NodePtr ConditionParser::Named(const ScreenToken& name)
{
    if (name.text == u"weekly")
        return InPeriod(BarPeriod::Weekly);
    if (name.text == u"monthly")
        return InPeriod(BarPeriod::Monthly);
    // high and low are facts, HIGH(n) and LOW(n) functions.
    if (Peek().kind == Kind::Open && ScreenFunctions::Find(name.text))
        return Function(name);
    for (const Fact& fact : kFacts) {
        if (name.text == QString::fromUtf16(fact.name)) {
            NodePtr node = Leaf(ConditionNode::Kind::Fact, name.position);
            node->fact = fact.fact;
            return node;
        }
    }
    if (ScreenFunctions::Find(name.text))
        Fail(Peek().position, ScreenTexts::kErrOpenExpected.arg(name.text.toUpper()));
    Fail(name.position, ScreenTexts::kErrUnknownName.arg(name.text));
}

ConditionParser::NodePtr ConditionParser::InPeriod(BarPeriod period)
{
    const Nesting nesting(*this, Peek().position);
    Expect(Kind::Open, ScreenTexts::kErrOpenExpected.arg(
                           period == BarPeriod::Weekly ? u"weekly" : u"monthly"));
    const BarPeriod outer = m_period;
    m_period = period;
    NodePtr node = Disjunction();
    m_period = outer;
    Expect(Kind::Close, ScreenTexts::kErrCloseExpected);
    return node;
}

ConditionParser::NodePtr ConditionParser::Function(const ScreenToken& name)
{
    const ScreenFunctions::Signature& signature = *ScreenFunctions::Find(name.text);
    NodePtr node = Leaf(ConditionNode::Kind::Function, name.position);
    node->function = signature.function;
    const QString wrongCount = ScreenTexts::kErrArgumentCount.arg(
        ScreenFunctions::NameOf(signature.function)).arg(signature.arguments);
    Expect(Kind::Open, ScreenTexts::kErrOpenExpected.arg(name.text.toUpper()));
    for (int k = 0; k < signature.arguments; ++k) {
        if (k > 0 && !Accept(Kind::Comma))
            Fail(Peek().position, wrongCount);
        if (Peek().kind != Kind::Number)
            Fail(Peek().position, Peek().kind == Kind::Close ? wrongCount
                                                             : ScreenTexts::kErrValueExpected);
        if (k == signature.widthArgument) {
            node->arguments.push_back(Argument(0, kMaxWidth, false, ScreenTexts::kErrWidth));
        } else {
            node->arguments.push_back(Argument(
                signature.minPeriod, ScreenFunctions::kMaxPeriod, true,
                ScreenTexts::kErrPeriod.arg(signature.minPeriod)
                    .arg(ScreenFunctions::kMaxPeriod)));
        }
    }
    if (Peek().kind == Kind::Comma)
        Fail(Peek().position, wrongCount);
    Expect(Kind::Close, ScreenTexts::kErrCloseExpected);
    return node;
}

double ConditionParser::Argument(int min, double max, bool integer, const QString& message)
{
    const ScreenToken& token = Peek();
    const double value = token.number;
    const bool fits = token.kind == Kind::Number && value <= max
        && (integer ? value >= min && value == std::floor(value) : value > min);
    if (!fits)
        Fail(token.position, message);
    ++m_next;
    return value;
}

ConditionParser::NodePtr ConditionParser::Test(NodePtr node) const
{
    if (node->IsTest())
        return node;
    // A bare flag asks whether there is one.
    if (IsFlag(*node)) {
        NodePtr zero = Leaf(ConditionNode::Kind::Number, node->position);
        return Binary(ScreenOp::NotEqual, std::move(node), std::move(zero));
    }
    Fail(node->position, ScreenTexts::kErrConditionExpected);
}

ConditionParser::NodePtr ConditionParser::Value(NodePtr node) const
{
    if (node->IsTest())
        Fail(node->position, ScreenTexts::kErrNumberExpected);
    return node;
}

ConditionParser::NodePtr ConditionParser::Leaf(ConditionNode::Kind kind, int position) const
{
    auto node = std::make_unique<ConditionNode>();
    node->kind = kind;
    node->position = position;
    node->period = m_period;
    return node;
}

ConditionParser::NodePtr ConditionParser::Binary(ScreenOp op, NodePtr left, NodePtr right)
{
    auto node = std::make_unique<ConditionNode>();
    node->kind = ConditionNode::Kind::Binary;
    node->position = left->position;
    node->op = op;
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
}

ConditionParser::Nesting::Nesting(ConditionParser& parser, int position)
    : m_parser(parser)
{
    if (++m_parser.m_depth > kMaxNesting) {
        --m_parser.m_depth;
        Fail(position, ScreenTexts::kErrTooDeep.arg(kMaxNesting));
    }
}

bool ConditionParser::Accept(Kind kind)
{
    if (Peek().kind != kind)
        return false;
    ++m_next;
    return true;
}

void ConditionParser::Expect(Kind kind, const QString& message)
{
    if (!Accept(kind))
        Fail(Peek().position, message);
}

void ConditionParser::Fail(int position, QString message)
{
    throw ScreenError{position, std::move(message)};
}

} // namespace mosgrid
