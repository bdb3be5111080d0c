#include "engine/CEngineBridge.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

// The runtime's messages arrive as console lines; only those with the view's token count.
class tst_CEngineBridge : public QObject
{
    Q_OBJECT

private slots:
    void tokensDifferPerBridge();
    void receive_data();
    void receive();
};

void tst_CEngineBridge::tokensDifferPerBridge()
{
    CEngineBridge a, b;
    QVERIFY(a.Token().size() >= 32);
    QVERIFY(a.Token() != b.Token());
}

void tst_CEngineBridge::receive_data()
{
    QTest::addColumn<QString>("line"); // "@" stands for this bridge's token
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("states");
    QTest::addColumn<int>("notes");
    QTest::addColumn<bool>("warns");

    QTest::newRow("push") << QStringLiteral(
                                 R"(@{"push":{"gen":3,"title":"Caf\u00e9 \ud83d\ude00"}})")
                          << true << 1 << 0 << false;
    QTest::newRow("notify") << QStringLiteral(R"(@{"notify":"find","data":{"found":true}})") << true
                            << 0 << 1 << false;
    QTest::newRow("other console text")
        << QStringLiteral("Uncaught TypeError: x is not a function") << false << 0 << 0 << false;
    QTest::newRow("json without token")
        << QStringLiteral(R"({"push":{"gen":3}})") << false << 0 << 0 << false;
    QTest::newRow("another view's token")
        << QStringLiteral("\x01pelion:0123456789abcdef0123456789abcdef:{\"push\":{}}") << false << 0
        << 0 << false;
    QTest::newRow("token cut short")
        << QStringLiteral(R"(%{"push":{"gen":3}})") << false << 0 << 0 << false;
    QTest::newRow("token mid-line")
        << QStringLiteral(R"(x@{"push":{"gen":3}})") << false << 0 << 0 << false;
    QTest::newRow("malformed json")
        << QStringLiteral(R"(@{"push":{"gen":)") << true << 0 << 0 << true;
    QTest::newRow("not an object") << QStringLiteral("@[1,2]") << true << 0 << 0 << true;
    QTest::newRow("unknown kind") << QStringLiteral(R"(@{"other":1})") << true << 0 << 0 << false;
}

void tst_CEngineBridge::receive()
{
    QFETCH(QString, line);
    QFETCH(bool, taken);
    QFETCH(int, states);
    QFETCH(int, notes);
    QFETCH(bool, warns);
    CEngineBridge bridge;
    line.replace(QLatin1Char('@'), bridge.Token());
    line.replace(QLatin1Char('%'), bridge.Token().chopped(1));
    QSignalSpy stateSpy(&bridge, &CEngineBridge::stateArrived);
    QSignalSpy noteSpy(&bridge, &CEngineBridge::notified);
    if (warns)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("malformed runtime message"));
    QCOMPARE(bridge.Receive(line), taken);
    QCOMPARE(stateSpy.count(), states);
    QCOMPARE(noteSpy.count(), notes);
    if (states) {
        const QVariantMap state = stateSpy.first().first().toMap();
        QCOMPARE(state.value(QStringLiteral("gen")).toInt(), 3);
        QCOMPARE(state.value(QStringLiteral("title")).toString(),
                 QString::fromUtf8("Caf\xc3\xa9 \xf0\x9f\x98\x80"));
    }
    if (notes) {
        QCOMPARE(noteSpy.first().at(0).toString(), QStringLiteral("find"));
        QCOMPARE(noteSpy.first().at(1).toMap().value(QStringLiteral("found")).toBool(), true);
    }
}

QTEST_GUILESS_MAIN(tst_CEngineBridge)
#include "tst_CEngineBridge.moc"
