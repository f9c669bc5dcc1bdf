// Input files on the input page: "打开" and "保存" at the top left, Ctrl+O and
// Ctrl+Shift+S, a file dropped on the window, and a file named on the command line.
//
// The page and an input file meet in PageInputs: ReadPageInputs takes it from the
// controls, ApplyPageInputs puts it back through the controls' own change handlers, as
// if the user had entered every value, so that everything that follows an input change
// (columns, enabled controls, labels, emptied results) follows here too.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QShortcut>
#include <QTableWidget>
#include <algorithm>

#include "files/ResultFile.h"
#include "io/InputFile.h"
#include "report/PageAfterRun.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"
#include "ui/PageParts.h"
#include "ui/ScaledPage.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

const QString kFilter = QStringLiteral("嵌岩桩输入文件 (*.json);;所有文件 (*)");
// The name offered for a page that came from no file and carries no pile number.
const QString kDefaultBaseName = QStringLiteral("嵌岩桩输入");

}  // namespace

void MainForm::SetUpInputFiles()
{
    rockpile::ScaledPage* page = MainFormLayer;
    // Two small buttons in the free corner left of the title, in the manner of "©"
    // on the right.
    cbt_DaKai = rockpile::MakeButton(page, page, "cbt_DaKai", QStringLiteral("打开"), 3, rockpile::Rect(6, 6, 34, 21));
    cbt_DaKai->setToolTip(QStringLiteral("打开输入文件 (Ctrl+O)"));
    cbt_BaoCun = rockpile::MakeButton(page, page, "cbt_BaoCun", QStringLiteral("保存"), 3, rockpile::Rect(44, 6, 34, 21));
    cbt_BaoCun->setToolTip(QStringLiteral("保存输入文件 (Ctrl+Shift+S)"));
    connect(cbt_DaKai, &QPushButton::clicked, this, &MainForm::cbt_DaKaiClick);
    connect(cbt_BaoCun, &QPushButton::clicked, this, &MainForm::cbt_BaoCunClick);

    // The keys work while the input page is shown, as the buttons do.
    auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(open, &QShortcut::activated, this, [this] {
        if (!MainFormLayer->isHidden()) cbt_DaKaiClick();
    });
    auto* save = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    connect(save, &QShortcut::activated, this, [this] {
        if (!MainFormLayer->isHidden()) cbt_BaoCunClick();
    });
    setAcceptDrops(true);
}

rockpile::PageInputs MainForm::ReadPageInputs() const
{
    rockpile::PageInputs inputs;
    inputs.pileNumber = pileNumber_;
    inputs.pile = ReadPileInput();
    inputs.precisionMode = popbox_jingdu->currentIndex();
    return inputs;
}

void MainForm::ApplyPageInputs(const rockpile::PageInputs& inputs)
{
    using rockpile::SectionType;
    const rockpile::PileInput& pile = inputs.pile;
    const bool rectangle =
        pile.sectionType == SectionType::Rectangle || pile.sectionType == SectionType::Square;
    const int n = std::clamp(rockpile::LayerCount(pile), 1, rockpile::kMaxLayers);

    // The precision list recalculates when it changes while shown; it closes first.
    popbox_jingdu->hide();

    // The section first: its handler writes a default second size, which the file's
    // sizes then replace.
    cbb_jmlx->setCurrentIndex(rectangle ? 2 : pile.sectionType == SectionType::Ellipse ? 1 : 0);
    cbe_dd->setText(Q(rectangle ? pile.a : pile.d));
    cbe_tyzd->setText(Q(rectangle ? pile.b : pile.c));
    // The reduction factor and the marks before the modes: a passed factor empties the
    // status line, and the hint of a manual coefficient mode is to stay shown.
    cbe_zhuanchongkong->setText(Q(pile.reductionFactor));
    ckb_dixiashui->setChecked(pile.boredPile);
    ckb_ruanzhiyan->setChecked(pile.softRockExposed);
    cbb_qiangduzhi->setCurrentIndex(static_cast<int>(pile.strengthMode));
    cbb_chezhuxishu->setCurrentIndex(static_cast<int>(pile.coefficientMode));
    cbb_wanzhengchengdu->setCurrentIndex(static_cast<int>(pile.interpolationBasis));

    // Every cell goes, the computed columns of an earlier run included; then each row
    // takes its number and its input cells, as the batch calculator's copy of the page
    // starts out.
    cbb_yanchengshu->setCurrentIndex(n - 1);
    StringGrid_QB2->clearContents();
    StringGrid_QB2->setRowCount(n);
    const std::vector<rockpile::LayerRow> rows = rockpile::InputRows(pile);
    for (int row = 0; row < std::min(n, static_cast<int>(rows.size())); ++row)
        for (int column = 0; column < rockpile::col::Count; ++column)
            SetLayerCell(row, column, Q(rows[static_cast<size_t>(row)][static_cast<size_t>(column)]));

    popbox_jingdu->setCurrentIndex(std::clamp(inputs.precisionMode, 0, popbox_jingdu->count() - 1));
    pileNumber_ = inputs.pileNumber;
    // Also when no value changed: the results shown belong to no file.
    ClearResultDisplay();
}

bool MainForm::OpenInputFile(const QString& path)
{
    rockpile::PageInputs inputs;
    QString error;
    if (!rockpile::ReadInputFile(path, inputs, error)) {
        ShowMessage(error);
        return false;
    }
    ApplyPageInputs(inputs);
    inputFilePath_ = QFileInfo(path).absoluteFilePath();
    return true;
}

bool MainForm::SaveInputFile(const QString& path)
{
    QString target = path;
    if (QFileInfo(target).suffix().isEmpty())
        target += QLatin1Char('.') + QLatin1String(rockpile::kInputFileSuffix);
    QString error;
    if (!rockpile::WriteInputFile(target, ReadPageInputs(), error)) {
        ShowMessage(error);
        return false;
    }
    inputFilePath_ = QFileInfo(target).absoluteFilePath();
    return true;
}

QString MainForm::SuggestedInputPath() const
{
    if (!inputFilePath_.isEmpty()) return inputFilePath_;
    const QString folder = documentsPath ? documentsPath() : rockpile::DocumentsPath();
    QString base = pileNumber_.empty() ? kDefaultBaseName : Q(pileNumber_);
    // A pile number may hold characters that a file name cannot.
    for (QChar& c : base)
        if (QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('_');
    return folder.isEmpty() ? base + QStringLiteral(".json")
                            : QDir(folder).filePath(base + QStringLiteral(".json"));
}

void MainForm::cbt_DaKaiClick()
{
    const QString suggested = SuggestedInputPath();
    const QString path = openInputDialog
                             ? openInputDialog(suggested)
                             : QFileDialog::getOpenFileName(this, QStringLiteral("打开输入文件"),
                                                            QFileInfo(suggested).absolutePath(), kFilter);
    if (!path.isEmpty()) OpenInputFile(path);
}

void MainForm::cbt_BaoCunClick()
{
    const QString suggested = SuggestedInputPath();
    const QString path = saveInputDialog
                             ? saveInputDialog(suggested)
                             : QFileDialog::getSaveFileName(this, QStringLiteral("保存输入文件"), suggested, kFilter);
    if (!path.isEmpty()) SaveInputFile(path);
}

namespace {

// The first local file of a drag, or nothing.
QString DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return QString();
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return QString();
}

}  // namespace

void MainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!MainFormLayer->isHidden() && !DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (!!MainFormLayer->isHidden() || path.isEmpty()) return;
    event->acceptProposedAction();
    OpenInputFile(path);
}
