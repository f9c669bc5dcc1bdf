#include "tests/support/MainFormTest.h"

#include <QTest>

namespace rockpile::testing {

void MainFormTest::OpenForm(Ready ready, const std::function<void(MainForm&)>& prepare)
{
    form = std::make_unique<MainForm>();
    if (prepare) prepare(*form);
    form->show();
    if (ready == Ready::Active) {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    } else {
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
}

}  // namespace rockpile::testing
