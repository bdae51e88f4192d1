#pragma once

#include <functional>
#include <memory>

/// A dialog that pages open, made the first time one of them uses it: most sessions open
/// few of the dialogs, and each costs its widgets at start-up. Copies share the one dialog,
/// so every page that holds a copy opens the same window. Either borrows a dialog made
/// elsewhere or makes it with `make`; whoever `make` parents the dialog to owns it.
template <typename Dialog> class LazyDialog {
public:
    /// A dialog already made (or none).
    LazyDialog(Dialog *dialog = nullptr) : Shared(std::make_shared<State>()) {
        Shared->Made = dialog;
    }
    explicit LazyDialog(std::function<Dialog *()> make) : Shared(std::make_shared<State>()) {
        Shared->Make = std::move(make);
    }

    Dialog *Get() const {
        if (!Shared->Made && Shared->Make)
            Shared->Made = Shared->Make();
        return Shared->Made;
    }
    Dialog *operator->() const { return Get(); }

private:
    struct State {
        Dialog *Made = nullptr;
        std::function<Dialog *()> Make;
    };
    std::shared_ptr<State> Shared;
};
