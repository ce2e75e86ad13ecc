#include "catalog/DisplayText.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <string>

namespace {

const char kReplacementUtf8[] = "\xEF\xBF\xBD"; // U+FFFD
constexpr std::size_t kReplacementSize = sizeof(kReplacementUtf8) - 1;
// A CP932 byte never yields more UTF-8 than this, nor does its replacement.
constexpr std::size_t kUtf8BytesPerInputByte = 3;

// glibc's converter, one per thread: an iconv_t carries state and must not be shared.
class Cp932Decoder {
public:
    Cp932Decoder() : m_cd(::iconv_open("UTF-8", "CP932")) {}
    ~Cp932Decoder()
    {
        if (isValid())
            ::iconv_close(m_cd);
    }
    Cp932Decoder(const Cp932Decoder&) = delete;
    Cp932Decoder& operator=(const Cp932Decoder&) = delete;

    bool isValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    QString decode(std::string_view bytes);

private:
    iconv_t m_cd;
};

QString Cp932Decoder::decode(std::string_view bytes)
{
    ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(bytes.size() * kUtf8BytesPerInputByte + kReplacementSize, '\0');
    char* in = const_cast<char*>(bytes.data()); // iconv's signature; it does not write
    std::size_t inLeft = bytes.size();
    char* outPos = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (::iconv(m_cd, &in, &inLeft, &outPos, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG || outLeft < kReplacementSize) {
            const std::size_t used = outPos - out.data();
            out.resize(out.size() * 2);
            outPos = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // An invalid or cut-off sequence: show one replacement and resume after its first
        // byte, so a bad lead byte cannot swallow the ASCII byte that follows it.
        std::memcpy(outPos, kReplacementUtf8, kReplacementSize);
        outPos += kReplacementSize;
        outLeft -= kReplacementSize;
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(out.data(), outPos - out.data());
}

} // namespace

QString DisplayText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    thread_local Cp932Decoder cp932;
    if (!cp932.isValid())
        return text; // no converter: the UTF-8 reading, invalid bytes replaced
    return cp932.decode(bytes);
}
