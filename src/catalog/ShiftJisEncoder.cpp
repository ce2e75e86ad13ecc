#include "catalog/ShiftJisEncoder.h"

#include <iconv.h>

namespace mosgrid {

namespace {

// A CP932 character is never longer than its UTF-8 form.
constexpr std::size_t kSpareBytes = 4;

// glibc's converter, one per thread: an iconv_t carries state and must not be shared.
class Cp932Encoder {
public:
    Cp932Encoder() : m_cd(::iconv_open("CP932", "UTF-8")) {}
    ~Cp932Encoder()
    {
        if (isValid())
            ::iconv_close(m_cd);
    }
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;

    bool isValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> encode(std::string_view utf8)
    {
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::string out(utf8.size() + kSpareBytes, '\0');
        char* in = const_cast<char*>(utf8.data()); // iconv's signature; it does not write
        std::size_t inLeft = utf8.size();
        char* outPos = out.data();
        std::size_t outLeft = out.size();
        if (::iconv(m_cd, &in, &inLeft, &outPos, &outLeft) == static_cast<std::size_t>(-1)
            || ::iconv(m_cd, nullptr, nullptr, &outPos, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(outPos - out.data());
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::optional<std::string> EncodeShiftJis(std::string_view utf8)
{
    thread_local Cp932Encoder cp932;
    if (!cp932.isValid())
        return std::nullopt;
    return cp932.encode(utf8);
}

} // namespace mosgrid
