#include "ui/AboutPopup.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/ScaledPage.h"
#include "ui/WindowFit.h"

namespace rockpile {

AboutTexts ProjectAboutTexts()
{
    AboutTexts texts;
    texts.webAddress = QStringLiteral("www.example.org");
    texts.mailAddress = QStringLiteral("dev@example.org");
    return texts;
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setMouseTracking(true);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    // From the keyboard a focused link opens with Enter, Return or Space.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::focusInEvent(QFocusEvent* event)
{
    // The focused link looks as under the pointer.
    QLabel::focusInEvent(event);
    emit hovered();
}

void LinkLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    emit left();
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    emit hovered();
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    emit hovered();
}

void LinkLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    emit left();
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

CopyRightForm::CopyRightForm(const AboutTexts& texts, QWidget* parent)
    : QWidget(parent, Qt::Popup), texts_(texts)
{
    setObjectName(QStringLiteral("CopyRightForm"));
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(kDesignWidth, kDesignHeight);
    urlOpener = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    CopyRightLayer = new ScaledPage(QSizeF(kDesignWidth, kDesignHeight), this);
    CopyRightLayer->setObjectName(QStringLiteral("CopyRightLayer"));
    CopyRightLayer->setGeometry(rect());

    const auto label = [this]<typename Widget>(Widget* widget, const char* name, const QRectF& rect,
                              double size = kDefaultTextSize) {
        widget->setObjectName(QString::fromLatin1(name));
        CopyRightLayer->place(widget, rect, size);
        return widget;
    };

    lb_mokuaiming = label(new QLabel(QStringLiteral("嵌岩桩承载力计算"), CopyRightLayer),
                          "lb_mokuaiming", QRectF(0, 16, 265, 33), 18);
    QFont titleFont = lb_mokuaiming->font();
    titleFont.setBold(true);
    lb_mokuaiming->setFont(titleFont);
    lb_mokuaiming->setAlignment(Qt::AlignCenter);
    SetTextColour(lb_mokuaiming, rockpile::colour::Blue);

    lb_chanpin = label(new QLabel(texts_.productFamily, CopyRightLayer), "lb_chanpin",
                       QRectF(0, 48, 265, 17), 14);
    lb_chanpin->setAlignment(Qt::AlignCenter);

    lB_copyright = label(new QLabel(texts_.copyright, CopyRightLayer), "lB_copyright",
                         QRectF(32, 72, 217, 25));
    lb_sheji = label(new QLabel(texts_.designer, CopyRightLayer), "lb_sheji",
                     QRectF(32, 104, 100, 25));
    lb_zhucheshi1 = label(new QLabel(texts_.firstTitle, CopyRightLayer), "lb_zhucheshi1",
                          QRectF(122, 96, 128, 25), 10);
    lb_zhuceshi2 = label(new QLabel(texts_.secondTitle, CopyRightLayer), "lb_zhuceshi2",
                         QRectF(122, 112, 128, 25), 10);

    lb_danwei = new LinkLabel(QStringLiteral("（%1）").arg(texts_.organisation), CopyRightLayer);
    label(lb_danwei, "lb_danwei", QRectF(32, 128, 218, 25), 10);
    lb_danwei->setAlignment(Qt::AlignCenter);
    SetTextColour(lb_danwei, rockpile::colour::Black);

    lb_wangzhilb = label(new QLabel(QStringLiteral("网址："), CopyRightLayer), "lb_wangzhilb",
                         QRectF(32, 152, 50, 25));
    lb_wangzhi = new LinkLabel(texts_.webAddress, CopyRightLayer);
    label(lb_wangzhi, "lb_wangzhi", QRectF(70, 152, 146, 25));
    SetTextColour(lb_wangzhi, rockpile::colour::Blue);

    cbt_update = new RoundButton(QStringLiteral("更新"), 5, 40, CopyRightLayer);
    label(cbt_update, "cbt_update", QRectF(216, 156, 20, 40), 10);
    // A button that would open nothing is not offered.
    cbt_update->setEnabled(!texts_.updateAddress.isEmpty());

    lb_lianxi = label(new QLabel(QStringLiteral("邮箱："), CopyRightLayer), "lb_lianxi",
                      QRectF(32, 176, 50, 25));
    lb_lianxiUr = new LinkLabel(texts_.mailAddress, CopyRightLayer);
    label(lb_lianxiUr, "lb_lianxiUr", QRectF(70, 176, 146, 25));
    SetTextColour(lb_lianxiUr, rockpile::colour::Blue);

    // The contact code picture: this build carries none, so the place stays empty.
    ImageQQ = label(new QLabel(CopyRightLayer), "ImageQQ", QRectF(72, 212, 100, 100));
    ImageQQ->setScaledContents(true);

    UseLegibleDisabledText(this);
    // Tab reaches the links that lead somewhere, in reading order, and "更新" among them.
    lb_danwei->setFocusPolicy(texts_.organisationAddress.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    lb_wangzhi->setFocusPolicy(texts_.webAddress.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    lb_lianxiUr->setFocusPolicy(texts_.mailAddress.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    setTabOrder(lb_danwei, lb_wangzhi);
    setTabOrder(lb_wangzhi, cbt_update);
    setTabOrder(cbt_update, lb_lianxiUr);
    // The popup itself takes the focus when it opens (ShowCentred), so that no link
    // looks hovered to a user who has not touched the keyboard; Tab still walks the
    // links, and the popup is no stop of its own in that walk.
    setFocusPolicy(Qt::ClickFocus);

    connect(lb_wangzhi, &LinkLabel::hovered, this, &CopyRightForm::lb_wangzhiMouseMove);
    connect(lb_wangzhi, &LinkLabel::left, this, &CopyRightForm::lb_wangzhiMouseLeave);
    connect(lb_wangzhi, &LinkLabel::clicked, this, &CopyRightForm::lb_wangzhiClick);
    connect(lb_lianxiUr, &LinkLabel::hovered, this, &CopyRightForm::lb_lianxiUrMouseMove);
    connect(lb_lianxiUr, &LinkLabel::left, this, &CopyRightForm::lb_lianxiUrMouseLeave);
    connect(lb_lianxiUr, &LinkLabel::clicked, this, &CopyRightForm::lb_lianxiUrClick);
    connect(lb_danwei, &LinkLabel::hovered, this, &CopyRightForm::lb_danweiMouseMove);
    connect(lb_danwei, &LinkLabel::left, this, &CopyRightForm::lb_danweiMouseLeave);
    connect(lb_danwei, &LinkLabel::clicked, this, &CopyRightForm::lb_danweiClick);
    connect(cbt_update, &QPushButton::clicked, this, &CopyRightForm::cbt_updateClick);
}

CopyRightForm::~CopyRightForm()
{
    // The links lose the focus while the children are destroyed and say so; by then
    // this window is no CopyRightForm any more, so it must no longer hear them.
    for (QObject* link : {static_cast<QObject*>(lb_wangzhi), static_cast<QObject*>(lb_lianxiUr),
                          static_cast<QObject*>(lb_danwei)})
        disconnect(link, nullptr, this, nullptr);
}

void CopyRightForm::ShowCentred(const QWidget* over)
{
    const QScreen* screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        // A popup has no frame of its own.
        const QPoint centre = over ? over->frameGeometry().center() : available.center();
        const QRect client = FitClientGeometry(QSize(kDesignWidth, kDesignHeight), QMargins(),
                                               available, centre);
        setFixedSize(client.size());
        setGeometry(client);
    }
    // Without a focus widget of its own, an opening popup would focus its first link.
    setFocus(Qt::PopupFocusReason);
    show();
    raise();
}

void CopyRightForm::SetLinkStyle(QLabel* label, bool highlighted, const QColor& restColour)
{
    QFont font = label->font();
    font.setBold(highlighted);
    font.setUnderline(highlighted);
    label->setFont(font);
    SetTextColour(label, highlighted ? rockpile::colour::Red : restColour);
}

void CopyRightForm::lb_wangzhiMouseMove() { SetLinkStyle(lb_wangzhi, true, rockpile::colour::Blue); }
void CopyRightForm::lb_wangzhiMouseLeave() { SetLinkStyle(lb_wangzhi, false, rockpile::colour::Blue); }
void CopyRightForm::lb_lianxiUrMouseMove() { SetLinkStyle(lb_lianxiUr, true, rockpile::colour::Blue); }
void CopyRightForm::lb_lianxiUrMouseLeave() { SetLinkStyle(lb_lianxiUr, false, rockpile::colour::Blue); }

void CopyRightForm::lb_danweiMouseMove()
{
    // Without an organisation address the line keeps naming the organisation.
    lb_danwei->setText(texts_.organisationAddress.isEmpty()
                           ? QStringLiteral("(%1)").arg(texts_.organisation)
                           : texts_.organisationAddress);
    SetLinkStyle(lb_danwei, true, rockpile::colour::Black);
}

void CopyRightForm::lb_danweiMouseLeave()
{
    lb_danwei->setText(QStringLiteral("(%1)").arg(texts_.organisation));
    SetLinkStyle(lb_danwei, false, rockpile::colour::Black);
}

void CopyRightForm::lb_wangzhiClick() { Open(texts_.webAddress); }

void CopyRightForm::lb_lianxiUrClick()
{
    if (!texts_.mailAddress.isEmpty())
        Open(QStringLiteral("mailto:") + texts_.mailAddress);
}

void CopyRightForm::lb_danweiClick() { Open(texts_.organisationAddress); }
void CopyRightForm::cbt_updateClick() { Open(texts_.updateAddress); }

void CopyRightForm::Open(const QString& address)
{
    if (address.isEmpty() || !urlOpener) return;
    // "www.example.org" is a web address; a full address keeps its scheme ("mailto:").
    urlOpener(QUrl::fromUserInput(address));
}

void CopyRightForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, rockpile::colour::AboutTop);
    gradient.setColorAt(0.52, rockpile::colour::AboutBottom);
    gradient.setColorAt(1.0, rockpile::colour::AboutBottom);
    painter.fillRect(rect(), gradient);
}

void CopyRightForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    CopyRightLayer->setGeometry(rect());
}

}  // namespace rockpile
