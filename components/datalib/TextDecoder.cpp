#include "TextDecoder.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace brasko {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr unsigned char kFirstNonAscii = 0x80;
// One CP932 byte (half-width katakana) becomes three UTF-8 bytes at most.
constexpr std::size_t kCp932Growth = 3;

// Stateless: a piece converts as it would inside the whole file. The file's own mark is
// skipped; inside a file the same code point is a character (ZWNBSP) and is kept.
void ConvertUtf16(std::string& bytes, QStringConverter::Encoding encoding, bool atFileStart)
{
    QStringConverter::Flags flags = QStringConverter::Flag::Stateless;
    if (!atFileStart)
        flags |= QStringConverter::Flag::ConvertInitialBom;
    QStringDecoder decoder(encoding, flags);
    const QString text = decoder.decode(QByteArrayView(bytes));
    const QByteArray utf8 = text.toUtf8();
    bytes.assign(utf8.constData(), std::size_t(utf8.size()));
}

void ConvertCp932(std::string& bytes)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == iconv_t(-1))
        return; // no converter: the bytes stay; Japanese headers then simply do not match
    std::string out(bytes.size() * kCp932Growth + kReplacementCharacter.size(), '\0');
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &dst, &outLeft) != std::size_t(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen with the growth bound; stop rather than loop
        // An invalid or cut-off sequence: mark it and go on after its first byte.
        if (outLeft < kReplacementCharacter.size())
            break;
        dst = std::copy(kReplacementCharacter.begin(), kReplacementCharacter.end(), dst);
        outLeft -= kReplacementCharacter.size();
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    out.resize(std::size_t(dst - out.data()));
    bytes.swap(out);
}

} // namespace

std::size_t ByteOrderMarkLength(std::string_view head)
{
    if (head.starts_with(kUtf8Bom))
        return kUtf8Bom.size();
    if (head.starts_with(kUtf16LeBom) || head.starts_with(kUtf16BeBom))
        return kUtf16LeBom.size();
    return 0;
}

TextEncoding EncodingByMark(std::string_view head)
{
    if (head.starts_with(kUtf16LeBom))
        return TextEncoding::Utf16Le;
    if (head.starts_with(kUtf16BeBom))
        return TextEncoding::Utf16Be;
    return TextEncoding::Utf8;
}

bool IsValidUtf8(std::string_view bytes)
{
    return QByteArrayView(bytes.data(), qsizetype(bytes.size())).isValidUtf8();
}

bool IsAscii(std::string_view bytes)
{
    // A word at a time: the tail of every price file read in part goes through here.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    constexpr std::size_t kWordsPerStep = 4;
    constexpr std::size_t kStep = kWordsPerStep * sizeof(std::uint64_t);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    for (; end - p >= std::ptrdiff_t(kStep); p += kStep) {
        std::uint64_t words[kWordsPerStep];
        std::memcpy(words, p, kStep);
        if ((words[0] | words[1] | words[2] | words[3]) & kHighBits)
            return false;
    }
    return std::all_of(p, end,
                       [](char c) { return static_cast<unsigned char>(c) < kFirstNonAscii; });
}

void DecodePiece(std::string& bytes, TextEncoding encoding, bool atFileStart)
{
    switch (encoding) {
    case TextEncoding::Utf16Le:
        ConvertUtf16(bytes, QStringConverter::Utf16LE, atFileStart);
        return;
    case TextEncoding::Utf16Be:
        ConvertUtf16(bytes, QStringConverter::Utf16BE, atFileStart);
        return;
    case TextEncoding::Utf8:
        if (atFileStart && std::string_view(bytes).starts_with(kUtf8Bom))
            bytes.erase(0, kUtf8Bom.size());
        return;
    case TextEncoding::Cp932:
        if (atFileStart && std::string_view(bytes).starts_with(kUtf8Bom))
            bytes.erase(0, kUtf8Bom.size());
        ConvertCp932(bytes);
        return;
    }
}

void DecodeToUtf8(std::string& bytes)
{
    TextEncoding encoding = EncodingByMark(bytes);
    if (encoding == TextEncoding::Utf8) {
        const std::size_t mark = ByteOrderMarkLength(bytes);
        if (!IsValidUtf8(std::string_view(bytes).substr(mark)))
            encoding = TextEncoding::Cp932;
    }
    DecodePiece(bytes, encoding, true);
}

} // namespace brasko
