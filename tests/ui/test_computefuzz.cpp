// Random inputs with huge, tiny, zero and negative figures through the whole compute run
// of the window ("计算"), in every strength and coefficient mode: whether a run completes
// or stops, no control of the window, no report line and no saved report ever holds a
// non-finite text ("INF", "NAN", in any case).

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <random>
#include <string>
#include <vector>

#include "core/PileInput.h"
#include "files/ResultFile.h"
#include "tests/support/MainFormTest.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"
#include "ui/ResultsPage.h"

namespace {

const QDateTime kReportTime(QDate(2026, 3, 5), QTime(14, 7, 9));

// A non-finite figure as any formatter might write it.
const QRegularExpression kNonFinite(QStringLiteral("inf|nan"), QRegularExpression::CaseInsensitiveOption);

// Figures of every size, both signs, and the ordinary ones that let some runs complete.
const char* const kFigures[] = {
    "1e300", "1e-300", "1e308", "1e-308", "1e306", "-1e300", "-1e308", "1.7976931348623157e308", "4.9e-324",
    "1e154", "1e-160", "0", "-1", "-0.5", "1000", "1200", "0.5", "25", "1.0", "2.5", "0.3", "0.05", "800"};

}  // namespace

class TestComputeFuzz : public QObject, rockpile::testing::MainFormTest {
    Q_OBJECT

    QTemporaryDir docs;

    QTableWidget* table() const { return find<QTableWidget>("StringGrid_QB2"); }

    void editCell(int row, int column, const QString& text)
    {
        if (QTableWidgetItem* item = table()->item(row, column))
            item->setText(text);
        else
            table()->setItem(row, column, new QTableWidgetItem(text));
        form->StringGrid_QB2EditingDone();
    }

    // Every text the window shows in a line edit, a combo box (its text and items), a
    // label or a table cell that holds "inf" or "nan", named by the control.
    QStringList nonFiniteTexts() const
    {
        QStringList found;
        const auto check = [&](const QObject* control, const QString& text) {
            if (text.contains(kNonFinite)) found << control->objectName() + QStringLiteral(": ") + text;
        };
        for (const QLineEdit* edit : form->findChildren<QLineEdit*>()) check(edit, edit->text());
        for (const QComboBox* combo : form->findChildren<QComboBox*>()) {
            check(combo, combo->currentText());
            for (int i = 0; i < combo->count(); ++i) check(combo, combo->itemText(i));
        }
        for (const QLabel* label : form->findChildren<QLabel*>()) check(label, label->text());
        for (const QTableWidget* grid : form->findChildren<QTableWidget*>())
            for (int row = 0; row < grid->rowCount(); ++row)
                for (int column = 0; column < grid->columnCount(); ++column)
                    if (const QTableWidgetItem* item = grid->item(row, column)) check(grid, item->text());
        return found;
    }

    static QStringList nonFiniteLines(const std::vector<std::string>& lines)
    {
        QStringList found;
        for (const std::string& line : lines) {
            const QString text = QString::fromStdString(line);
            if (text.contains(kNonFinite)) found << text;
        }
        return found;
    }

private slots:
    void init()
    {
        QVERIFY(docs.isValid());
        const QString folder = docs.path();
        OpenForm(Ready::Exposed, [folder](MainForm& f) {
            f.reportClock = [] { return kReportTime; };
            f.documentsPath = [folder] { return folder; };
        });
    }
    void cleanup() { CloseForm(); }

    void randomRunsShowAndSaveNoNonFiniteText()
    {
        std::mt19937_64 random(20260305);
        std::uniform_int_distribution<std::size_t> figure(0, std::size(kFigures) - 1);
        const auto text = [&] { return QString::fromLatin1(kFigures[figure(random)]); };
        auto* section = find<QComboBox>("cbb_jmlx");
        auto* layers = find<QComboBox>("cbb_yanchengshu");
        auto* strength = find<QComboBox>("cbb_qiangduzhi");
        auto* coefficients = find<QComboBox>("cbb_chezhuxishu");
        auto* compute = find<QPushButton>("cbt_compute");
        const int layerColumns[] = {rockpile::col::Lr,       rockpile::col::Kv,       rockpile::col::Frk,
                                    rockpile::col::C1Manual, rockpile::col::C2Manual, rockpile::col::Qpa,
                                    rockpile::col::Qra};

        // Bounded in time: as many runs as fit in about three seconds, at least 20.
        QElapsedTimer clock;
        clock.start();
        int runs = 0;
        int clicked = 0;
        int completed = 0;
        for (; runs < 5000 && (runs < 20 || clock.elapsed() < 3000); ++runs) {
            section->setCurrentIndex(int(random() % std::uint64_t(section->count())));
            strength->setCurrentIndex(int(random() % std::uint64_t(strength->count())));
            coefficients->setCurrentIndex(int(random() % std::uint64_t(coefficients->count())));
            layers->setCurrentIndex(int(random() % std::uint64_t(std::min(layers->count(), 3))));
            find<rockpile::EditCombo>("cbe_dd")->setText(text());
            find<rockpile::EditCombo>("cbe_tyzd")->setText(text());
            for (int row = 0; row < layers->currentIndex() + 1; ++row)
                for (const int column : layerColumns)
                    if (random() % 3 != 0) editCell(row, column, text());
            const int reportsBefore = form->resultsPage()->reports().reportCount();
            if (compute->isEnabled()) {
                compute->click();
                ++clicked;
            }
            if (form->resultsPage()->reports().reportCount() > reportsBefore) ++completed;

            const QStringList controls = nonFiniteTexts();
            QVERIFY2(controls.isEmpty(), qPrintable(QStringLiteral("run %1: ").arg(runs) + controls.join(" | ")));
        }
        const rockpile::ReportModel& reports = form->resultsPage()->reports();
        QVERIFY2(nonFiniteLines(reports.textLines()).isEmpty(), qPrintable(nonFiniteLines(reports.textLines()).join("\n")));
        QVERIFY2(nonFiniteLines(reports.tableLines()).isEmpty(), qPrintable(nonFiniteLines(reports.tableLines()).join("\n")));
        qInfo("%d runs, %d clicks, %d completed, %lld ms", runs, clicked, completed, (long long)clock.elapsed());
        QVERIFY(clicked > runs / 2);
        QVERIFY(completed > 0);

        // Both reports saved as the results page saves them.
        rockpile::ResultsPage* page = form->resultsPage();
        QVERIFY(page->SaveShownReport());
        page->cbt_PageBookClick();
        QVERIFY(page->SaveShownReport());
        for (const QString& name : {rockpile::TextReportFileName(), rockpile::TableReportFileName()}) {
            QFile file(QDir(docs.path()).filePath(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            QStringDecoder gbk("GBK");
            const QString saved = gbk.decode(file.readAll());
            QVERIFY(!gbk.hasError());
            QVERIFY(saved.size() > 100);
            QVERIFY2(!saved.contains(kNonFinite), qPrintable(name));
        }
    }
};

QTEST_MAIN(TestComputeFuzz)
#include "test_computefuzz.moc"
