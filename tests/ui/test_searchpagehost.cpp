// The design search page on its own, in front of a fake window: what it asks of the
// window (the input, the precision, putting a candidate on the input page, a
// computation, the clock) and what it signals (back, a list shown, a candidate taken,
// saving), without any other page.
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "ui/SearchPage.h"

namespace {

const QColor kRed(0xFFFF0000u);

struct FakeHost : rockpile::SearchPageHost {
    rockpile::PileInput input = rockpile::PileInput::StartDefaults();
    int precision = 2;
    bool computationSucceeds = true;
    QDateTime now = QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9));

    mutable int inputsRead = 0;
    int prepared = 0;
    int computations = 0;
    std::vector<rockpile::SearchCandidate> candidates;

    rockpile::PileInput CurrentInput() const override
    {
        ++inputsRead;
        return input;
    }
    int PrecisionMode() const override { return precision; }
    void PrepareInputForSearch() override { ++prepared; }
    void PutCandidate(const rockpile::SearchCandidate& candidate) override { candidates.push_back(candidate); }
    bool RunComputation() override
    {
        ++computations;
        return computationSucceeds;
    }
    QDateTime Now() const override { return now; }
};

}  // namespace

class TestSearchPageHost : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeHost> host;
    std::unique_ptr<rockpile::SearchPage> page;

    template <typename W = QWidget>
    W* find(const char* name)
    {
        auto* w = page->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("control %s not found", name);
        return w;
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QTableView* all() { return find<QTableView>("Grid2_Youhuajieguo"); }
    QLabel* info() { return find<QLabel>("lb_YHxingxi"); }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        host = std::make_unique<FakeHost>();
        page = std::make_unique<rockpile::SearchPage>(*host, nullptr);
        page->resize(370, 800);
        page->show();
    }
    void cleanup()
    {
        page.reset();
        host.reset();
    }

    void isTheScaledPageOfTheSearch()
    {
        QCOMPARE(page->objectName(), QStringLiteral("YouHuaFormLayer"));
        QCOMPARE(page->designSize(), QSizeF(370, 800));
    }

    // A search reads the input once, sets the input page for the search, puts the last
    // candidate there and computes it; its list then claims "存盘".
    void searchAsksTheHostInItsOrder()
    {
        QSignalSpy shown(page.get(), &rockpile::SearchPage::listShown);
        button("cbt_YHcompute")->click();

        QCOMPARE(info()->text(), QStringLiteral("计算完成，桩数：1152 根"));
        QCOMPARE(all()->model()->rowCount(), 1152);
        QCOMPARE(host->inputsRead, 1);
        QCOMPARE(host->prepared, 1);
        QCOMPARE(host->computations, 1);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(host->candidates.size(), std::size_t(1));
        const rockpile::SearchCandidate& last = host->candidates.front();
        QCOMPARE(last.sectionItem, 2);
        QCOMPARE(last.first, QStringLiteral("2000"));
        QCOMPARE(last.second, QStringLiteral("2000"));
        QCOMPARE(last.basisItem, 1);
        QVERIFY(!last.weathering.has_value());
        QVERIFY(button("cbt_YHsave")->isEnabled());
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
    }

    // The window reports a stopped computation through ShowRunAborted.
    void abortedRunIsShownInRed()
    {
        page->ShowRunAborted();
        QCOMPARE(info()->text(), QStringLiteral("运行中止，主界面可查看中止位置、原因"));
        QCOMPARE(info()->palette().color(QPalette::Active, QPalette::WindowText), kRed);
    }

    void backOnlySignals()
    {
        QSignalSpy back(page.get(), &rockpile::SearchPage::backRequested);
        button("cbt_YHfanhui")->click();
        QCOMPARE(back.count(), 1);
        QVERIFY(page->isVisible());  // the window decides which page shows
    }

    // A double click hands the row's inputs to the host and signals the window.
    void takingBackPutsTheRowOnTheHost()
    {
        button("cbt_YHcompute")->click();
        host->candidates.clear();
        QSignalSpy taken(page.get(), &rockpile::SearchPage::candidateTaken);

        page->Grid2_YouhuajieguoCellDblClick(0, 0);

        QCOMPARE(taken.count(), 1);
        QCOMPARE(host->candidates.size(), std::size_t(1));
        const rockpile::SearchCandidate& c = host->candidates.front();
        QCOMPARE(c.sectionItem, 0);
        QCOMPARE(c.first, QStringLiteral("1000"));
        QCOMPARE(c.second, QStringLiteral("0"));
        QCOMPARE(c.basisItem, 0);
        QCOMPARE(c.lr, QStringLiteral("1.00"));
        QCOMPARE(c.frk, QStringLiteral("35.00"));
        QCOMPARE(c.weathering, std::optional<QString>(QStringLiteral("中风化")));
        QCOMPARE(c.integrityClass, std::optional<QString>(QStringLiteral("完整")));
        QVERIFY(!c.kv.has_value());
        // Rows that are not there take nothing back.
        page->Grid2_YouhuajieguoCellDblClick(1152, 0);
        QCOMPARE(taken.count(), 1);
    }

    // "存盘" only signals; the list the window then has saved closes with the host's time.
    void saveSignalsAndTheListEndsWithTheHostsTime()
    {
        QSignalSpy save(page.get(), &rockpile::SearchPage::saveRequested);
        QVERIFY(!page->HasVisibleList());

        button("cbt_YHcompute")->click();
        button("cbt_YHsave")->click();
        QCOMPARE(save.count(), 1);
        QVERIFY(page->HasVisibleList());
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        page->SaveVisibleList(folder.path());
        QFile file(folder.filePath(QStringLiteral("嵌岩桩优化计算原始结果(依据DBJ15-31-2016)_表格.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringEncoder gbk("GBK");
        const QByteArray lastLine = gbk.encode(QStringLiteral("计算时间：2026/3/5 14:07:09\r\n"));
        QVERIFY(bytes.endsWith(lastLine));
        QVERIFY(!button("cbt_YHsave")->isEnabled());

        // The information line says where the list went, and its link asks the window
        // to show that folder.
        auto* info = page->findChild<QLabel*>(QStringLiteral("lb_YHxingxi"));
        const QString path = QDir::toNativeSeparators(file.fileName());
        QCOMPARE(info->toolTip(), QStringLiteral("已保存：") + path);
        QVERIFY(info->text().startsWith(QStringLiteral("已保存：")));
        QVERIFY(info->text().endsWith(QStringLiteral("<a href=\"folder\">打开文件夹</a>")));
        QSignalSpy open(page.get(), &rockpile::SearchPage::openFolderRequested);
        emit info->linkActivated(QStringLiteral("folder"));
        QCOMPARE(open.count(), 1);
        QCOMPARE(open.at(0).at(0).toString(), folder.path());
    }

    // The fold state is the page's own: the button's text follows it.
    void foldButtonTogglesColumns()
    {
        QTableView* grid = all();
        QVERIFY(grid->isColumnHidden(6));
        button("cbt_zhangkai")->click();
        QCOMPARE(button("cbt_zhangkai")->text(), QStringLiteral("折叠"));
        QVERIFY(!grid->isColumnHidden(6));
        QVERIFY(grid->isColumnHidden(7));  // the weathering never shows
        button("cbt_zhangkai")->click();
        QCOMPARE(button("cbt_zhangkai")->text(), QStringLiteral("展开"));
        QVERIFY(grid->isColumnHidden(6));
        QVERIFY(find<QTableWidget>("Grid1_Youhuaxuanxiang")->isColumnHidden(4));
    }
};

QTEST_MAIN(TestSearchPageHost)
#include "test_searchpagehost.moc"
