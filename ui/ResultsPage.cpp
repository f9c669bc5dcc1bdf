// The results page: moves to and from it, the report views, saving, deleting the last
// entry, and the About button.
#include "ui/MainForm.h"

void MainForm::cbt_ViewClick() {}

void MainForm::cbt_ExitClick() {}

void MainForm::cbt_SaveClick() {}

void MainForm::cbt_YHsaveClick() {}

void MainForm::cbt_PageBookClick() {}

void MainForm::cbt_sanchuClick() {}

void MainForm::tcb_meoFontSizeChange() {}

void MainForm::cbt_CopyRightClick() {}
