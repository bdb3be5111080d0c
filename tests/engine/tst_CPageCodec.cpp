#include "engine/CPageCodec.h"

#include <QTest>

// Character-set detection and encoding of page files.
class tst_CPageCodec : public QObject
{
    Q_OBJECT

private slots:
    void detect_data();
    void detect();
    void encode_data();
    void encode();
    void roundTripThroughDecode();
    void crlf();
};

void tst_CPageCodec::detect_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<bool>("declared");

    QTest::newRow("ascii") << QByteArray("<p>plain</p>") << QByteArray("UTF-8") << false;
    QTest::newRow("valid utf-8") << QByteArray("<p>caf\xc3\xa9</p>") << QByteArray("UTF-8")
                                 << false;
    QTest::newRow("invalid utf-8")
        << QByteArray("<p>caf\xe9</p>") << QByteArray("windows-1252") << false;
    QTest::newRow("overlong utf-8")
        << QByteArray("<p>\xc0\xaf</p>") << QByteArray("windows-1252") << false;
    QTest::newRow("utf-8 surrogate")
        << QByteArray("<p>\xed\xa0\x80</p>") << QByteArray("windows-1252") << false;
    QTest::newRow("four-byte utf-8")
        << QByteArray("<p>\xf0\x9f\x98\x80</p>") << QByteArray("UTF-8") << false;
    QTest::newRow("truncated utf-8 at end")
        << QByteArray("<p>\xe2\x82") << QByteArray("windows-1252") << false;
    QTest::newRow("bom") << QByteArray("\xef\xbb\xbf<p>x</p>") << QByteArray("UTF-8") << true;
    QTest::newRow("utf-16le bom") << QByteArray("\xff\xfe<\0p\0", 6) << QByteArray("UTF-16LE")
                                  << true;
    QTest::newRow("meta charset") << QByteArray(
                                         "<head><meta charset=\"ISO-8859-1\"></head>\xc3\xa9")
                                  << QByteArray("windows-1252") << true;
    QTest::newRow("meta http-equiv, unquoted, upper case")
        << QByteArray("<HEAD><META HTTP-EQUIV=Content-Type CONTENT='text/html; charset=UTF-8'>")
        << QByteArray("UTF-8") << true;
    QTest::newRow("other charset passes through")
        << QByteArray("<meta content=\"text/html;charset=Shift_JIS\" http-equiv=\"content-type\">")
        << QByteArray("shift_jis") << true;
    QTest::newRow("meta in a comment is no declaration")
        << QByteArray("<!-- <meta charset=\"koi8-r\"> --><p>caf\xe9") << QByteArray("windows-1252")
        << false;
    QTest::newRow("meta after body start is ignored")
        << QByteArray("<body><meta charset=\"koi8-r\">") << QByteArray("UTF-8") << false;
    QTest::newRow("meta utf-16 means utf-8")
        << QByteArray("<meta charset=\"utf-16\">") << QByteArray("UTF-8") << true;
}

void tst_CPageCodec::detect()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, charset);
    QFETCH(bool, declared);
    const CPageCodec::Detection d = CPageCodec::Detect(bytes);
    QCOMPARE(d.charset, charset);
    QCOMPARE(d.declared, declared);
}

void tst_CPageCodec::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<QByteArray>("bytes");

    const QString mixed = QString::fromUtf8("é€→😀");
    QTest::newRow("utf-8") << mixed << QByteArray("UTF-8")
                           << QByteArray("\xc3\xa9\xe2\x82\xac\xe2\x86\x92\xf0\x9f\x98\x80");
    QTest::newRow("windows-1252") << mixed << QByteArray("windows-1252")
                                  << QByteArray("\xe9\x80&#8594;&#128512;");
    QTest::newRow("iso-8859-1 label")
        << mixed << QByteArray("ISO-8859-1") << QByteArray("\xe9\x80&#8594;&#128512;");
    QTest::newRow("iso-8859-5 through the converter")
        << QString::fromUtf8("Жé") << QByteArray("iso-8859-5") << QByteArray("\xb6&#233;");
    QTest::newRow("unknown charset: ascii with references")
        << mixed << QByteArray("x-no-such-charset") << QByteArray("&#233;&#8364;&#8594;&#128512;");
    QTest::newRow("lone surrogate")
        << QString(QChar(0xd800)) << QByteArray("windows-1252") << QByteArray("&#65533;");
}

void tst_CPageCodec::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, charset);
    QFETCH(QByteArray, bytes);
    QCOMPARE(CPageCodec::Encode(text, charset), bytes);
}

void tst_CPageCodec::roundTripThroughDecode()
{
    // C1 controls are left out: HTML reads "&#128;" as the euro sign, so no reference can
    // stand for them.
    QString all;
    for (char16_t c = 0x20; c < 0x7f; ++c)
        all += QChar(c);
    for (char16_t c = 0xa0; c < 0x180; ++c)
        all += QChar(c);
    const QByteArray bytes = CPageCodec::Encode(all, "windows-1252");
    // Every character comes back, directly or as a reference.
    QString decoded = CPageCodec::Decode(bytes, "windows-1252");
    for (char16_t c = 0x100; c < 0x180; ++c) {
        decoded.replace(QStringLiteral("&#%1;").arg(int(c)), QString(QChar(c)));
    }
    QCOMPARE(decoded, all);
}

void tst_CPageCodec::crlf()
{
    QCOMPARE(CPageCodec::ToCrLf(QStringLiteral("a\nb\r\nc\n")), QStringLiteral("a\r\nb\r\nc\r\n"));
    QVERIFY(CPageCodec::Detect("a\r\nb\r\nc\n").crlf);
    QVERIFY(!CPageCodec::Detect("a\nb\r\nc\n").crlf);
}

QTEST_GUILESS_MAIN(tst_CPageCodec)
#include "tst_CPageCodec.moc"
