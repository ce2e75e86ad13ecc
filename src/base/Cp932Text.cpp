#include "base/Cp932Text.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace mosgrid {

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
    std::string decode(std::string_view bytes);

private:
    iconv_t m_cd;
};

std::string Cp932Decoder::decode(std::string_view bytes)
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
        std::memcpy(outPos, kReplacementUtf8, kReplacementSize);
        outPos += kReplacementSize;
        outLeft -= kReplacementSize;
        ++in;
        --inLeft;
    }
    out.resize(outPos - out.data());
    return out;
}

} // namespace

std::string Cp932ToUtf8(std::string_view bytes)
{
    thread_local Cp932Decoder cp932;
    if (!cp932.isValid())
        return {};
    return cp932.decode(bytes);
}

bool IsValidUtf8(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoding happens when the result becomes a string.
    const QString text =
        utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !utf8.hasError();
}

} // namespace mosgrid
