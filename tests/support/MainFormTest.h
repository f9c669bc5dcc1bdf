#pragma once
// The main window under test, made afresh for each test function. A window test class
// derives from QObject and from MainFormTest, opens the window in init() and closes it
// in cleanup().

#include <functional>
#include <memory>

#include "tests/support/WidgetTestSupport.h"
#include "ui/MainForm.h"

namespace rockpile::testing {

class MainFormTest {
protected:
    // How far the window must come before the test goes on: drawn on the screen, or
    // also active, which tests that type into it need.
    enum class Ready { Exposed, Active };

    // Makes the window, lets `prepare` set its injectable parts (clock, documents
    // folder) before it is shown, shows it and waits until it is ready; a window that
    // does not come up fails the test.
    void OpenForm(Ready ready = Ready::Exposed, const std::function<void(MainForm&)>& prepare = {});
    void CloseForm() { form.reset(); }

    // The control named `name` in the window, or under `root` when one is given.
    template <typename W = QWidget>
    W* find(const char* name, const QObject* root = nullptr) const
    {
        return Find<W>(root ? root : form.get(), name);
    }

    std::unique_ptr<MainForm> form;
};

}  // namespace rockpile::testing
