#include "frame/LockKeyIndicators.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#ifdef PELION_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace {

const char *const kTexts[3] = {"CAP", "NUM", "SCRL"};

// Whether each lock is on; false for all when it cannot be told.
void ReadLocks(bool locks[3])
{
    locks[0] = locks[1] = locks[2] = false;
#ifdef PELION_HAVE_X11
    auto *x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    const char *names[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    for (int i = 0; i < 3; ++i) {
        const Atom atom = XInternAtom(display, names[i], True);
        Bool on = False;
        if (atom != None && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
            locks[i] = on;
    }
#endif
}

} // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar *bar)
    : QObject(bar)
{
    for (int i = 0; i < 3; ++i) {
        auto *pane = new QLabel(bar);
        pane->setObjectName(QString::fromLatin1(kTexts[i]));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QLatin1String(kTexts[i])) + 12);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(pane);
        m_panes[i] = pane;
    }
    qApp->installEventFilter(this);
    Refresh();
}

void LockKeyIndicators::Refresh()
{
    bool locks[3];
    ReadLocks(locks);
    for (int i = 0; i < 3; ++i)
        m_panes[i]->setText(locks[i] ? QString::fromLatin1(kTexts[i]) : QString());
}

bool LockKeyIndicators::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            Refresh();
    } else if (event->type() == QEvent::ApplicationActivate) {
        Refresh();
    }
    return QObject::eventFilter(watched, event);
}
