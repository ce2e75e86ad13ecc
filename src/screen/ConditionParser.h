#pragma once

#include "screen/ConditionNode.h"
#include "screen/ScreenError.h"
#include "screen/ScreenToken.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace mosgrid {

// Parses a condition into its tree. Precedence, loosest first: or (または); and (かつ);
// not (prefix, or でない after what it denies); one comparison; + -; * /; unary minus;
// [n] after a fact or a function. weekly(…) and monthly(…) evaluate what they enclose on
// weekly or monthly bars (the innermost counts).
class ConditionParser {
public:
    static constexpr int kMaxBarsBack = 10000;
    static constexpr double kMaxWidth = 100;
    // Bounds that keep parsing and evaluation off the end of a thread's stack whatever is
    // pasted into the field.
    static constexpr std::size_t kMaxTokens = 2000;
    static constexpr int kMaxNesting = 100;

    struct Result {
        std::shared_ptr<const ConditionNode> condition;  // null for an error or a blank text
        std::optional<ScreenError> error;
    };

    static Result Parse(const QString& text);

private:
    using NodePtr = std::unique_ptr<ConditionNode>;

    explicit ConditionParser(std::vector<ScreenToken> tokens) : m_tokens(std::move(tokens)) {}

    NodePtr Disjunction();
    NodePtr Conjunction();
    NodePtr Negation();
    NodePtr Comparison();
    NodePtr Sum();
    NodePtr Product();
    NodePtr Signed();
    NodePtr WithBarsBack();
    NodePtr Primary();
    NodePtr Named(const ScreenToken& name);
    NodePtr Function(const ScreenToken& name);
    NodePtr InPeriod(quorex::indicators::BarPeriod period);
    double Argument(int min, double max, bool integer, const QString& message);

    // Counts one more level of parentheses, not or sign while it lives.
    class Nesting {
    public:
        Nesting(ConditionParser& parser, int position);
        ~Nesting() { --m_parser.m_depth; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        ConditionParser& m_parser;
    };

    NodePtr Test(NodePtr node) const;
    NodePtr Value(NodePtr node) const;
    NodePtr Leaf(ConditionNode::Kind kind, int position) const;
    static NodePtr Binary(ScreenOp op, NodePtr left, NodePtr right);

    const ScreenToken& Peek() const { return m_tokens[m_next]; }
    bool Accept(ScreenToken::Kind kind);
    void Expect(ScreenToken::Kind kind, const QString& message);
    [[noreturn]] static void Fail(int position, QString message);

    std::vector<ScreenToken> m_tokens;
    std::size_t m_next = 0;
    int m_depth = 0;
    quorex::indicators::BarPeriod m_period = quorex::indicators::BarPeriod::Daily;
};

} // namespace mosgrid
