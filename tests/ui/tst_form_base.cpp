#include "ui/data_grid.h"
#include "ui/form_base.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A box that counts the keys it gets, to see what the window let through.
class CountingEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() != Qt::Key_Control && e->key() != Qt::Key_Shift)
            ++keys;
        QLineEdit::keyPressEvent(e);
    }
};

class TestForm : public ui::FormBase {
public:
    TestForm()
    {
        auto* layout = new QVBoxLayout(this);
        first = new CountingEdit(this);
        second = new CountingEdit(this);
        third = new CountingEdit(this);
        notes = new QPlainTextEdit(this);
        button = new QPushButton("Tamam", this);
        grid = new ui::DataGrid(this);
        for (QWidget* w : std::initializer_list<QWidget*>{first, second, third, notes, button, grid})
            layout->addWidget(w);
        connect(button, &QPushButton::clicked, this, [this] { ++clicks; });
    }
    CountingEdit* first;
    CountingEdit* second;
    CountingEdit* third;
    QPlainTextEdit* notes;
    QPushButton* button;
    ui::DataGrid* grid;
    int f5 = 0, f10 = 0, f12 = 0, ctrlF = 0, clicks = 0;
    bool f5Handled = false;

protected:
    bool onF5() override
    {
        ++f5;
        return f5Handled;
    }
    bool onF10() override
    {
        ++f10;
        return true;
    }
    bool onF12() override
    {
        ++f12;
        return true;
    }
    bool onCtrlF() override
    {
        ++ctrlF;
        return true;
    }
};

db::RowSet twoRows()
{
    db::RowSet rs;
    rs.columns = std::make_shared<const db::Columns>(QStringList{"KOD", "ADI"});
    rs.rows.emplace_back(rs.columns, QVariantList{1, "Elma"});
    rs.rows.emplace_back(rs.columns, QVariantList{2, "Limon"});
    return rs;
}

}  // namespace

class TstFormBase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterMovesToNextBox();
    void functionKeysReachHandlersFirst();
    void escapeHidesAndShowingAgainKeepsState();
    void escapeCanBeTurnedOff();
    void modalShowingReturnsResult();
    void gridKeepsEscapeWhileEditing();
};

void TstFormBase::enterMovesToNextBox()
{
    TestForm form;
    form.showWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), form.second);
    QTest::keyClick(form.second, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), form.third);
    QCOMPARE(form.first->keys + form.second->keys, 0);  // the boxes never saw the Enter

    // A multi-line text and a button keep Enter for themselves.
    form.notes->setFocus();
    QTest::keyClick(form.notes, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), form.notes);
    QCOMPARE(form.notes->toPlainText(), QString("\n"));
    form.button->setFocus();
    QTest::keyClick(form.button, Qt::Key_Return);
    QCOMPARE(form.clicks, 1);
    QCOMPARE(QApplication::focusWidget(), form.button);
}

void TstFormBase::functionKeysReachHandlersFirst()
{
    TestForm form;
    form.showWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.second->setFocus();
    QTest::keyClick(form.second, Qt::Key_F10);
    QTest::keyClick(form.second, Qt::Key_F12);
    QTest::keyClick(form.second, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(form.f10, 1);
    QCOMPARE(form.f12, 1);
    QCOMPARE(form.ctrlF, 1);
    QCOMPARE(form.second->keys, 0);

    // A handler that does not use the key lets it go on to the box.
    QTest::keyClick(form.second, Qt::Key_F5);
    QCOMPARE(form.f5, 1);
    QCOMPARE(form.second->keys, 1);
    form.f5Handled = true;
    QTest::keyClick(form.second, Qt::Key_F5);
    QCOMPARE(form.f5, 2);
    QCOMPARE(form.second->keys, 1);
}

void TstFormBase::escapeHidesAndShowingAgainKeepsState()
{
    TestForm form;
    form.showWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.first->setText("kalır");
    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    form.showWindow();
    QVERIFY(form.isVisible());
    QCOMPARE(form.first->text(), QString("kalır"));
    // Showing a window that is already open brings the same one forward.
    form.showWindow();
    QVERIFY(form.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

void TstFormBase::escapeCanBeTurnedOff()
{
    TestForm form;
    form.setEscapeCloses(false);
    form.showWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_Escape);
    QVERIFY(form.isVisible());
}

void TstFormBase::modalShowingReturnsResult()
{
    TestForm form;
    QTimer::singleShot(0, &form, [&form] {
        QVERIFY(form.isModal());
        form.first->setFocus();
        QTest::keyClick(form.first, Qt::Key_Escape);
    });
    QCOMPARE(form.showModal(), int(QDialog::Rejected));
    QVERIFY(!form.isVisible());

    QTimer::singleShot(0, &form, [&form] { form.accept(); });
    QCOMPARE(form.showModal(), int(QDialog::Accepted));
}

// With an edit in progress Esc drops the edit; the next Esc closes the window.
void TstFormBase::gridKeepsEscapeWhileEditing()
{
    TestForm form;
    form.grid->setRows(twoRows());
    form.grid->setColumns({{.field = "KOD"}, {.field = "ADI", .editable = true}});
    form.grid->setReadOnly(false);
    form.showWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(form.grid->setValueAt(1, "ADI", "Misket Limonu"));
    form.grid->view()->setFocus();
    QTest::keyClick(form.grid->view(), Qt::Key_Escape);
    QVERIFY(form.isVisible());
    QVERIFY(!form.grid->hasPendingEdit());
    QCOMPARE(form.grid->textAt(1, "ADI"), QString("Limon"));
    QTest::keyClick(form.grid->view(), Qt::Key_Escape);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(TstFormBase)
#include "tst_form_base.moc"
