#pragma once
// The About window: a small popup with the program's name, its makers and three links.
// It closes as soon as the user clicks anywhere outside it; closing only hides it.

#include <functional>

#include <QLabel>
#include <QString>
#include <QUrl>
#include <QWidget>

namespace rockpile {

class RoundButton;
class ScaledPage;

// A label that follows the pointer and reports clicks. `hovered` is emitted on every
// pointer movement over the label, `left` when the pointer leaves it, `clicked` on a
// left-button release over the label after a press on it. Given a focus policy it also
// takes the keyboard: focus counts as hovering, Enter, Return or Space as a click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent);

signals:
    void hovered();
    void left();
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool pressed_ = false;
};

// What the About window names and where its links lead. An address may be written
// without its scheme ("www.example.org"); it is opened as a web address then. An empty
// address makes its link inactive: the label keeps its pointer styles but a click opens
// nothing; without an update address "更新" is disabled.
struct AboutTexts {
    QString productFamily = QStringLiteral("(工程计算工具)");
    QString copyright = QStringLiteral("© 2026 嵌岩桩计算 开发组");
    QString designer = QStringLiteral("设计： 开发组");
    QString firstTitle;
    QString secondTitle;
    QString organisation = QStringLiteral("嵌岩桩计算开发组");
    QString organisationAddress;
    QString webAddress;
    QString mailAddress;
    QString updateAddress;
};

// What this program's About window shows: its own neutral names and addresses on a
// domain reserved for examples, so that no real site, firm or person is named. It
// publishes no update archive, so "更新" stays disabled.
AboutTexts ProjectAboutTexts();

class CopyRightForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 260;
    static constexpr int kDesignHeight = 330;

    explicit CopyRightForm(const AboutTexts& texts = AboutTexts(), QWidget* parent = nullptr);
    ~CopyRightForm() override;

    // Shows the window without waiting for it to close: centred on `over` (the main
    // window) or, without it, on the screen; at the largest size of its proportions, at
    // most the design size, that fits the available area of that screen, and inside it.
    void ShowCentred(const QWidget* over = nullptr);

    // Opens an address with the system's default handler; the result is ignored.
    // Tests replace it to see what would be opened.
    std::function<void(const QUrl&)> urlOpener;

    // Pointer and click handlers of the links and the update button.
    void lb_wangzhiMouseMove();
    void lb_wangzhiMouseLeave();
    void lb_lianxiUrMouseMove();
    void lb_lianxiUrMouseLeave();
    void lb_danweiMouseMove();
    void lb_danweiMouseLeave();
    void lb_wangzhiClick();
    void lb_lianxiUrClick();
    void lb_danweiClick();
    void cbt_updateClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Open(const QString& address);
    static void SetLinkStyle(QLabel* label, bool highlighted, const QColor& restColour);

    AboutTexts texts_;
    ScaledPage* CopyRightLayer = nullptr;
    QLabel* lb_mokuaiming = nullptr;
    QLabel* lb_chanpin = nullptr;
    QLabel* lB_copyright = nullptr;
    QLabel* lb_sheji = nullptr;
    QLabel* lb_zhucheshi1 = nullptr;
    QLabel* lb_zhuceshi2 = nullptr;
    LinkLabel* lb_danwei = nullptr;
    QLabel* lb_wangzhilb = nullptr;
    LinkLabel* lb_wangzhi = nullptr;
    RoundButton* cbt_update = nullptr;
    QLabel* lb_lianxi = nullptr;
    LinkLabel* lb_lianxiUr = nullptr;
    QLabel* ImageQQ = nullptr;
};

}  // namespace rockpile
