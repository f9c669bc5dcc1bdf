// The window's part in saving and in the results page: the storage permission and the
// save it guards, the moves to and from the results page, the dialogs and the file
// manager the results page asks for, and the About button.
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "files/ResultFile.h"
#include "ui/AboutPopup.h"
#include "ui/MainForm.h"
#include "ui/ResultsPage.h"

namespace {

const QString kNoPermission = QStringLiteral("无权存盘");
const QString kStorageRationale = QStringLiteral("需要存贮权限，否则计算结果不能存盘");

}  // namespace

void MainForm::cbt_ViewClick()
{
    MainFormLayer->hide();
    JieGuo_DocLayer->show();
    JieGuo_DocLayer->LayOutReportsAgain();
}

void MainForm::cbt_ExitClick()
{
    MainFormLayer->show();
    JieGuo_DocLayer->hide();
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
        JieGuo_DocLayer->SaveShownReport();
    } else if (SaveTarget == 1) {
        if (!YouHuaFormLayer->HasVisibleList()) return;
        const QString folder = DocumentsFolder();
        QString error;
        if (!rockpile::EnsureFolder(folder, error)) {
            ShowMessage(error);
            return;
        }
        YouHuaFormLayer->SaveVisibleList(folder);
    }
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

QString MainForm::DocumentsFolder() const
{
    return documentsPath ? documentsPath() : rockpile::DocumentsPath();
}

void MainForm::OpenFolder(const QString& folder)
{
    if (openFolder)
        openFolder(folder);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MainForm::ChoosePdfPath(const QString& suggested,
                             const std::function<void(const QString&)>& chosen)
{
    auto* dialog = new QFileDialog(this, QStringLiteral("导出PDF计算书"), QFileInfo(suggested).absolutePath(),
                                   QStringLiteral("PDF 文件 (*.pdf)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    if (!suggested.isEmpty()) dialog->selectFile(suggested);
    connect(dialog, &QFileDialog::fileSelected, this, [chosen](const QString& path) { chosen(path); });
    dialog->open();
}

void MainForm::ChoosePrinter(QPrinter& printer, const std::function<void()>& accepted)
{
    auto* dialog = new QPrintDialog(&printer, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [accepted] { accepted(); });
    dialog->open();
}

void MainForm::cbt_CopyRightClick()
{
    if (!CopyRightForm) CopyRightForm = std::make_unique<rockpile::CopyRightForm>(rockpile::ProjectAboutTexts());
    static_cast<rockpile::CopyRightForm*>(CopyRightForm.get())->ShowCentred(this);
}
