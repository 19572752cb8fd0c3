#pragma once

#include <QDialog>

class QKeyEvent;

namespace ui {

// The base of every window of the program. Each window exists once for the
// whole run; closing it only hides it, and showing it again brings the same
// window (with its boxes as they were) to the front.
//
// Keys: the window sees every key before its controls do.
//  - Esc closes the window.
//  - Enter (Return or keypad Enter) moves the focus to the next box.
//  - F5, F10, F12 and Ctrl+F go to onF5(), onF10(), onF12() and onCtrlF();
//    a handler that returns false lets the key go on to the control.
// A control that needs Esc or Enter itself (a grid with an edit in progress, a
// multi-line text, a button, an open editor inside a grid) keeps it: push
// buttons and multi-line texts always do, and any widget may claim the key by
// accepting the QEvent::ShortcutOverride event the window sends it first.
class FormBase : public QDialog {
    Q_OBJECT
public:
    explicit FormBase(QWidget* parent = nullptr);
    ~FormBase() override;

    // Shows the window and waits until it is closed; returns the dialog result
    // (QDialog::Accepted when the window called accept()).
    int showModal();
    // Shows the window without waiting; a window already on show comes to the front.
    void showWindow();

    bool escapeCloses() const { return escapeCloses_; }
    void setEscapeCloses(bool on) { escapeCloses_ = on; }
    bool enterMovesFocus() const { return enterMovesFocus_; }
    void setEnterMovesFocus(bool on) { enterMovesFocus_ = on; }

    // Called for every key pressed anywhere in the window, before the control
    // under the focus; return true when the key was used. The default handles
    // Esc, Enter and the function keys as described above.
    virtual bool previewKey(QKeyEvent* event);

protected:
    virtual bool onF5() { return false; }
    virtual bool onF10() { return false; }
    virtual bool onF12() { return false; }
    virtual bool onCtrlF() { return false; }

    // Moves the focus to the next box in the tab order (what Enter does).
    void focusNextBox();
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool escapeCloses_ = true;
    bool enterMovesFocus_ = true;
};

}  // namespace ui
