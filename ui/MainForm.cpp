#include "ui/MainForm.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSlider>
#include <QTableView>
#include <QTableWidget>

#include "report/Texts.h"
#include "ui/Banner.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/FitTextField.h"
#include "ui/LayerTable.h"
#include "ui/PageParts.h"
#include "ui/ScaledPage.h"
#include "ui/SearchPage.h"
#include "ui/WindowFit.h"

using namespace rockpile::colour;
using rockpile::EditCombo;
using rockpile::MakeButton;
using rockpile::MakeCombo;
using rockpile::MakeLabel;
using rockpile::Rect;
using rockpile::SetBold;
using rockpile::RoundButton;
using rockpile::ScaledPage;

namespace {

// Combos drawn "at 0.8": the control and its text are drawn at 0.8 of their size.
constexpr double kSmall = 0.8;

// The items of a combo from the texts the reports share.
template <std::size_t N>
QStringList Items(const char* const (&texts)[N])
{
    QStringList items;
    for (const char* text : texts) items << QString::fromUtf8(text);
    return items;
}

QStringList Steps(int first, int last, int step)
{
    QStringList items;
    for (int v = first; v <= last; v += step) items << QString::number(v);
    return items;
}

}  // namespace

MainForm::MainForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("嵌岩桩承载力计算 (DBJ15-31-2016)"));
    setFixedSize(kClientWidth, kClientHeight);

    MainFormLayer = rockpile::Named(new ScaledPage(QSizeF(370, 800), this), "MainFormLayer");
    JieGuo_DocLayer = new rockpile::ResultsPage(*this, this);
    YouHuaFormLayer = new rockpile::SearchPage(*this, this);
    ComFormLayer = rockpile::Named(new ScaledPage(QSizeF(331, 621), this), "ComFormLayer");
    for (ScaledPage* page : std::initializer_list<ScaledPage*>{MainFormLayer, JieGuo_DocLayer, YouHuaFormLayer, ComFormLayer})
        page->setGeometry(rect());
    JieGuo_DocLayer->hide();
    YouHuaFormLayer->hide();
    ComFormLayer->hide();

    CreateInputPage();
    FormCreate();
    ConnectHandlers();
    SetUpInputFiles();
    SetUpInputPageKeys();
    rockpile::UseLegibleDisabledText(this);
}

MainForm::~MainForm()
{
    // The controls outlive this part of the window by a moment: the base destructor
    // hides them, which ends an open cell edit or a typed size entry and lets them
    // signal their handlers. No handler may run on a window being destroyed.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void MainForm::CreateInputPage()
{
    ScaledPage* page = MainFormLayer;

    lb_cxm = MakeLabel(page, page, "lb_cxm", QStringLiteral("嵌岩桩承载力计算"), Rect(88, 10, 209, 33), 24);
    SetBold(lb_cxm);
    rockpile::SetTextColour(lb_cxm, BlueViolet);
    cbt_CopyRight = MakeButton(page, page, "cbt_CopyRight", QStringLiteral("©"), 3, Rect(340, 6, 21, 21));
    cbt_CopyRight->setToolTip(QStringLiteral("版权信息"));

    gpb_srcs = rockpile::Named(new QGroupBox(QStringLiteral("基桩参数"), page), "gpb_srcs");
    page->place(gpb_srcs, Rect(4, 56, 362, 145));
    gpb_yscs = rockpile::Named(new QGroupBox(QStringLiteral("基岩参数"), page), "gpb_yscs");
    page->place(gpb_yscs, Rect(4, 204, 362, 334));
    gpb_scjg = rockpile::Named(new QGroupBox(QStringLiteral("计算结果"), page), "gpb_scjg");
    page->place(gpb_scjg, Rect(4, 542, 362, 184));

    cbt_compute = MakeButton(page, page, "cbt_compute", QStringLiteral("计算"), 10, Rect(40, 732, 100, 33));
    cbt_View = MakeButton(page, page, "cbt_View", QStringLiteral("结果"), 10, Rect(40, 732, 100, 33));
    cbt_View->hide();
    cbt_YouHua = MakeButton(page, page, "cbt_YouHua", QStringLiteral("★"), 10, Rect(172, 738, 20, 20), 14);
    rockpile::SetTextColour(cbt_YouHua, Red);
    cbt_YouHua->setToolTip(QStringLiteral("筛选优化"));
    cbt_tuichu = MakeButton(page, page, "cbt_tuichu", QStringLiteral("退出"), 10, Rect(224, 732, 100, 33));

    img_logo = rockpile::Named(new QLabel(page), "img_logo");
    img_logo->setPixmap(rockpile::DrawBanner(QSize(370, 32)));
    img_logo->setScaledContents(true);
    page->place(img_logo, Rect(0, 768, 370, 32));
    lb_shuoming = MakeLabel(page, page, "lb_shuoming", QString(), Rect(16, 768, 340, 33));
    rockpile::SetTextColour(lb_shuoming, Red);
    lb_shuoming->hide();

    // Group "基桩参数".
    QWidget* g = gpb_srcs;
    lb_jmlx = MakeLabel(page, g, "lb_jmlx", QStringLiteral("桩身截面类型"), Rect(8, 32, 200, 32));
    cbb_jmlx = MakeCombo(page, g, "cbb_jmlx",
                         Items(rockpile::kSectionItems), 0,
                         Rect(268, 32, 89, 32), rockpile::kDefaultTextSize);
    lb_dd = MakeLabel(page, g, "lb_dd", QStringLiteral("桩  身   直   径    d (mm)"), Rect(8, 67, 200, 32));
    cbe_dd = rockpile::Named(new EditCombo(g), "cbe_dd");
    cbe_dd->addItems(Steps(1000, 2000, 100));
    cbe_dd->setCurrentIndex(0);
    cbe_dd->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    SetBold(cbe_dd);
    page->place(cbe_dd, Rect(268, 67, 89, 32));
    lb_tyzd = MakeLabel(page, g, "lb_tyzd", QStringLiteral("椭圆直段长度    c (mm)"), Rect(8, 102, 200, 32));
    lb_tyzd->setEnabled(false);
    cbe_tyzd = rockpile::Named(new EditCombo(g), "cbe_tyzd");
    // The list at start differs from the one the section type handler sets.
    QStringList startList;
    for (int v = 100; v <= 900; v += 100) startList << QStringLiteral("  ") + QString::number(v);
    startList << QStringLiteral("1000") << QStringLiteral("1100") << QStringLiteral("1200");
    cbe_tyzd->replaceItems(startList);
    cbe_tyzd->setText(QStringLiteral("0"));
    cbe_tyzd->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    cbe_tyzd->setEnabled(false);
    SetBold(cbe_tyzd);
    page->place(cbe_tyzd, Rect(268, 102, 89, 32));

    // Group "基岩参数".
    g = gpb_yscs;
    const double small = rockpile::kDefaultTextSize * kSmall;
    lb_yanchengshu = MakeLabel(page, g, "lb_yanchengshu", QStringLiteral("嵌岩段岩层数"), Rect(8, 28, 120, 32));
    cbb_yanchengshu = MakeCombo(page, g, "cbb_yanchengshu", Steps(1, 9, 1), 0,
                                Rect(132, 32, 280, 32, kSmall), small);
    lb_qiangduquzhi = MakeLabel(page, g, "lb_qiangduquzhi", QStringLiteral("岩石强度取值"), Rect(8, 58, 120, 32));
    cbb_qiangduzhi = MakeCombo(page, g, "cbb_qiangduzhi",
                               Items(rockpile::kStrengthItems), 1, Rect(132, 62, 280, 32, kSmall), small);
    lb_chezhuxishu = MakeLabel(page, g, "lb_chezhuxishu", QStringLiteral("侧阻端阻系数"), Rect(8, 88, 120, 32));
    rockpile::SetTextColour(lb_chezhuxishu, Black);
    cbb_chezhuxishu = MakeCombo(page, g, "cbb_chezhuxishu",
                                Items(rockpile::kCoefficientItems), 1, Rect(132, 92, 280, 32, kSmall), small);
    lb_wanzhengchengdu = MakeLabel(page, g, "lb_wanzhengchengdu", QStringLiteral("系数插值依据"), Rect(8, 118, 120, 32));
    cbb_wanzhengchengdu = MakeCombo(page, g, "cbb_wanzhengchengdu",
                                    Items(rockpile::kBasisItems), 0,
                                    Rect(132, 122, 280, 32, kSmall), small);
    ckb_dixiashui = rockpile::Named(new QCheckBox(QStringLiteral("钻冲孔桩"), g), "ckb_dixiashui");
    ckb_dixiashui->setChecked(true);
    page->place(ckb_dixiashui, Rect(8, 158, 100, 17));
    lb_zhuanchongkong = MakeLabel(page, g, "lb_zhuanchongkong", QStringLiteral("折减系数"), Rect(136, 150, 80, 32));
    cbe_zhuanchongkong = rockpile::Named(new EditCombo(g), "cbe_zhuanchongkong");
    cbe_zhuanchongkong->addItems({QStringLiteral("0.70"), QStringLiteral("0.75"), QStringLiteral("0.80"),
                                  QStringLiteral("0.85"), QStringLiteral("0.90")});
    cbe_zhuanchongkong->setCurrentIndex(0);
    cbe_zhuanchongkong->setInputMethodHints(Qt::ImhDialableCharactersOnly);
    page->place(cbe_zhuanchongkong, Rect(204, 154, 100, 32, kSmall), small);
    cbt_kuozhanbiaoge = MakeButton(page, g, "cbt_kuozhanbiaoge", QStringLiteral("展开"), 15, Rect(316, 162, 40, 32));
    ckb_ruanzhiyan = rockpile::Named(new QCheckBox(QStringLiteral("软化系数≤0.6的软质岩，桩端岩石长时间暴露"), g),
                          "ckb_ruanzhiyan");
    ckb_ruanzhiyan->setChecked(true);
    page->place(ckb_ruanzhiyan, Rect(8, 188, 310, 17));
    StringGrid_QB2 = rockpile::Named(new rockpile::LayerGrid(g), "StringGrid_QB2");
    rockpile::SetUpLayerTable(StringGrid_QB2);
    SetBold(StringGrid_QB2);
    page->place(StringGrid_QB2, Rect(8, 208, 348, 120));
    connect(page, &ScaledPage::scaleChanged, StringGrid_QB2,
            [this](double scale) { rockpile::ScaleLayerTable(StringGrid_QB2, scale); });

    // Group "计算结果".
    g = gpb_scjg;
    auto resultField = [&](const char* name, double y) {
        // Shrinks its text to show the whole figure; nominally size 18 at height 32.
        auto* field = rockpile::Named(new rockpile::FitTextField(18, 32, g), name);
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetBold(field);
        rockpile::SetTextColour(field, Green);
        page->place(field, Rect(268, y, 89, 32), 18);
        return field;
    };
    lb_kesair = MakeLabel(page, g, "lb_kesair", QStringLiteral("桩端总端阻力特征值  Rpa(kN)"), Rect(8, 32, 260, 33));
    edt_Quk = resultField("edt_Quk", 32);
    lb_ra = MakeLabel(page, g, "lb_ra", QStringLiteral("单桩竖向承载力特征值Ra(kN)"), Rect(8, 67, 260, 33));
    edt_ra = resultField("edt_ra", 67);
    lb_rc = MakeLabel(page, g, "lb_rc", QStringLiteral("其中桩端总端阻力所占百分比"), Rect(8, 102, 260, 33));
    edt_percent = resultField("edt_percent", 102);
    lb_guifan1 = MakeLabel(page, g, "lb_guifan1", QStringLiteral("《建筑地基基础设计规范》(DBJ15-31-2016)"),
                           Rect(8, 134, 360, 31));
    lb_guifan1->setAlignment(Qt::AlignCenter);
    lb_guifan2 = MakeLabel(page, g, "lb_guifan2",
                           QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.4、10.2.5条"), Rect(8, 154, 360, 31));
    lb_guifan2->setAlignment(Qt::AlignCenter);
    cbt_JingDu = MakeButton(page, g, "cbt_JingDu", QStringLiteral("≈"), 3, Rect(330, 10, 21, 21));
    cbt_JingDu->setToolTip(QStringLiteral("调整精度"));
    popbox_jingdu = MakeCombo(page, g, "popbox_jingdu",
                              Items(rockpile::kPrecisionItems), 2, Rect(240, 0, 90, 32), rockpile::kDefaultTextSize);
    popbox_jingdu->hide();
}

void MainForm::FormCreate()
{
    SaveTarget = 0;
    FillFirstLayerRow();
}

void MainForm::FillFirstLayerRow()
{
    const rockpile::RockLayer row = rockpile::RockLayer::StartRow();
    const std::pair<int, std::string> cells[] = {
        {rockpile::col::Number, "1"},
        {rockpile::col::Lr, row.lr},
        {rockpile::col::Weathering, row.weathering},
        {rockpile::col::Integrity, row.integrityText},
        {rockpile::col::Kv, row.kv},
        {rockpile::col::Frk, row.frk},
        {rockpile::col::C1Manual, row.c1Manual},
        {rockpile::col::C2Manual, row.c2Manual},
        {rockpile::col::Qpa, row.qpaGiven},
        {rockpile::col::Qra, row.qraGiven},
    };
    for (const auto& [column, text] : cells)
        StringGrid_QB2->setItem(0, column, new QTableWidgetItem(QString::fromStdString(text)));
}

void MainForm::ConnectHandlers()
{
    // Buttons.
    const std::pair<RoundButton*, void (MainForm::*)()> clicks[] = {
        {cbt_CopyRight, &MainForm::cbt_CopyRightClick},
        {cbt_compute, &MainForm::cbt_computeClick},
        {cbt_View, &MainForm::cbt_ViewClick},
        {cbt_YouHua, &MainForm::cbt_YouHuaClick},
        {cbt_tuichu, &MainForm::cbt_tuichuClick},
        {cbt_kuozhanbiaoge, &MainForm::cbt_kuozhanbiaogeClick},
        {cbt_JingDu, &MainForm::cbt_JingDuClick},
    };
    for (const auto& [button, handler] : clicks) connect(button, &QPushButton::clicked, this, handler);

    // Input page: a change handler runs when the value changes, by the user or by code;
    // setting the value already held runs nothing.
    connect(cbb_jmlx, &QComboBox::currentIndexChanged, this, &MainForm::cbb_jmlxChange);
    connect(cbe_dd, &EditCombo::committed, this, &MainForm::cbe_ddChange);
    connect(cbe_tyzd, &EditCombo::committed, this, &MainForm::cbe_tyzdChange);
    connect(cbb_yanchengshu, &QComboBox::currentIndexChanged, this, &MainForm::cbb_yanchengshuChange);
    connect(cbb_qiangduzhi, &QComboBox::currentIndexChanged, this, &MainForm::cbb_qiangduzhiChange);
    connect(cbb_chezhuxishu, &QComboBox::currentIndexChanged, this, &MainForm::cbb_chezhuxishuChange);
    connect(cbb_wanzhengchengdu, &QComboBox::currentIndexChanged, this, &MainForm::cbb_wanzhengchengduChange);
    connect(ckb_dixiashui, &QCheckBox::toggled, this, &MainForm::ckb_dixiashuiChange);
    connect(ckb_ruanzhiyan, &QCheckBox::toggled, this, &MainForm::ckb_ruanzhiyanChange);
    connect(cbe_zhuanchongkong, &EditCombo::committed, this, &MainForm::cbe_zhuanchongkongChange);
    connect(StringGrid_QB2, &QTableWidget::currentCellChanged, this, &MainForm::StringGrid_QB2SelectCell);
    connect(StringGrid_QB2->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            &MainForm::StringGrid_QB2EditingDone);

    // Precision popup and results page.
    connect(popbox_jingdu, &QComboBox::currentIndexChanged, this, &MainForm::popbox_jingduChange);
    connect(JieGuo_DocLayer, &rockpile::ResultsPage::backRequested, this, &MainForm::cbt_ExitClick);
    connect(JieGuo_DocLayer, &rockpile::ResultsPage::saveRequested, this, &MainForm::cbt_SaveClick);

    // Design search page.
    connect(YouHuaFormLayer, &rockpile::SearchPage::backRequested, this, &MainForm::ShowInputPageFromSearch);
    connect(YouHuaFormLayer, &rockpile::SearchPage::candidateTaken, this, [this] {
        ShowInputPageFromSearch();
        ClearResultDisplay();
    });
    connect(YouHuaFormLayer, &rockpile::SearchPage::listShown, this, [this] { SaveTarget = 1; });
    connect(YouHuaFormLayer, &rockpile::SearchPage::saveRequested, this, &MainForm::cbt_YHsaveClick);
    connect(YouHuaFormLayer, &rockpile::SearchPage::saveFailed, this, [this](const QString& message) { ShowMessage(message); });
    connect(YouHuaFormLayer, &rockpile::SearchPage::openFolderRequested, this, &MainForm::OpenFolder);
    connect(this, &MainForm::runAborted, YouHuaFormLayer, &rockpile::SearchPage::ShowRunAborted);
}

void MainForm::ClearResultDisplay()
{
    edt_Quk->clear();
    edt_ra->clear();
    edt_percent->clear();
    cbt_compute->setEnabled(true);
    cbt_compute->show();
    cbt_View->hide();
}

void MainForm::ShowStatusMessage(const QString& text, const QColor& colour)
{
    img_logo->hide();
    lb_shuoming->show();
    rockpile::SetTextColour(lb_shuoming, colour);
    lb_shuoming->setText(text);
}

void MainForm::FitToScreen()
{
    QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target) return;
    FitInto(target->availableGeometry());
}

void MainForm::FitInto(const QRect& available)
{
    // The frame is known once the window is shown; before that it counts as none.
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect client =
        rockpile::FitClientGeometry(QSize(kClientWidth, kClientHeight), frame, available);
    setFixedSize(client.size());
    setGeometry(client);
}

void MainForm::cbt_tuichuClick() { close(); }

void MainForm::cbt_YouHuaClick()
{
    MainFormLayer->hide();
    YouHuaFormLayer->show();
    SaveTarget = 1;
}

void MainForm::ShowInputPageFromSearch()
{
    MainFormLayer->show();
    YouHuaFormLayer->hide();
    SaveTarget = 0;
}

void MainForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, rockpile::colour::PageTop);
    background.setColorAt(1, rockpile::colour::PageBottom);
    painter.fillRect(rect(), background);
}

void MainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (ScaledPage* page : std::initializer_list<ScaledPage*>{MainFormLayer, JieGuo_DocLayer, YouHuaFormLayer, ComFormLayer})
        if (page) page->setGeometry(rect());
}

void MainForm::closeEvent(QCloseEvent* event)
{
    // FormClose: nothing is asked and nothing is saved; closing the window ends the
    // program, also while the About popup is open.
    event->accept();
    QCoreApplication::quit();
}
