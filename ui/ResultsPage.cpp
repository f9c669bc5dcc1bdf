// The results page: moves to and from it, the report views, saving, deleting the last
// entry, and the About button.
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSlider>

#include "ui/AboutPopup.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"
#include "files/ResultFile.h"
#include "ui/ScaledPage.h"

namespace {

const QString kNoPermission = QStringLiteral("无权存盘");
const QString kStorageRationale = QStringLiteral("需要存贮权限，否则计算结果不能存盘");
const QString kNoDocumentsFolder = rockpile::NoDocumentsFolderMessage();

QString JoinLines(const std::vector<std::string>& lines)
{
    QString text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += QLatin1Char('\n');
        text += QString::fromStdString(lines[i]);
    }
    return text;
}

}  // namespace

void MainForm::RefreshReportViews()
{
    // Setting the text scrolls each view to the top.
    meo_jisuanjieguo_Doc->setPlainText(JoinLines(reports.textLines()));
    meo_jisuanjieguo_Xls->setPlainText(JoinLines(reports.tableLines()));
}

void MainForm::SetReportFontSize(QWidget* view, int size)
{
    // The page keeps the size as a design size and scales it with the window.
    JieGuo_DocLayer->setTextSize(view, size);
}

void MainForm::cbt_ViewClick()
{
    MainFormLayer->hide();
    JieGuo_DocLayer->show();
    // A change of the size makes a view lay its text out again; the size itself stays.
    for (QPlainTextEdit* view : {meo_jisuanjieguo_Xls, meo_jisuanjieguo_Doc}) {
        const int size = int(JieGuo_DocLayer->textSize(view));
        SetReportFontSize(view, size + 2);
        SetReportFontSize(view, size);
    }
}

void MainForm::cbt_ExitClick()
{
    MainFormLayer->show();
    JieGuo_DocLayer->hide();
}

void MainForm::tcb_meoFontSizeChange()
{
    const int size = tcb_meoFontSize->value();
    SetReportFontSize(meo_jisuanjieguo_Xls, size);
    SetReportFontSize(meo_jisuanjieguo_Doc, size);
}

void MainForm::cbt_PageBookClick()
{
    const bool toTable = shownReport_ == ShownReport::Text;
    shownReport_ = toTable ? ShownReport::Table : ShownReport::Text;
    meo_jisuanjieguo_Doc->setVisible(!toTable);
    meo_jisuanjieguo_Xls->setVisible(toTable);
    cbt_Save->setEnabled((UnsavedReports & (toTable ? 2 : 1)) != 0);
    cbt_PageBook->setText(toTable ? QStringLiteral("2") : QStringLiteral("1"));
}

void MainForm::cbt_SaveClick()
{
    // The writing happens in SaveResults, which the permission service calls back: at
    // once on a desktop, later on a platform that asks the user.
    if (!permissionService) permissionService = std::make_shared<rockpile::DesktopPermissionService>();
    const QPointer<MainForm> self(this);
    permissionService->request(
        QStringList{FPermissionWriteExternalStorage},
        [self](const QStringList& names, const std::vector<rockpile::PermissionStatus>& statuses) {
            if (self) self->SaveResults(names, statuses);
        },
        [self](const QStringList& names, const std::function<void()>& resume) {
            if (self) self->ShowStorageRationale(names, resume);
        });
}

void MainForm::cbt_YHsaveClick()
{
    cbt_SaveClick();
}

void MainForm::ShowStorageRationale(const QStringList& permissions,
                                    const std::function<void()>& resume)
{
    QString message;
    for (const QString& name : permissions)
        if (name == FPermissionWriteExternalStorage) message += kStorageRationale;
    if (message.isEmpty()) {
        if (resume) resume();
        return;
    }
    ShowMessage(message, resume);
}

void MainForm::SaveResults(const QStringList& /*permissions*/,
                           const std::vector<rockpile::PermissionStatus>& grantResults)
{
    if (grantResults.size() != 1 || grantResults.front() != rockpile::PermissionStatus::Granted) {
        ShowMessage(kNoPermission);
        return;
    }

    if (SaveTarget == 0) {
        // The flags change only after a complete write, so a failed save can be
        // repeated. Clearing the bit of the saved report keeps the other one intact.
        if (shownReport_ == ShownReport::Text) {
            if (!SaveLines(reports.textLines(), rockpile::TextReportFileName(), false)) return;
            UnsavedReports &= ~1;
            cbt_Save->setEnabled(false);
        } else {
            if (!SaveLines(reports.tableLines(), rockpile::TableReportFileName(), false)) return;
            UnsavedReports &= ~2;
            cbt_Save->setEnabled(false);
        }
    } else if (SaveTarget == 1) {
        if (!YouHuaFormLayer->HasVisibleList()) return;
        const QString folder = documentsPath ? documentsPath() : rockpile::DocumentsPath();
        if (folder.isEmpty()) {
            ShowMessage(kNoDocumentsFolder);
            return;
        }
        YouHuaFormLayer->SaveVisibleList(folder);
    }
}

bool MainForm::SaveLines(const std::vector<std::string>& lines, const QString& fileName,
                         bool lineEndAfterLast)
{
    const QString folder = documentsPath ? documentsPath() : rockpile::DocumentsPath();
    if (folder.isEmpty()) {
        ShowMessage(kNoDocumentsFolder);
        return false;
    }
    QString error;
    if (!rockpile::WriteLines(rockpile::ResultFilePath(folder, fileName), lines,
                              lineEndAfterLast ? rockpile::LineEnds::AfterEach
                                               : rockpile::LineEnds::Between,
                              error)) {
        ShowMessage(error);
        return false;
    }
    return true;
}

void MainForm::ShowMessage(const QString& text, const std::function<void()>& onClosed)
{
    // Shown without a nested event loop: the handler returns at once and the box calls
    // `onClosed` when the user closes it.
    auto* box = new QMessageBox(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (onClosed) connect(box, &QMessageBox::finished, this, [onClosed] { onClosed(); });
    box->open();
}

void MainForm::cbt_sanchuClick()
{
    const bool lastEntry = reports.reportCount() <= 1;
    reports.DeleteLastEntry();
    if (lastEntry) {
        UnsavedReports = 0;
        cbt_Save->setEnabled(false);
        cbt_sanchu->setEnabled(false);
    }
    RefreshReportViews();
}

void MainForm::cbt_CopyRightClick()
{
    if (!CopyRightForm) CopyRightForm = std::make_unique<rockpile::CopyRightForm>(rockpile::ProjectAboutTexts());
    static_cast<rockpile::CopyRightForm*>(CopyRightForm.get())->ShowCentred(this);
}
