// Gb2312Code: the code of a character in the Simplified Chinese code page, through iconv.
#include <iconv.h>
#include <QByteArray>
#include <QtGlobal>
#include <mutex>

#include "platform/text/VbText.h"

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Opened once and kept: glibc names the code page "GB2312" (EUC-CN). GBK is a superset,
// used only if a C library lacks GB2312; codes outside GB2312 are filtered out below.
iconv_t Converter() {
    static const iconv_t converter = [] {
        iconv_t cd = iconv_open("GB2312", "UTF-8");
        if (cd == kNoConverter) cd = iconv_open("GBK", "UTF-8");
        if (cd == kNoConverter) qWarning("Gb2312Code: iconv offers neither GB2312 nor GBK");
        return cd;
    }();
    return converter;
}

std::mutex& ConverterMutex() {
    static std::mutex mutex;
    return mutex;
}

// The first character of the text as a code point; 0 for an empty text or a broken
// surrogate pair.
char32_t FirstCodePoint(const QString& text) {
    if (text.isEmpty()) return 0;
    const QChar first = text[0];
    if (!first.isSurrogate()) return first.unicode();
    if (first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate())
        return QChar::surrogateToUcs4(first, text[1]);
    return 0;
}

bool IsGb2312Byte(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xFE;
}

}  // namespace

int Gb2312Code(const QString& ch) {
    const char32_t codePoint = FirstCodePoint(ch);
    if (codePoint < 0x80) return static_cast<int>(codePoint);

    QByteArray utf8 = QString::fromUcs4(&codePoint, 1).toUtf8();
    unsigned char output[8] = {};
    std::size_t written = 0;
    {
        std::lock_guard<std::mutex> lock(ConverterMutex());
        const iconv_t cd = Converter();
        if (cd == kNoConverter) return 0;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);  // fresh state for each character
        char* in = utf8.data();
        std::size_t inLeft = static_cast<std::size_t>(utf8.size());
        char* out = reinterpret_cast<char*>(output);
        std::size_t outLeft = sizeof output;
        if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return 0;
        written = sizeof output - outLeft;
    }
    if (written != 2 || !IsGb2312Byte(output[0]) || !IsGb2312Byte(output[1])) return 0;
    return output[0] * 256 + output[1];
}
