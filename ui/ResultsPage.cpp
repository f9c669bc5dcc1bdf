// The results page: the two report views and the sketch, the report switch, saving,
// printing and exporting the shown report, deleting the last entry, the font size.
#include "ui/ResultsPage.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QSlider>

#include <memory>

#include "book/ReportRenderer.h"
#include "files/ResultFile.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/PageParts.h"
#include "ui/PileSketchView.h"
#include "ui/ReportGridView.h"

namespace rockpile {

namespace {


// Where the report views, and the sketch in their place, stand on the page.
const QRectF kViewRect = Rect(4, 56, 362, 670);
constexpr int kStartFontSize = 14;

QStringList ToQt(const std::vector<std::string>& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) list << QString::fromStdString(line);
    return list;
}

QString Native(const QString& path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

ReportGridView* MakeReportView(ScaledPage* page, const char* name)
{
    auto* view = Named(new ReportGridView(page), name);
    QFont font = view->font();
    font.setFamily(book::ReportFontFamily());
    font.setStyleHint(QFont::TypeWriter);
    view->setFont(font);
    SetTextColour(view, colour::Black);
    page->place(view, kViewRect, kStartFontSize);
    return view;
}

}  // namespace

ResultsPage::ResultsPage(ResultsPageHost& host, QWidget* parent)
    : ScaledPage(QSizeF(370, 800), parent), host_(host)
{
    setObjectName(QStringLiteral("JieGuo_DocLayer"));
    CreateControls();
    ConnectHandlers();
}

ResultsPage::~ResultsPage()
{
    // The controls outlive this part of the page by a moment; no handler may run on a
    // page being destroyed.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void ResultsPage::CreateControls()
{
    ScaledPage* page = this;
    // The top row, read from the left: print, PDF, the title, the sketch, the switch.
    cbt_DaYin = MakeButton(page, page, "cbt_DaYin", QStringLiteral("打印"), 3, Rect(6, 8, 38, 24));
    cbt_DaYin->setToolTip(QStringLiteral("打印计算书 (Ctrl+P)"));
    cbt_DaYin->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    cbt_DaoChu = MakeButton(page, page, "cbt_DaoChu", QStringLiteral("PDF"), 3, Rect(48, 8, 38, 24));
    cbt_DaoChu->setToolTip(QStringLiteral("导出PDF计算书 (Ctrl+Shift+E)"));
    cbt_DaoChu->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    lb_jisuanjieguo = MakeLabel(page, page, "lb_jisuanjieguo", QStringLiteral("计算结果"), Rect(88, 10, 192, 33), 24);
    SetBold(lb_jisuanjieguo);
    lb_jisuanjieguo->setAlignment(Qt::AlignCenter);
    SetTextColour(lb_jisuanjieguo, colour::Blue);
    cbt_JianTu = MakeButton(page, page, "cbt_JianTu", QStringLiteral("图"), 3, Rect(314, 6, 21, 21));
    cbt_JianTu->setToolTip(QStringLiteral("桩身简图"));
    cbt_JianTu->setCheckable(true);
    cbt_PageBook = MakeButton(page, page, "cbt_PageBook", QStringLiteral("1"), 3, Rect(340, 6, 21, 21));
    cbt_PageBook->setToolTip(QStringLiteral("切换计算书"));

    // The status line under the title: where the last save or export went.
    lb_zhuangtai = MakeLabel(page, page, "lb_zhuangtai", QString(), Rect(6, 40, 358, 16), 10);
    lb_zhuangtai->setTextFormat(Qt::RichText);
    lb_zhuangtai->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lb_zhuangtai->setFocusPolicy(Qt::NoFocus);  // until it holds a link
    SetTextColour(lb_zhuangtai, colour::Black);

    meo_jisuanjieguo_Doc = MakeReportView(page, "meo_jisuanjieguo_Doc");
    meo_jisuanjieguo_Xls = MakeReportView(page, "meo_jisuanjieguo_Xls");
    meo_jisuanjieguo_Xls->hide();
    img_jiantu = Named(new PileSketchView(page), "img_jiantu");
    page->place(img_jiantu, kViewRect);
    img_jiantu->hide();

    cbt_Exit = MakeButton(page, page, "cbt_Exit", QStringLiteral("返回"), 10, Rect(40, 732, 100, 33));
    cbt_Exit->setToolTip(QStringLiteral("返回输入页 (Esc)"));
    cbt_Exit->setShortcut(QKeySequence(Qt::Key_Escape));
    cbt_Save = MakeButton(page, page, "cbt_Save", QStringLiteral("保存"), 10, Rect(224, 732, 100, 33));
    cbt_Save->setToolTip(QStringLiteral("保存计算书 (Ctrl+S)"));
    cbt_Save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    cbt_sanchu = MakeButton(page, page, "cbt_sanchu", QStringLiteral("x"), 3, Rect(350, 728, 16, 16));
    cbt_sanchu->setEnabled(false);
    cbt_sanchu->setToolTip(QStringLiteral("删除最末数据"));
    tcb_meoFontSize = Named(new QSlider(Qt::Horizontal, page), "tcb_meoFontSize");
    tcb_meoFontSize->setRange(4, 24);
    tcb_meoFontSize->setValue(kStartFontSize);
    tcb_meoFontSize->setToolTip(QStringLiteral("调整字体大小"));
    page->place(tcb_meoFontSize, Rect(40, 768, 281, 32));

    // Tab follows the reading order: the top row from the left, the report, the
    // buttons at the foot, the font size.
    QWidget* order[] = {cbt_DaYin, cbt_DaoChu, cbt_JianTu, cbt_PageBook, lb_zhuangtai,
                        meo_jisuanjieguo_Doc, meo_jisuanjieguo_Xls, img_jiantu,
                        cbt_Exit, cbt_Save, cbt_sanchu, tcb_meoFontSize};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    for (RoundButton* button : {cbt_DaYin, cbt_DaoChu, cbt_JianTu, cbt_PageBook, cbt_Exit, cbt_Save, cbt_sanchu}) {
        button->setFocusPolicy(Qt::StrongFocus);
        button->installEventFilter(this);
    }
}

void ResultsPage::ConnectHandlers()
{
    connect(cbt_DaYin, &QPushButton::clicked, this, &ResultsPage::cbt_DaYinClick);
    connect(cbt_DaoChu, &QPushButton::clicked, this, &ResultsPage::cbt_DaoChuClick);
    connect(cbt_JianTu, &QPushButton::clicked, this, &ResultsPage::cbt_JianTuClick);
    connect(cbt_PageBook, &QPushButton::clicked, this, &ResultsPage::cbt_PageBookClick);
    connect(cbt_Exit, &QPushButton::clicked, this, &ResultsPage::backRequested);
    connect(cbt_Save, &QPushButton::clicked, this, &ResultsPage::saveRequested);
    connect(cbt_sanchu, &QPushButton::clicked, this, &ResultsPage::cbt_sanchuClick);
    connect(tcb_meoFontSize, &QSlider::valueChanged, this, &ResultsPage::tcb_meoFontSizeChange);
    connect(lb_zhuangtai, &QLabel::linkActivated, this, [this] {
        if (!statusFolder_.isEmpty()) host_.OpenFolder(statusFolder_);
    });
    // The status line elides the path to the width it has at the page's scale.
    connect(this, &ScaledPage::scaleChanged, this, [this] { ShowStatus(); });
}

bool ResultsPage::eventFilter(QObject* watched, QEvent* event)
{
    // Enter or Return on a focused button presses it, as Space does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button && (key == Qt::Key_Return || key == Qt::Key_Enter) && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return ScaledPage::eventFilter(watched, event);
}

bool ResultsPage::AppendCalculation(const ReportSnapshot& snapshot, const PileResult& result,
                                    const std::string& timeStamp)
{
    if (!reports_.AppendReports(snapshot, result, timeStamp)) return false;
    const int entry = reports_.reportCount();
    sketches_.resize(static_cast<size_t>(entry - 1));
    sketches_.push_back(book::MakePileSketchData(snapshot, result, entry));
    RefreshViews();
    unsavedReports_ = 3;
    cbt_Save->setEnabled(true);
    cbt_sanchu->setEnabled(true);
    return true;
}

void ResultsPage::RefreshViews()
{
    // Setting the lines scrolls each view to the top.
    meo_jisuanjieguo_Doc->setLines(ToQt(reports_.textLines()));
    meo_jisuanjieguo_Xls->setLines(ToQt(reports_.tableLines()));
    // The sketch shows the newest entry.
    if (sketches_.empty())
        img_jiantu->clear();
    else
        img_jiantu->setSketch(sketches_.back());
}

void ResultsPage::LayOutReportsAgain()
{
    // A change of the size makes a view lay its text out again; the size itself stays.
    for (ReportGridView* view : {meo_jisuanjieguo_Xls, meo_jisuanjieguo_Doc}) {
        const double size = textSize(view);
        setTextSize(view, size + 2);
        setTextSize(view, size);
    }
}

void ResultsPage::tcb_meoFontSizeChange()
{
    // The page keeps the size as a design size and scales it with the window.
    const int size = tcb_meoFontSize->value();
    setTextSize(meo_jisuanjieguo_Xls, size);
    setTextSize(meo_jisuanjieguo_Doc, size);
}

void ResultsPage::ShowCurrentView()
{
    const bool table = shownReport_ == ShownReport::Table;
    meo_jisuanjieguo_Doc->setVisible(!sketchShown_ && !table);
    meo_jisuanjieguo_Xls->setVisible(!sketchShown_ && table);
    img_jiantu->setVisible(sketchShown_);
    cbt_JianTu->setChecked(sketchShown_);
}

void ResultsPage::cbt_PageBookClick()
{
    // The switch always shows a report: from the sketch it goes on to the other report
    // as it would from the report the sketch covers.
    shownReport_ = shownReport_ == ShownReport::Text ? ShownReport::Table : ShownReport::Text;
    const bool table = shownReport_ == ShownReport::Table;
    sketchShown_ = false;
    ShowCurrentView();
    cbt_Save->setEnabled((unsavedReports_ & (table ? 2 : 1)) != 0);
    cbt_PageBook->setText(table ? QStringLiteral("2") : QStringLiteral("1"));
}

void ResultsPage::cbt_JianTuClick()
{
    sketchShown_ = !sketchShown_;
    ShowCurrentView();
}

void ResultsPage::cbt_sanchuClick()
{
    const bool lastEntry = reports_.reportCount() <= 1;
    reports_.DeleteLastEntry();
    // The sketch of the deleted entry goes with it.
    sketches_.resize(static_cast<size_t>(reports_.reportCount()));
    if (lastEntry) {
        unsavedReports_ = 0;
        cbt_Save->setEnabled(false);
        cbt_sanchu->setEnabled(false);
    }
    RefreshViews();
}

bool ResultsPage::SaveShownReport()
{
    const bool text = shownReport_ == ShownReport::Text;
    const QString folder = host_.DocumentsFolder();
    QString error;
    if (!EnsureFolder(folder, error)) {
        ShowMessage(error);
        return false;
    }
    const QString path =
        ResultFilePath(folder, text ? TextReportFileName() : TableReportFileName());
    // The flags change only after a complete write, so a failed save can be repeated.
    // Clearing the bit of the saved report keeps the other one intact.
    if (!WriteLines(path, text ? reports_.textLines() : reports_.tableLines(), LineEnds::Between, error)) {
        ShowMessage(error);
        return false;
    }
    unsavedReports_ &= text ? ~1 : ~2;
    cbt_Save->setEnabled(false);
    ShowSaved(QStringLiteral("已保存"), path);
    return true;
}

book::Book ResultsPage::ShownBook() const
{
    if (shownReport_ == ShownReport::Table)
        return book::Book(book::ReportKind::Table, ToQt(reports_.tableLines()));
    return book::Book(book::ReportKind::Text, ToQt(reports_.textLines()),
                      QVector<book::PileSketchData>(sketches_.begin(), sketches_.end()));
}

QString ResultsPage::DefaultPdfPath() const
{
    QString name = shownReport_ == ShownReport::Table ? TableReportFileName() : TextReportFileName();
    name = QFileInfo(name).completeBaseName() + QStringLiteral(".pdf");
    const QString folder = host_.DocumentsFolder();
    return folder.isEmpty() ? QString() : ResultFilePath(folder, name);
}

void ResultsPage::cbt_DaoChuClick()
{
    QString suggested = DefaultPdfPath();
    // The documents folder is made now, so that the dialog opens in it.
    QString error;
    if (!suggested.isEmpty() && !EnsureFolder(QFileInfo(suggested).absolutePath(), error)) suggested.clear();
    const QPointer<ResultsPage> self(this);
    host_.ChoosePdfPath(suggested, [self](const QString& path) {
        if (self && !path.isEmpty()) self->ExportShownReport(path);
    });
}

bool ResultsPage::ExportShownReport(const QString& path)
{
    QString error;
    if (!EnsureFolder(QFileInfo(path).absolutePath(), error)) {
        ShowMessage(error);
        return false;
    }
    error = book::ExportPdf(ShownBook(), path);
    if (!error.isEmpty()) {
        ShowMessage(error);
        return false;
    }
    ShowSaved(QStringLiteral("已导出PDF"), path);
    return true;
}

void ResultsPage::cbt_DaYinClick()
{
    // The book is taken now: what the user asked to print, whatever happens meanwhile.
    auto bookToPrint = std::make_shared<book::Book>(ShownBook());
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(bookToPrint->pageLayout());
    const QPointer<ResultsPage> self(this);
    host_.ChoosePrinter(*printer, [self, bookToPrint, printer] {
        if (!self) return;
        const QString error = book::PrintBook(*bookToPrint, *printer);
        if (!error.isEmpty()) {
            self->ShowMessage(error);
            return;
        }
        self->statusFolder_.clear();
        self->statusText_ = QStringLiteral("已送出打印：%1").arg(
            printer->outputFileName().isEmpty() ? printer->printerName() : Native(printer->outputFileName()));
        self->ShowStatus();
    });
}

void ResultsPage::ShowSaved(const QString& verb, const QString& path)
{
    statusText_ = verb + QStringLiteral("：") + Native(path);
    statusFolder_ = QFileInfo(path).absolutePath();
    ShowStatus();
}

void ResultsPage::ShowStatus()
{
    if (!lb_zhuangtai) return;
    lb_zhuangtai->setToolTip(statusText_);
    // Tab reaches the line only while it holds the link to the folder.
    lb_zhuangtai->setFocusPolicy(statusFolder_.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    if (statusText_.isEmpty()) {
        lb_zhuangtai->clear();
        return;
    }
    lb_zhuangtai->setText(SavedPathLine(lb_zhuangtai, statusText_, !statusFolder_.isEmpty()));
}

void ResultsPage::ShowMessage(const QString& text)
{
    // A failure replaces what the status line said of an earlier save. The box is
    // shown without a nested event loop: the handler returns at once.
    statusText_.clear();
    statusFolder_.clear();
    ShowStatus();
    auto* box = new QMessageBox(QMessageBox::NoIcon, window()->windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace rockpile
