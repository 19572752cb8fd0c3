#include "ui/form_base.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

namespace ui {

namespace {

// One application-wide filter hands every key press to the window it belongs
// to before the focused control gets it.
class KeyPreview : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        // A key press the receiver ignores travels on to its parents; the
        // window has already seen it at the first step.
        if (event == lastEvent_ && lastReceiver_ && isAncestorOf(widget, lastReceiver_)) {
            lastReceiver_ = widget;
            return false;
        }
        lastEvent_ = event;
        lastReceiver_ = widget;
        auto* form = qobject_cast<FormBase*>(widget->window());
        if (!form || !form->isEnabled())
            return false;
        return form->previewKey(static_cast<QKeyEvent*>(event));
    }

    static KeyPreview& instance()
    {
        static KeyPreview* filter = [] {
            auto* f = new KeyPreview;
            qApp->installEventFilter(f);
            return f;
        }();
        return *filter;
    }

private:
    static bool isAncestorOf(const QWidget* ancestor, const QWidget* child)
    {
        for (const QWidget* w = child ? child->parentWidget() : nullptr; w; w = w->parentWidget())
            if (w == ancestor)
                return true;
        return false;
    }

    const QEvent* lastEvent_ = nullptr;
    QPointer<QWidget> lastReceiver_;
};

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Does the control with the focus want Esc or Enter for itself?
bool controlKeepsKey(QWidget* focus, QKeyEvent* event)
{
    if (!focus)
        return false;
    if (isEnter(event->key())) {
        if (qobject_cast<QAbstractButton*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
            qobject_cast<QTextEdit*>(focus))
            return true;
    }
    // An editor open inside a grid or list: Enter commits it, Esc cancels it.
    for (QWidget* w = focus->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w))
            return true;
        if (w->isWindow())
            break;
    }
    QKeyEvent probe(QEvent::ShortcutOverride, event->key(), event->modifiers(), event->text());
    probe.ignore();
    QCoreApplication::sendEvent(focus, &probe);
    return probe.isAccepted();
}

}  // namespace

FormBase::FormBase(QWidget* parent) : QDialog(parent)
{
    KeyPreview::instance();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
}

FormBase::~FormBase() = default;

int FormBase::showModal()
{
    if (isVisible() && !isModal())
        hide();
    return exec();
}

void FormBase::showWindow()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void FormBase::focusNextBox()
{
    focusNextPrevChild(true);
}

// Keys no control used end here; the dialog's own Esc handling must not close
// a window that keeps Esc.
void FormBase::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !escapeCloses_) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FormBase::previewKey(QKeyEvent* event)
{
    const int key = event->key();
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() != this)
        focus = nullptr;

    if (mods == Qt::NoModifier) {
        switch (key) {
            case Qt::Key_F5:
                return onF5();
            case Qt::Key_F10:
                return onF10();
            case Qt::Key_F12:
                return onF12();
            case Qt::Key_Escape:
                if (!escapeCloses_ || controlKeepsKey(focus, event))
                    return false;
                close();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (!enterMovesFocus_ || controlKeepsKey(focus, event))
                    return false;
                focusNextBox();
                return true;
            default:
                return false;
        }
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_F)
        return onCtrlF();
    return false;
}

}  // namespace ui
