#include "toolkit/CCmdUI.h"
#include "toolkit/CDocument.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/CMDIFrameWnd.h"
#include "toolkit/CView.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QtTest>

#include <functional>

// Gives the test access to a target's handler registration.
template<class Base>
class Target : public Base
{
public:
    using Base::Base;
    void Handle(int id, QStringList *log, const QString &name)
    {
        this->OnCommand(id, [log, name] { log->append(name); });
    }
    void HandleRange(int first, int last, QStringList *log, const QString &name)
    {
        this->OnCommandRange(first, last,
                             [log, name](int id) { log->append(name + QString::number(id)); });
    }
    void Rule(int id, std::function<void(CCmdUI &)> rule) { this->OnUpdateCommand(id, rule); }
};

class PlainTarget : public CCmdTarget
{};

using TestView = Target<CView>;
using TestDoc = Target<CDocument>;
using TestFrame = Target<CMDIFrameWnd>;
using TestApp = Target<PlainTarget>;

class HintView : public CView
{
public:
    void OnUpdate(CView *sender, int hint) override { updates.append({sender, hint}); }
    QList<QPair<CView *, int>> updates;
};

// A view whose close answer the test gives later.
class AskingView : public CView
{
public:
    void QueryClose(std::function<void(bool)> done) override { pending = std::move(done); }
    void OnDestroy() override { destroyed = true; }
    std::function<void(bool)> pending;
    bool destroyed = false;
};

class ClosingDoc : public CDocument
{
public:
    explicit ClosingDoc(int *closes)
        : m_closes(closes)
    {}
    void OnCloseDocument() override { ++*m_closes; }

private:
    int *m_closes;
};

class tst_CCmdTarget : public QObject
{
    Q_OBJECT

private slots:
    void routingOrder_data();
    void routingOrder();
    void updateRules();
    void disabledAcceleratorDoesNotRun();
    void menuUpdateSetsChecks();
    void closeWaitsForTheViewsAnswer();
    void updateAllViewsSkipsTheSender();

private:
    struct Page
    {
        TestDoc *doc;
        TestView *view;
        CMDIChildWnd *child;
    };
    static Page AddPage(TestFrame &frame)
    {
        auto *doc = new TestDoc;
        auto *view = new TestView;
        doc->AddView(view);
        auto *child = new CMDIChildWnd;
        child->SetView(view);
        frame.AddChild(child);
        frame.ShowChild(child);
        return {doc, view, child};
    }
};

void tst_CCmdTarget::routingOrder_data()
{
    QTest::addColumn<QStringList>("handlers");
    QTest::addColumn<QString>("reached");
    QTest::newRow("view-first") << QStringList{"view", "doc", "frame", "app"} << "view";
    QTest::newRow("then-document") << QStringList{"doc", "frame", "app"} << "doc";
    QTest::newRow("then-frame") << QStringList{"frame", "app"} << "frame";
    QTest::newRow("then-application") << QStringList{"app"} << "app";
    QTest::newRow("nobody") << QStringList{} << "";
}

void tst_CCmdTarget::routingOrder()
{
    QFETCH(QStringList, handlers);
    QFETCH(QString, reached);
    QStringList log;
    TestFrame frame;
    TestApp app;
    frame.SetApplicationTarget(&app);
    AddPage(frame);
    Page page = AddPage(frame); // the active one
    const int id = 4242;
    if (handlers.contains("view"))
        page.view->Handle(id, &log, "view");
    if (handlers.contains("doc"))
        page.doc->Handle(id, &log, "doc");
    if (handlers.contains("frame"))
        frame.Handle(id, &log, "frame");
    if (handlers.contains("app"))
        app.Handle(id, &log, "app");
    QCOMPARE(frame.ActiveView(), page.view);
    QCOMPARE(frame.RouteCommand(id), !reached.isEmpty());
    QCOMPARE(log, reached.isEmpty() ? QStringList() : QStringList{reached});
}

void tst_CCmdTarget::updateRules()
{
    QStringList log;
    TestFrame frame;
    TestApp app;
    frame.SetApplicationTarget(&app);
    Page page = AddPage(frame);

    // The first rule along the route decides, even over a later target's rule.
    page.doc->Rule(1, [](CCmdUI &ui) { ui.Enable(false); });
    frame.Rule(1, [](CCmdUI &ui) { ui.Enable(true); });
    // Without a rule: enabled exactly when somebody handles the command.
    app.Handle(2, &log, "app");
    // A rule that decides nothing leaves the item as it was.
    page.view->Rule(4, [](CCmdUI &) {});
    // Explicit handler registered before a range wins over the range.
    page.view->Handle(11, &log, "explicit");
    page.view->HandleRange(10, 20, &log, "range");

    QAction one, two, three, keptOff, keptOn;
    frame.BindAction(&one, 1);
    frame.BindAction(&two, 2);
    frame.BindAction(&three, 3);
    keptOff.setEnabled(false);
    frame.BindAction(&keptOff, 4);
    frame.UpdateCommandUI();
    QVERIFY(!one.isEnabled());
    QVERIFY(two.isEnabled());
    QVERIFY(!three.isEnabled());
    QVERIFY(!keptOff.isEnabled());
    keptOff.setEnabled(true);
    frame.UpdateCommandUI();
    QVERIFY(keptOff.isEnabled());

    frame.RouteCommand(11);
    frame.RouteCommand(12);
    QCOMPARE(log, (QStringList{"explicit", "range12"}));
}

void tst_CCmdTarget::disabledAcceleratorDoesNotRun()
{
    QStringList log;
    TestFrame frame;
    Page page = AddPage(frame);
    bool enabled = false;
    page.view->Handle(7, &log, "ran");
    page.view->Rule(7, [&enabled](CCmdUI &ui) { ui.Enable(enabled); });
    QVERIFY(!frame.RouteCommandIfEnabled(7));
    enabled = true;
    QVERIFY(frame.RouteCommandIfEnabled(7));
    QCOMPARE(log, QStringList{"ran"});
}

void tst_CCmdTarget::menuUpdateSetsChecks()
{
    QStringList log;
    TestFrame frame;
    Page page = AddPage(frame);
    bool latched = true;
    page.view->Handle(5, &log, "five");
    page.view->Rule(5, [&latched](CCmdUI &ui) { ui.SetCheck(latched); });
    QMenu menu;
    QAction *item = frame.BindAction(menu.addAction("item"), 5);
    frame.UpdateMenu(&menu);
    QVERIFY(item->isChecked());
    QVERIFY(item->isEnabled());
    latched = false;
    frame.UpdateMenu(&menu);
    QVERIFY(!item->isChecked());
}

void tst_CCmdTarget::closeWaitsForTheViewsAnswer()
{
    CMDIFrameWnd frame;
    int closes = 0;
    auto *doc = new ClosingDoc(&closes); // deleted with its last view
    auto *view = new AskingView;
    doc->AddView(view);
    auto *child = new CMDIChildWnd;
    child->SetView(view);
    frame.AddChild(child);
    frame.ShowChild(child);
    QPointer<CMDIChildWnd> guard(child);
    QSignalSpy closed(child, &CMDIChildWnd::frameClosed);
    QSignalSpy refused(child, &CMDIChildWnd::closeRefused);

    child->close();
    QVERIFY(view->pending);
    QCOMPARE(closed.count(), 0);
    QVERIFY(frame.OpenChildren().isEmpty()); // a frame being closed is no longer offered
    auto answer = std::move(view->pending);
    answer(false); // refused: the frame stays
    QCOMPARE(refused.count(), 1);
    QCOMPARE(frame.OpenChildren().size(), 1);
    QVERIFY(!view->destroyed);

    child->close();
    answer = std::move(view->pending);
    answer(true); // a later yes closes it from the event loop
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(view->destroyed);
    QCOMPARE(closes, 1);
    QTRY_VERIFY(!guard);
}

void tst_CCmdTarget::updateAllViewsSkipsTheSender()
{
    CDocument doc;
    HintView first, second;
    doc.AddView(&first);
    doc.AddView(&second);
    doc.UpdateAllViews(&first, 2);
    doc.UpdateAllViews(nullptr, 3);
    QCOMPARE(first.updates.size(), 1);
    QCOMPARE(first.updates.at(0).second, 3);
    QCOMPARE(second.updates.size(), 2);
    QCOMPARE(second.updates.at(0).first, &first);
    QCOMPARE(second.updates.at(0).second, 2);
    doc.RemoveView(&first);
    doc.RemoveView(&second);
}

QTEST_MAIN(tst_CCmdTarget)
#include "tst_CCmdTarget.moc"
