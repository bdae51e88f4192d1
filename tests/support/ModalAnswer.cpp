#include "ModalAnswer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <memory>

namespace {

// How long a dialog may take to come up before the test gives up on it.
constexpr int DialogWaitMs = 20000;
constexpr int RetryMs = 10;

} // namespace

void WhenModalShows(std::function<void(QWidget *)> answer) {
    auto deadline = std::make_shared<QDeadlineTimer>(DialogWaitMs);
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [answer, deadline, attempt] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        const bool inDialogLoop = QThread::currentThread()->loopLevel() > 0;
        const bool ready = dialog && dialog->isVisible() && inDialogLoop;
        if (!ready && !deadline->hasExpired()) {
            QTimer::singleShot(RetryMs, qApp, *attempt);
            return;
        }
        *attempt = nullptr; // breaks the cycle through the captured pointer
        QVERIFY2(ready, "the modal dialog never came up");
        answer(dialog);
        if (dialog->isVisible())
            dialog->reject();
    };
    QTimer::singleShot(0, qApp, *attempt);
}
