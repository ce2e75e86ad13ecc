#include "TextDecoder.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

namespace brasko {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
// One CP932 byte (half-width katakana) becomes three UTF-8 bytes at most.
constexpr std::size_t kCp932Growth = 3;

void ConvertUtf16(std::string& bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes));
    const QByteArray utf8 = text.toUtf8();
    bytes.assign(utf8.constData(), std::size_t(utf8.size()));
}

void ConvertCp932(std::string& bytes)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == iconv_t(-1))
        return; // no converter: the bytes stay; Japanese headers then simply do not match
    std::string out(bytes.size() * kCp932Growth + kReplacement.size(), '\0');
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
        if (outLeft < kReplacement.size())
            break;
        dst = std::copy(kReplacement.begin(), kReplacement.end(), dst);
        outLeft -= kReplacement.size();
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    out.resize(std::size_t(dst - out.data()));
    bytes.swap(out);
}

} // namespace

void DecodeToUtf8(std::string& bytes)
{
    const std::string_view view(bytes);
    if (view.starts_with(kUtf8Bom)) {
        bytes.erase(0, kUtf8Bom.size());
    } else if (view.starts_with(kUtf16LeBom)) {
        ConvertUtf16(bytes, QStringConverter::Utf16LE);
        return;
    } else if (view.starts_with(kUtf16BeBom)) {
        ConvertUtf16(bytes, QStringConverter::Utf16BE);
        return;
    }
    if (!QByteArrayView(bytes).isValidUtf8())
        ConvertCp932(bytes);
}

} // namespace brasko
