// The GB18030 decoder against glibc's iconv, code by code: every byte alone, every lead byte
// with every second byte, and every four-byte code.

#include "plan/gb18030.h"

#include <QtEndian>
#include <QtTest>

#include <iconv.h>
#include <string>

using namespace callcfg;

class Gb18030Test : public QObject {
    Q_OBJECT

    iconv_t iconv_ = iconv_open("UTF-32LE", "GB18030");
    int differences_ = 0;
    QString first_;

    // The one character iconv makes of the whole code; none when it refuses it.
    std::optional<char32_t> iconvChar(std::string code) {
        char out[8];
        char* inAt = code.data();
        char* outAt = out;
        std::size_t inLeft = code.size(), outLeft = sizeof out;
        iconv(iconv_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(iconv_, &inAt, &inLeft, &outAt, &outLeft) == std::size_t(-1) || inLeft ||
            outLeft != 4)
            return std::nullopt;
        return qFromLittleEndian<char32_t>(out);
    }

    void check(const std::string& code) {
        const auto mine = gb18030Char(QByteArrayView(code));
        const auto ours = mine && mine->length == int(code.size())
                              ? std::optional<char32_t>(mine->codePoint)
                              : std::nullopt;
        if (ours != iconvChar(code) && differences_++ == 0)
            first_ = QByteArray::fromStdString(code).toHex(' ');
    }

private slots:
    void everyCodeAsIconv() {
        QVERIFY(iconv_ != iconv_t(-1));
        for (int a = 0; a < 256; ++a) {
            check({char(a)});
            for (int b = 0; a >= 0x80 && b < 256; ++b)
                check({char(a), char(b)});
            for (int b = 0x30; a >= 0x80 && b <= 0x39; ++b)
                for (int c = 0x81; c <= 0xFE; ++c)
                    for (int d = 0x30; d <= 0x39; ++d)
                        check({char(a), char(b), char(c), char(d)});
        }
        QVERIFY2(differences_ == 0,
                 qPrintable(QStringLiteral("%1 codes differ from iconv, first %2")
                                .arg(differences_)
                                .arg(first_)));
        iconv_close(iconv_);
    }
};

QTEST_APPLESS_MAIN(Gb18030Test)
#include "gb18030_test.moc"
