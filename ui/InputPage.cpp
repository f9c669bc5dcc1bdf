// The input page: the section controls, the rock controls and the layer table.
#include "ui/MainForm.h"

void MainForm::cbb_jmlxChange() {}
void MainForm::cbe_ddChange() {}
void MainForm::cbe_tyzdChange() {}
void MainForm::cbb_yanchengshuChange() {}
void MainForm::cbb_qiangduzhiChange() {}
void MainForm::cbb_chezhuxishuChange() {}
void MainForm::cbb_wanzhengchengduChange() {}
void MainForm::cbt_kuozhanbiaogeClick() {}
void MainForm::ckb_dixiashuiChange() {}
void MainForm::ckb_ruanzhiyanChange() {}
void MainForm::cbe_zhuanchongkongChange() {}
void MainForm::StringGrid_QB2SelectCell(int, int) {}
void MainForm::StringGrid_QB2EditingDone() {}
void MainForm::ApplyCoefficientColumns() {}
bool MainForm::LayerTableExpanded() const { return false; }
