#include "screen/ScreenLexer.h"

#include "screen/ScreenTexts.h"

namespace mosgrid {

namespace {

constexpr char16_t kFullWidthFirst = 0xFF01;
constexpr char16_t kFullWidthLast = 0xFF5E;
constexpr char16_t kFullWidthOffset = 0xFEE0;
constexpr char16_t kIdeographicSpace = 0x3000;

using Kind = ScreenToken::Kind;

bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Japanese words (かつ, または, でない) are runs of letters beyond ASCII.
bool IsWideLetter(QChar c)
{
    return c.unicode() > 0x7F && c.isLetter();
}

std::optional<Kind> KeywordOf(const QString& folded)
{
    if (folded == u"and" || folded == u"かつ")
        return Kind::And;
    if (folded == u"or" || folded == u"または")
        return Kind::Or;
    if (folded == u"not" || folded == u"でない")
        return Kind::Not;
    return std::nullopt;
}

struct Symbol {
    const char16_t* text;
    Kind kind;
};

// Two-character symbols first.
constexpr Symbol kSymbols[] = {
    {u"<=", Kind::LessEqual}, {u">=", Kind::GreaterEqual}, {u"<>", Kind::NotEqual},
    {u"<", Kind::Less},       {u">", Kind::Greater},       {u"=", Kind::Equal},
    {u"+", Kind::Plus},       {u"-", Kind::Minus},         {u"*", Kind::Times},
    {u"/", Kind::Divide},     {u"(", Kind::Open},          {u")", Kind::Close},
    {u"[", Kind::OpenBracket}, {u"]", Kind::CloseBracket}, {u",", Kind::Comma},
};

} // namespace

QString ScreenLexer::Narrowed(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c.unicode() >= kFullWidthFirst && c.unicode() <= kFullWidthLast)
            c = QChar(c.unicode() - kFullWidthOffset);
        else if (c.unicode() == kIdeographicSpace)
            c = QLatin1Char(' ');
    }
    return result;
}

ScreenLexer::Result ScreenLexer::Tokenize(const QString& original)
{
    const QString text = Narrowed(original);
    Result result;
    const auto fail = [&result](int position, QString message) {
        result.error = ScreenError{position, std::move(message)};
        return result;
    };
    int i = 0;
    const int size = static_cast<int>(text.size());
    while (i < size) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        ScreenToken token;
        token.position = i;
        if (IsDigit(c) || (c == u'.' && i + 1 < size && IsDigit(text[i + 1]))) {
            int end = i;
            while (end < size && (IsDigit(text[end]) || text[end] == u'.'))
                ++end;
            token.text = text.mid(i, end - i);
            bool ok = false;
            token.number = token.text.toDouble(&ok);
            if (!ok || token.text.count(u'.') > 1)
                return fail(i, ScreenTexts::kErrNumber.arg(token.text));
            token.kind = Kind::Number;
            i = end;
        } else if (IsAsciiLetter(c)) {
            int end = i;
            while (end < size && (IsAsciiLetter(text[end]) || IsDigit(text[end])))
                ++end;
            // "change%" is a name of its own.
            if (end < size && text[end] == u'%')
                ++end;
            token.text = text.mid(i, end - i).toLower();
            token.kind = KeywordOf(token.text).value_or(Kind::Name);
            i = end;
        } else if (IsWideLetter(c)) {
            int end = i;
            while (end < size && IsWideLetter(text[end]))
                ++end;
            token.text = text.mid(i, end - i);
            const std::optional<Kind> keyword = KeywordOf(token.text);
            if (!keyword)
                return fail(i, ScreenTexts::kErrUnknownName.arg(token.text));
            token.kind = *keyword;
            i = end;
        } else {
            const Symbol* found = nullptr;
            for (const Symbol& symbol : kSymbols) {
                const QString symbolText = QString::fromUtf16(symbol.text);
                if (text.mid(i, symbolText.size()) == symbolText) {
                    found = &symbol;
                    break;
                }
            }
            if (!found)
                return fail(i, ScreenTexts::kErrCharacter.arg(original.mid(i, 1)));
            token.kind = found->kind;
            token.text = QString::fromUtf16(found->text);
            i += static_cast<int>(token.text.size());
        }
        result.tokens.push_back(std::move(token));
    }
    ScreenToken end;
    end.position = size;
    result.tokens.push_back(end);
    return result;
}

} // namespace mosgrid
