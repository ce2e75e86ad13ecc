#include "settings/SettingsFileEncoding.h"

#include "base/Cp932Text.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace mosgrid {

namespace SettingsFileEncoding {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool IsUtf16(Form form)
{
    return form == Form::Utf16Le || form == Form::Utf16Be;
}

std::string_view BomOf(Form form)
{
    switch (form) {
    case Form::Bytes: return {};
    case Form::Utf8Bom: return kUtf8Bom;
    case Form::Utf16Le: return kUtf16LeBom;
    case Form::Utf16Be: return kUtf16BeBom;
    }
    return {};
}

QStringConverter::Encoding Utf16Encoding(Form form)
{
    return form == Form::Utf16Le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

std::string Utf16ToUtf8(std::string_view body, Form form)
{
    QStringDecoder decoder(Utf16Encoding(form), QStringDecoder::Flag::Stateless);
    QString text =
        decoder.decode(QByteArrayView(body.data(), static_cast<qsizetype>(body.size())));
    // A surrogate without its partner reads as U+FFFD, as any other bad unit does.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size()
            && text[i + 1].isLowSurrogate();
        if (pair)
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text.toUtf8().toStdString();
}

std::string Utf8ToUtf16(std::string_view text, Form form)
{
    QStringEncoder encoder(Utf16Encoding(form), QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder.encode(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return bytes.toStdString();
}

} // namespace

Form Detect(std::string_view bytes)
{
    if (bytes.starts_with(kUtf16LeBom))
        return Form::Utf16Le;
    if (bytes.starts_with(kUtf16BeBom))
        return Form::Utf16Be;
    if (bytes.starts_with(kUtf8Bom))
        return Form::Utf8Bom;
    return Form::Bytes;
}

std::string DecodeLossy(std::string_view bytes, Form form)
{
    const std::string_view body = bytes.substr(BomOf(form).size());
    return IsUtf16(form) ? Utf16ToUtf8(body, form) : std::string(body);
}

std::optional<std::string> Decode(std::string_view bytes, Form form)
{
    std::string text = DecodeLossy(bytes, form);
    // Odd lengths and lone surrogates would not survive a write: such a file is only read.
    if (IsUtf16(form) && Encode(text, form) != bytes)
        return std::nullopt;
    return text;
}

std::string Encode(std::string_view text, Form form)
{
    std::string bytes(BomOf(form));
    if (IsUtf16(form))
        bytes += Utf8ToUtf16(text, form);
    else
        bytes += text;
    return bytes;
}

std::string TextFor(std::string_view bytes, Form form)
{
    if (form == Form::Bytes || IsValidUtf8(bytes))
        return std::string(bytes);
    return Cp932ToUtf8(bytes);
}

} // namespace SettingsFileEncoding

} // namespace mosgrid
