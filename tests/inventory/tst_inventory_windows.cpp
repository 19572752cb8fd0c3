// The inventory windows driven offscreen with scripted dialogs: the stock
// card window and its picker, the code lists, the VAT rate and the exchange
// rates (fetched from a page served on 127.0.0.1).
#include "demo.h"
#include "inventory/code_list_frms.h"
#include "inventory/code_list_grid.h"
#include "inventory/kdvorani_frm.h"
#include "inventory/kurgiris_frm.h"
#include "inventory/stock_cards.h"
#include "inventory/stok_frm.h"
#include "inventory/stokgrup_frm.h"
#include "inventory/stoksec_frm.h"
#include "local_http_server.h"
#include "test_db.h"
#include "ui/data_grid.h"
#include "ui/dialogs.h"
#include "ui/edit_boxes.h"
#include "ui/grid_model.h"
#include "ui/lookup_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

using testsupport::TestDatabase;

namespace {

inventory::StockCardInput card(const QString& code, const QString& name)
{
    inventory::StockCardInput c;
    c.code = code;
    c.name = name;
    c.group = "Sebze";
    c.purchaseUnit = "KG";
    c.baseUnit = "GR";
    c.unitQuantity = "1";
    c.factor = "1000";
    c.purchasePrice = "40";
    return c;
}

QByteArray fixturePage()
{
    QFile f(QFINDTESTDATA("fixtures/today.html"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("fixture page missing");
    return f.readAll();
}

// Closes a modal window whose scripted steps failed to, so that a failing
// check cannot hang the run.
class ModalGuard {
public:
    explicit ModalGuard(QWidget* window)
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, window, &QWidget::close);
        timer_.start(10000);
    }

private:
    QTimer timer_;
};

}  // namespace

class TstInventoryWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void emptyAndLoadedStates();
    void newCardFromTheWindow();
    void refusalsShowAndFocus();
    void duplicateKeepsFields();
    void changeAndDeleteActOnLoadedCard();
    void unitPairGivesBaseUnit();
    void pictureFromFile();
    void salePricesFollowLoadedCard();
    void pickerPickMode();
    void pickerCardModeAndCorrection();
    void groupPagesAndStockCard();
    void vatRateEmptiedIsZero();
    void typedRates();
    void fetchFromLocalServer();
    void fetchWithoutDollar();
    void fetchFromUnreachableServer();
    void pictures();

private:
    void windows();
    int positionOf(inventory::StoksecFrm& picker, const QString& code);
    void doubleClick(ui::DataGrid* grid, int position);

    std::unique_ptr<TestDatabase> db_;
    ui::ScriptedDialogDriver* dialogs_ = nullptr;
    ui::AppContext context_;
    std::unique_ptr<inventory::StoksecFrm> picker_;
    std::unique_ptr<inventory::StokFrm> stok_;
};

void TstInventoryWindows::init()
{
    db_ = TestDatabase::fresh();
    context_.setSession(&db_->session());
    auto driver = std::make_unique<ui::ScriptedDialogDriver>();
    dialogs_ = driver.get();
    ui::setDialogDriver(std::move(driver));
    auto& s = db_->session();
    s.exec("INSERT INTO Q_GRUPS (GRUP, STOK) VALUES ('Sebze', 1)");
    s.exec("INSERT INTO Q_BIRIMS (Olcu, Birim) VALUES ('KG', 'GR')");
    s.exec("INSERT INTO Q_BIRIMS (Olcu, Birim) VALUES ('KOLI', 'ADET')");
}

void TstInventoryWindows::cleanup()
{
    stok_.reset();
    picker_.reset();
    ui::setDialogDriver(std::make_unique<ui::WidgetDialogDriver>());
    context_.setSession(nullptr);
    db_.reset();
}

void TstInventoryWindows::windows()
{
    picker_ = std::make_unique<inventory::StoksecFrm>(context_);
    stok_ = std::make_unique<inventory::StokFrm>(context_, *picker_);
}

int TstInventoryWindows::positionOf(inventory::StoksecFrm& picker, const QString& code)
{
    for (int i = 0; i < picker.grid->rowCount(); ++i)
        if (picker.grid->valueAt(i, "KODU").toString() == code)
            return i;
    return -1;
}

void TstInventoryWindows::doubleClick(ui::DataGrid* grid, int position)
{
    const QModelIndex index = grid->model()->indexAt(position, 0);
    const QRect r = grid->view()->visualRect(index);
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, r.center());
}

void TstInventoryWindows::emptyAndLoadedStates()
{
    inventory::StockCardService cards(db_->session());
    const qint64 id = cards.create(card("K1", "Domates")).key;
    db_->session().exec(
        "INSERT INTO Q_ITEMS_F_CHANGE (KODU, AFIYAT, TARIH, HESADI) "
        "VALUES ('K1', 38, '2026-03-01 00:00:00', 'Hal Ticaret')");
    windows();
    auto& w = *stok_;
    w.showWindow();
    QVERIFY(w.btnpost->isEnabled());
    QVERIFY(!w.btncancel->isEnabled() && !w.btndel->isEnabled() && !w.btnedit->isEnabled());
    QVERIFY(w.btncogalt->isEnabled());
    QCOMPARE(w.kdv_ed->text(), QString("8"));
    QCOMPARE(w.afiyat_ed->text(), QString("0"));

    w.openPicker();
    QCOMPARE(picker_->tag(), inventory::StoksecFrm::kCardModeTag);
    doubleClick(picker_->grid, positionOf(*picker_, "K1"));
    QVERIFY(picker_->isVisible());  // card mode: the picker stays open
    QCOMPARE(w.loadedCard(), std::optional<qint64>(id));
    QCOMPARE(w.kod_ed->text(), QString("K1"));
    QCOMPARE(w.stok_ed->text(), QString("Domates"));
    QCOMPARE(w.agirlik_ed->text(), QString("1000"));
    QCOMPARE(w.M_ID->text(), QString::number(id));
    QVERIFY(w.rb1->isChecked() && !w.rb2->isChecked());
    QVERIFY(!w.takip->isChecked());
    // Net purchase price: 40 / 1.08.
    QCOMPARE(w.cxCurrencyEdit1->text(), QString("37,037"));
    QVERIFY(!w.btnpost->isEnabled());
    QVERIFY(w.btncancel->isEnabled() && w.btndel->isEnabled() && w.btnedit->isEnabled());
    QCOMPARE(w.fdegis->rowCount(), 1);

    // "&Vazgeç" empties the card; the number and the history of the last card stay.
    QTest::mouseClick(w.btncancel, Qt::LeftButton);
    QVERIFY(w.kod_ed->text().isEmpty());
    QCOMPARE(w.afiyat_ed->text(), QString("0"));
    QVERIFY(!w.rb1->isChecked() && !w.rb2->isChecked());
    QCOMPARE(w.M_ID->text(), QString::number(id));
    QCOMPARE(w.fdegis->rowCount(), 1);
    QVERIFY(!w.loadedCard());
    QVERIFY(w.btnpost->isEnabled() && !w.btnedit->isEnabled());
}

void TstInventoryWindows::newCardFromTheWindow()
{
    windows();
    auto& w = *stok_;
    w.showWindow();
    w.kod_ed->setText("K9");
    w.grp_ed->setText("Sebze");
    w.stok_ed->setText("Kırmızı Biber");
    w.sbirim_ed->setText("KG");
    w.arabirim_ed->setText("GR");
    w.bmiktar_ed->setText("1");
    w.agirlik_ed->setText("1000");
    w.afiyat_ed->setText("0");
    w.takip->setChecked(true);
    QTest::mouseClick(w.btnpost, Qt::LeftButton);
    QVERIFY2(dialogs_->shown.isEmpty(), qPrintable(dialogs_->texts().join("|")));
    const auto row = db_->session().selectOne("SELECT * FROM Q_ITEMS WHERE KODU = 'K9'");
    QVERIFY(row);
    QCOMPARE(row->text("ADI"), QString("Kırmızı Biber"));
    QCOMPARE(row->number("AFIYAT"), 1.0);
    QCOMPARE(row->integer("STOK"), 1);
    QCOMPARE(row->text("STOKTAKIP"), QString("1"));
    QCOMPARE(row->number("KDV"), 8.0);
    // Saved, the card is empty again, and it is a card without movements.
    QVERIFY(w.kod_ed->text().isEmpty());
    QCOMPARE(w.hareketsiz->rowCount(), 1);
}

void TstInventoryWindows::refusalsShowAndFocus()
{
    inventory::StockCardService(db_->session()).create(card("K1", "Domates"));
    windows();
    auto& w = *stok_;
    w.showWindow();
    w.activateWindow();
    w.kod_ed->setText("K2");
    w.grp_ed->setText("Sebze");
    w.bmiktar_ed->setText("1");
    w.sbirim_ed->setText("KG");
    QVERIFY(!w.saveCard());
    QCOMPARE(dialogs_->shown.size(), 1);
    QCOMPARE(dialogs_->shown[0].kind, QString("box"));
    QCOMPARE(dialogs_->shown[0].caption, QString("D I K K A T ..."));
    QCOMPARE(dialogs_->shown[0].text, QString("Stok Adı Boş Olamaz !!!"));
    QCOMPARE(dialogs_->shown[0].icon, ui::Icon::Warning);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.stok_ed));
    QCOMPARE(w.kod_ed->text(), QString("K2"));  // the input stays

    dialogs_->clear();
    w.stok_ed->setText("Domates");
    QVERIFY(!w.saveCard());
    QCOMPARE(dialogs_->shown[0].kind, QString("message"));
    QCOMPARE(dialogs_->shown[0].text, QString("Aynı Stok Adı Zaten Mevcut"));
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM Q_ITEMS").toInt(), 1);
}

void TstInventoryWindows::duplicateKeepsFields()
{
    inventory::StockCardService(db_->session()).create(card("K1", "Domates"));
    windows();
    auto& w = *stok_;
    w.showWindow();
    w.loadCard(*db_->session().selectOne("SELECT URUN_ID FROM Q_ITEMS"));
    w.kod_ed->setText("K2");
    w.stok_ed->setText("Domates 2");
    QTest::mouseClick(w.btncogalt, Qt::LeftButton);
    QVERIFY2(dialogs_->shown.isEmpty(), qPrintable(dialogs_->texts().join("|")));
    QCOMPARE(w.kod_ed->text(), QString("K2"));
    QCOMPARE(w.agirlik_ed->text(), QString("1000"));
    // Pressed again without a new code: the copy exists now.
    QVERIFY(!w.duplicateCard());
    QCOMPARE(dialogs_->texts(), QStringList{"Aynı Stok Kodu Zaten Mevcut"});
    const auto copy = db_->session().selectOne("SELECT * FROM Q_ITEMS WHERE KODU = 'K2'");
    QVERIFY(copy);
    QCOMPARE(copy->text("ADI"), QString("Domates 2"));
    QCOMPARE(copy->number("BIRIMAGR"), 1000.0);
}

void TstInventoryWindows::changeAndDeleteActOnLoadedCard()
{
    inventory::StockCardService cards(db_->session());
    const qint64 a = cards.create(card("K1", "Domates")).key;
    const qint64 b = cards.create(card("K2", "Biber")).key;
    windows();
    auto& w = *stok_;
    w.showWindow();
    w.openPicker();
    doubleClick(picker_->grid, positionOf(*picker_, "K1"));
    // The user looks at another row of the picker, then changes the card.
    QVERIFY(picker_->grid->setCurrentPosition(positionOf(*picker_, "K2")));
    QCOMPARE(picker_->dbedt1->text(), QString("K2"));
    w.stok_ed->setText("Salkım Domates");
    QTest::mouseClick(w.btnedit, Qt::LeftButton);
    QVERIFY2(dialogs_->shown.isEmpty(), qPrintable(dialogs_->texts().join("|")));
    QCOMPARE(cards.load(a)->text("ADI"), QString("Salkım Domates"));
    QCOMPARE(cards.load(b)->text("ADI"), QString("Biber"));
    QVERIFY(!w.loadedCard());

    picker_->refresh();
    doubleClick(picker_->grid, positionOf(*picker_, "K1"));
    QVERIFY(picker_->grid->setCurrentPosition(positionOf(*picker_, "K2")));
    dialogs_->answerNo();
    QVERIFY(!w.deleteCard());
    QVERIFY(cards.load(a));
    dialogs_->answerYes();
    QTest::mouseClick(w.btndel, Qt::LeftButton);
    QCOMPARE(dialogs_->shown.last().caption, QString("D I K K A T ..."));
    QCOMPARE(dialogs_->shown.last().text, QString("Stok Kaydını Silmek İstediğinize Emin misiniz ?"));
    QVERIFY(!cards.load(a));
    QVERIFY(cards.load(b));
    QVERIFY(w.M_ID->text().isEmpty());
}

void TstInventoryWindows::unitPairGivesBaseUnit()
{
    windows();
    auto& w = *stok_;
    w.showWindow();
    QVERIFY(w.sbirim_ed->pick("Olcu", "KOLI"));
    QCOMPARE(w.arabirim_ed->text(), QString("ADET"));
    QVERIFY(w.arabirim_ed->isReadOnly());
    // Typed and left, it works too.
    w.sbirim_ed->setFocus();
    w.sbirim_ed->setText("KG");
    Q_EMIT w.sbirim_ed->editingFinished();
    QCOMPARE(w.arabirim_ed->text(), QString("GR"));
}

void TstInventoryWindows::pictureFromFile()
{
    const qint64 id = inventory::StockCardService(db_->session()).create(card("K1", "Domates")).key;
    windows();
    auto& w = *stok_;
    w.showWindow();
    QVERIFY(!w.btnresim->isEnabled());
    w.loadCard(*db_->session().selectOne("SELECT URUN_ID FROM Q_ITEMS"));
    QTemporaryDir dir;
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath("domates.png");
    QVERIFY(image.save(path));
    dialogs_->answerFileName(path);
    QVERIFY(w.loadPicture());
    QVERIFY(!w.cxDBImage1->pixmap().isNull());
    QImage stored;
    QVERIFY(stored.loadFromData(inventory::StockCardService(db_->session()).picture(id)));
    QCOMPARE(stored.size(), QSize(64, 48));
    // A file that is no picture changes nothing.
    const QString junk = dir.filePath("junk.png");
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    dialogs_->answerFileName(junk);
    QVERIFY(!w.loadPicture());
    QVERIFY(!inventory::StockCardService(db_->session()).picture(id).isEmpty());
    dialogs_->answerYes();
    QVERIFY(w.removePicture());
    QVERIFY(inventory::StockCardService(db_->session()).picture(id).isEmpty());
}

void TstInventoryWindows::salePricesFollowLoadedCard()
{
    auto& s = db_->session();
    inventory::StockCardService(s).create(card("K1", "Domates"));
    s.exec("INSERT INTO Q_ITEMS_PRICES_NM (FIYATADI, FKISA) VALUES ('Restoran', 'RST')");
    windows();
    auto& w = *stok_;
    w.showWindow();
    // No card yet: a price has nowhere to go.
    QVERIFY(w.sfiyats->setNewRowValue("FIYATADI", "Restoran"));
    QVERIFY(!w.sfiyats->commitEdit() || s.scalar("SELECT COUNT(*) FROM Q_ITEMS_PRICES").toInt() == 0);
    w.sfiyats->cancelEdit();
    dialogs_->clear();

    w.loadCard(*s.selectOne("SELECT URUN_ID FROM Q_ITEMS"));
    QCOMPARE(w.sfiyats->columns()[0].choices, QStringList{"Restoran"});
    QVERIFY(w.sfiyats->setNewRowValue("FIYATADI", "Restoran"));
    QVERIFY(w.sfiyats->setNewRowValue("FIYAT", "12.5"));
    QVERIFY(w.sfiyats->commitEdit());
    const auto price = s.selectOne("SELECT * FROM Q_ITEMS_PRICES");
    QVERIFY(price);
    QCOMPARE(price->text("KODU"), QString("K1"));
    QCOMPARE(price->text("ADI"), QString("Domates"));
    QCOMPARE(price->number("FIYAT"), 12.5);
    // A second price in the same list is refused.
    QVERIFY(w.sfiyats->setNewRowValue("FIYATADI", "Restoran"));
    QVERIFY(!w.sfiyats->commitEdit());
    QCOMPARE(dialogs_->texts().last(), QString("Bu Fiyat Grubunda Stoğun Fiyatı Zaten Mevcut"));
    w.sfiyats->cancelEdit();

    // A new price list is offered at once.
    QVERIFY(w.flar->setNewRowValue("FIYATADI", "Oda Servisi"));
    QVERIFY(w.flar->commitEdit());
    QCOMPARE(w.sfiyats->columns()[0].choices, (QStringList{"Restoran", "Oda Servisi"}));
}

void TstInventoryWindows::pickerPickMode()
{
    inventory::StockCardService cards(db_->session());
    cards.create(card("K1", "Domates"));
    cards.create(card("K2", "Biber"));
    db_->session().exec("INSERT INTO Q_ITEMS (KODU, ADI, URUN) VALUES ('P1', 'Çoban Salata', 1)");
    windows();

    // Enter on a row picks it.
    QTimer::singleShot(0, this, [this] {
        QVERIFY(picker_->isModal());
        QCOMPARE(picker_->grid->rowCount(), 2);  // no products
        picker_->grid->setCurrentPosition(positionOf(*picker_, "K2"));
        picker_->grid->view()->setFocus();
        QTest::keyClick(picker_->grid->view(), Qt::Key_Return);
    });
    std::optional<inventory::StockPick> picked;
    {
        ModalGuard guard(picker_.get());
        picked = inventory::pickStock(nullptr);
    }
    QVERIFY(picked);
    QCOMPARE(picked->code, QString("K2"));
    QCOMPARE(picked->name, QString("Biber"));
    QCOMPARE(picked->factor, 1000.0);
    QCOMPARE(picked->netPricePerBaseUnit(), 40.0 / 1000.0 / 1.08);
    QCOMPARE(picked->row.text("BIRIM"), QString("KG"));

    // A double-click picks and closes.
    QTimer::singleShot(0, this, [this] { doubleClick(picker_->grid, positionOf(*picker_, "K1")); });
    {
        ModalGuard guard(picker_.get());
        picked = inventory::pickStock(nullptr);
    }
    QVERIFY(picked);
    QCOMPARE(picked->code, QString("K1"));
    QVERIFY(!picker_->isVisible());

    // Filtered to nothing, closing picks nothing.
    QTimer::singleShot(0, this, [this] {
        picker_->grid->setFilterText("yok böyle bir stok");
        QTest::keyClick(picker_->grid->view(), Qt::Key_Escape);
    });
    {
        ModalGuard guard(picker_.get());
        QVERIFY(!inventory::pickStock(nullptr));
    }
    picker_->grid->setFilterText({});
}

void TstInventoryWindows::pickerCardModeAndCorrection()
{
    inventory::StockCardService cards(db_->session());
    const qint64 a = cards.create(card("K1", "Domates")).key;
    cards.create(card("K2", "Biber"));
    windows();
    // A caller that asks for card mode: a double-click loads the card and the
    // picker stays; the caller gets the row on closing.
    QTimer::singleShot(0, this, [this] {
        doubleClick(picker_->grid, positionOf(*picker_, "K1"));
        QVERIFY(picker_->isVisible());
        QTest::mouseClick(picker_->btnexit, Qt::LeftButton);
    });
    std::optional<inventory::StockPick> picked;
    {
        ModalGuard guard(picker_.get());
        picked = inventory::pickStock(nullptr, {inventory::StockPickOptions::Mode::Card});
    }
    QCOMPARE(stok_->loadedCard(), std::optional<qint64>(a));
    QVERIFY(picked);
    QCOMPARE(picked->code, QString("K1"));
    stok_->close();

    // The next caller sets its own mode again.
    QTimer::singleShot(0, this, [this] { doubleClick(picker_->grid, positionOf(*picker_, "K2")); });
    {
        ModalGuard guard(picker_.get());
        picked = inventory::pickStock(nullptr);
    }
    QVERIFY(picked);
    QCOMPARE(picked->code, QString("K2"));
    QCOMPARE(picker_->mode(), inventory::StockPickOptions::Mode::Pick);

    // Price, VAT and barcode are corrected in place.
    picker_->showWindow();
    const int pos = positionOf(*picker_, "K1");
    QVERIFY(picker_->grid->setValueAt(pos, "AFIYAT", "42.5"));
    QVERIFY(picker_->grid->setValueAt(pos, "BARKOD", "8690000000012"));
    QVERIFY(picker_->grid->commitEdit());
    QCOMPARE(cards.load(a)->number("AFIYAT"), 42.5);
    QCOMPARE(cards.load(a)->text("BARKOD"), QString("8690000000012"));
    QVERIFY(!picker_->grid->setValueAt(pos, "ADI", "Başka"));
    picker_->close();
}

void TstInventoryWindows::groupPagesAndStockCard()
{
    inventory::StokgrupFrm groups(context_);
    groups.showWindow();
    groups.pages->setCurrentWidget(groups.stokgrup);
    QVERIFY(groups.stokgrup->grid->setNewRowValue("GRUP", "Bakliyat"));
    QVERIFY(groups.stokgrup->grid->commitEdit());
    groups.pages->setCurrentWidget(groups.urungrup);
    QVERIFY(groups.urungrup->grid->setNewRowValue("GRUP", "Tatlılar"));
    QVERIFY(groups.urungrup->grid->setNewRowValue("xchol", true));
    QVERIFY(groups.urungrup->grid->commitEdit());
    auto& s = db_->session();
    QCOMPARE(s.scalar("SELECT STOK FROM Q_GRUPS WHERE GRUP = 'Bakliyat'").toInt(), 1);
    QCOMPARE(s.scalar("SELECT STOK FROM Q_GRUPS WHERE GRUP = 'Tatlılar'").toInt(), 0);
    QCOMPARE(s.scalar("SELECT xchol FROM Q_GRUPS WHERE GRUP = 'Tatlılar'").toInt(), 1);
    // The new row shows its key.
    QVERIFY(groups.urungrup->grid->valueAt(0, "GRUP_ID").toLongLong() > 0);

    windows();
    stok_->showWindow();
    QStringList offered;
    for (const auto& r : stok_->grp_ed->rows())
        offered << r.text("GRUP");
    QCOMPARE(offered, (QStringList{"Bakliyat", "Sebze"}));

    // An edit not written is dropped on closing.
    QVERIFY(groups.stokgrup->grid->setValueAt(0, "GRUP", "Değişti"));
    groups.close();
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_GRUPS WHERE GRUP = 'Değişti'").toInt(), 0);

    // Deleting asks first.
    groups.showWindow();
    groups.stokgrup->grid->setCurrentPosition(0);
    dialogs_->answerYes();
    QVERIFY(groups.stokgrup->removeCurrent());
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM Q_GRUPS WHERE STOK = 1").toInt(), 1);
}

void TstInventoryWindows::vatRateEmptiedIsZero()
{
    inventory::KdvoraniFrm w(context_);
    w.showWindow();
    QCOMPARE(w.KDV->text(), QString("8"));
    w.KDV->clear();
    QTest::mouseClick(w.btnexit, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(db_->session().scalar("SELECT KDV FROM Q_KDV").toDouble(), 0.0);
    w.showWindow();
    w.KDV->setText("1.2.3");
    w.close();
    QVERIFY(w.isVisible());  // not a number: the window stays
    QCOMPARE(dialogs_->texts(), QStringList{"Lütfen Geçerli Bir Kdv Oranı Giriniz"});
    w.KDV->setText("18");
    QTest::keyClick(w.KDV, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(db_->session().scalar("SELECT KDV FROM Q_KDV").toDouble(), 18.0);
}

void TstInventoryWindows::typedRates()
{
    auto& s = db_->session();
    s.exec("INSERT INTO KURTANIM (kisa, ad) VALUES ('Usd', 'ABD Doları')");
    s.exec("INSERT INTO KURTANIM (kisa, ad) VALUES ('Eur', 'Euro')");
    inventory::KurgirisFrm w(context_);
    w.showWindow();
    QCOMPARE(w.tarih->date(), QDate::currentDate());
    QCOMPARE(w.DTA->rowCount(), 2);
    QVERIFY(w.btnpost->isEnabled() && !w.btnedit->isEnabled() && !w.btndel->isEnabled());

    w.tarih->setDate(QDate(2026, 12, 11));
    QVERIFY(w.ksadi->pick("kisa", "Usd"));
    w.alis->setText("41.2");
    QVERIFY(!w.saveRate());
    QCOMPARE(dialogs_->texts(), QStringList{"Lütfen Döviz Satış Fiyatını Boş Bırakmayınız"});
    w.satis->setText("41.3");
    QVERIFY(w.saveRate());
    QVERIFY(w.ksadi->text().isEmpty());
    QVERIFY(w.ksadi->pick("kisa", "Eur"));
    w.satis->setText("47.9");
    QVERIFY(w.saveRate());
    QCOMPARE(w.kur->rowCount(), 2);

    // The same currency on the same day again.
    dialogs_->clear();
    QVERIFY(w.ksadi->pick("kisa", "Usd"));
    w.satis->setText("1");
    QVERIFY(!w.saveRate());
    QCOMPARE(dialogs_->texts(), QStringList{"Usd       :İsimli Kayıt Zaten Mevcut (Mükerrer Kayıt)"});

    // Load the dollar row; change it to the euro: refused before asking.
    w.cancelEntry();
    int usd = w.kur->textAt(0, "kisa") == "Usd" ? 0 : 1;
    w.loadRow(usd);
    QVERIFY(w.btnedit->isEnabled() && !w.btnpost->isEnabled());
    QCOMPARE(w.satis->text(), QString("41.3"));
    const qint64 loaded = *w.loadedRate();
    // Moving the list's cursor does not change which row is changed.
    w.kur->setCurrentPosition(1 - usd);
    w.ksadi->setText("Eur");
    dialogs_->clear();
    QVERIFY(!w.changeRate());
    QCOMPARE(dialogs_->texts(), QStringList{"Eur       :İsimli Kayıt Zaten Mevcut (Mükerrer Kayıt)"});
    w.ksadi->setText("Usd");
    w.satis->setText("41.35");
    dialogs_->clear();
    dialogs_->answerYes();
    QVERIFY(w.changeRate());
    QCOMPARE(dialogs_->texts(), QStringList{" Kaydı Değiştirmek İstediğinizden Emin misiniz?"});
    QCOMPARE(s.scalar("SELECT tlsat FROM KUR WHERE kisa = 'Usd'").toDouble(), 41.35);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM KUR WHERE auto_no = :n", {{"n", loaded}}).toInt(), 0);
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM KUR").toInt(), 2);

    // Delete without a loaded row, then with one.
    dialogs_->clear();
    QVERIFY(!w.deleteRate());
    QCOMPARE(dialogs_->texts(), QStringList{"Silinecek Kayıt Bulunamadı"});
    usd = w.kur->textAt(0, "kisa") == "Usd" ? 0 : 1;
    w.loadRow(usd);
    dialogs_->clear();
    dialogs_->answerYes();
    QVERIFY(w.deleteRate());
    QCOMPARE(dialogs_->texts(), QStringList{"  :İsimli Kaydı Silmek İstediğinizden Emin misiniz?"});
    QCOMPARE(s.scalar("SELECT COUNT(*) FROM KUR").toInt(), 1);
    QCOMPARE(s.scalar("SELECT kisa FROM KUR").toString(), QString("Eur"));
}

void TstInventoryWindows::fetchFromLocalServer()
{
    LocalHttpServer server(fixturePage());
    inventory::KurgirisFrm w(context_);
    w.setRatesUrl(server.url());
    w.showWindow();
    w.tarih->setDate(QDate(2026, 12, 11));
    QTest::mouseClick(w.btnkural, Qt::LeftButton);
    QCOMPARE(dialogs_->texts(), QStringList{"Islem Tamamlandı"});
    const db::RowSet rows = db_->session().select("SELECT * FROM KUR ORDER BY auto_no");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].text("kisa"), QString("Eur"));
    QCOMPARE(rows[0].number("tlal"), 47.8816);
    QCOMPARE(rows[0].number("tlsat"), 47.9679);
    QCOMPARE(rows[1].text("kisa"), QString("Usd"));
    QCOMPARE(rows[1].number("tlal"), 41.2345);
    QCOMPARE(rows[1].number("tlsat"), 41.3089);
    QCOMPARE(rows[2].text("kisa"), QString("Gbp"));
    QCOMPARE(rows[2].number("tlal"), 55.3902);
    QCOMPARE(rows[2].number("tlsat"), 55.679);
    QCOMPARE(w.kur->rowCount(), 3);
    QVERIFY(w.edt3->text().isEmpty());  // stored: the boxes are emptied
    QVERIFY(w.memo->toPlainText().contains("1 ABD DOLARI Alış   = 41.2345"));

    // Fetched again the same day: nothing more is stored.
    dialogs_->clear();
    QVERIFY(!w.fetchRates());
    QCOMPARE(dialogs_->texts(), QStringList{" Eur Zaten Mevcut (Mükerrer Kayıt)"});
    QCOMPARE(w.edt3->text(), QString("41.2345"));
    QCOMPARE(w.edt6->text(), QString("47.9679"));
    QCOMPARE(w.edt2->text(), QString("55.6790"));
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM KUR").toInt(), 3);

    // "Aktar" for another day stores what the boxes hold.
    dialogs_->clear();
    w.tarih->setDate(QDate(2026, 12, 12));
    QTest::mouseClick(w.btnaktar, Qt::LeftButton);
    QCOMPARE(dialogs_->texts(), QStringList{"Islem Tamamlandı"});
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM KUR").toInt(), 6);
    dialogs_->clear();
    QTest::mouseClick(w.btnaktar, Qt::LeftButton);
    QCOMPARE(dialogs_->texts(), QStringList{"Kurlar Alınmamış"});
}

void TstInventoryWindows::fetchWithoutDollar()
{
    QByteArray page = fixturePage();
    page.replace("1 ABD DOLARI", "1 ABD DOLAR KURU");
    LocalHttpServer server(page);
    inventory::KurgirisFrm w(context_);
    w.setRatesUrl(server.url());
    w.showWindow();
    QVERIFY(!w.fetchRates());
    QCOMPARE(dialogs_->texts(), QStringList{"Kur bilgisi yok"});
    QVERIFY(w.edt3->text().isEmpty());
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM KUR").toInt(), 0);
}

void TstInventoryWindows::fetchFromUnreachableServer()
{
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    inventory::KurgirisFrm w(context_);
    w.setRatesUrl(QUrl(QString("http://127.0.0.1:%1/kurlar/today.html").arg(port)));
    w.showWindow();
    QVERIFY(!w.fetchRates());
    QCOMPARE(dialogs_->shown.size(), 1);
    QCOMPARE(dialogs_->shown[0].kind, QString("error"));
    QVERIFY(!dialogs_->shown[0].text.isEmpty());
    QCOMPARE(db_->session().scalar("SELECT COUNT(*) FROM KUR").toInt(), 0);
}

void TstInventoryWindows::pictures()
{
    // The demo installation: the card with stock in the most departments.
    auto& s = db_->session();
    s.exec("DELETE FROM Q_GRUPS");
    s.exec("DELETE FROM Q_BIRIMS");
    pos::DemoScale scale;
    scale.days = 10;
    scale.billsPerDay = 60;
    pos::buildDemo(s, scale);
    const auto busiest = s.selectOne(
        "SELECT i.URUN_ID AS URUN_ID FROM Q_KALANS k JOIN Q_ITEMS i ON i.KODU = k.StokKodu "
        "GROUP BY i.URUN_ID ORDER BY COUNT(*) DESC, i.URUN_ID LIMIT 1");
    QVERIFY(busiest);
    windows();
    const QString dir = QDir::current().filePath("pictures");
    QDir().mkpath(dir);
    stok_->showWindow();
    stok_->loadCard(*busiest);
    QVERIFY(stok_->kalan->rowCount() >= 3);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QVERIFY(stok_->grab().save(dir + "/stok_frm.png"));
    stok_->pages->setCurrentIndex(3);
    QApplication::processEvents();
    QVERIFY(stok_->grab().save(dir + "/stok_frm_aylik.png"));
    stok_->pages->setCurrentIndex(4);
    QApplication::processEvents();
    QVERIFY(stok_->grab().save(dir + "/stok_frm_hareketsiz.png"));

    picker_->openForCards();
    QApplication::processEvents();
    QVERIFY(picker_->grab().save(dir + "/stoksec_frm.png"));

    inventory::KurgirisFrm rates(context_);
    rates.showWindow();
    rates.loadRow(0);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QVERIFY(rates.grab().save(dir + "/kurgiris_frm.png"));
    // Fetched twice from the fixture page: the second time the rates stay in the boxes.
    LocalHttpServer server(fixturePage());
    rates.setRatesUrl(server.url());
    rates.fetchRates();
    rates.fetchRates();
    QCOMPARE(rates.edt3->text(), QString("41.2345"));
    QApplication::processEvents();
    QVERIFY(rates.grab().save(dir + "/kurgiris_frm_mb.png"));

    inventory::StokgrupFrm groups(context_);
    groups.showWindow();
    groups.pages->setCurrentWidget(groups.stokgrup);
    QApplication::processEvents();
    QVERIFY(groups.grab().save(dir + "/stokgrup_frm.png"));
    qInfo("pictures in %s", qPrintable(dir));
}

QTEST_MAIN(TstInventoryWindows)
#include "tst_inventory_windows.moc"
