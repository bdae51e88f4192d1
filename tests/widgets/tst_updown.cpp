#include "UpDown.h"

#include <QToolButton>
#include <QtTest>
#include <climits>
#include <vector>

namespace {
/// What an up-down reported, in order: 'c' for a ChangingEx, 'k' for a Click.
struct Recorder {
    explicit Recorder(TUpDown &upDown, bool allow = true) {
        QObject::connect(
            &upDown, &TUpDown::ChangingEx, &upDown,
            [this, allow](TUpDown *, bool &allowChange, int newValue, UpDownDirection direction) {
                Events.push_back({'c', newValue, direction});
                allowChange = allow;
            });
        QObject::connect(&upDown, &TUpDown::Click, &upDown,
                         [this, &upDown](TUpDown *sender, UpDownDirection direction) {
                             QCOMPARE(sender, &upDown);
                             Events.push_back({'k', upDown.Position(), direction});
                         });
    }
    struct Event {
        char Kind;
        int Value;
        UpDownDirection Direction;
        bool operator==(const Event &) const = default;
    };
    std::vector<Event> Events;
};

void Press(QToolButton *arrow) {
    QTest::mouseClick(arrow, Qt::LeftButton);
}
} // namespace

class TestUpDown : public QObject {
    Q_OBJECT
private slots:
    void allowedStepMovesAndClicks();
    void refusedStepKeepsPosition();
    void limitsStopOrWrap();
    void namesAndOrientation();
    void rangeKeepsPositionInside();
};

void TestUpDown::allowedStepMovesAndClicks() {
    TUpDown upDown;
    upDown.SetRange(0, 10);
    upDown.SetPosition(4);
    Recorder recorder(upDown);

    Press(upDown.UpButton());
    Press(upDown.DownButton());
    Press(upDown.DownButton());

    const std::vector<Recorder::Event> expected{
        {'c', 5, UpDownDirection::Up},   {'k', 5, UpDownDirection::Up},
        {'c', 4, UpDownDirection::Down}, {'k', 4, UpDownDirection::Down},
        {'c', 3, UpDownDirection::Down}, {'k', 3, UpDownDirection::Down}};
    QVERIFY(recorder.Events == expected);
    QCOMPARE(upDown.Position(), 3);
}

void TestUpDown::refusedStepKeepsPosition() {
    TUpDown upDown;
    upDown.SetRange(0, 14);
    upDown.SetPosition(1);
    Recorder recorder(upDown, false);

    Press(upDown.UpButton());
    Press(upDown.DownButton());
    Press(upDown.DownButton());

    const std::vector<Recorder::Event> expected{{'c', 2, UpDownDirection::Up},
                                                {'c', 0, UpDownDirection::Down},
                                                {'c', 0, UpDownDirection::Down}};
    QVERIFY(recorder.Events == expected);
    QCOMPARE(upDown.Position(), 1);
}

void TestUpDown::limitsStopOrWrap() {
    TUpDown upDown;
    upDown.SetRange(0, 1);
    upDown.SetPosition(1);
    Recorder recorder(upDown);

    Press(upDown.UpButton());
    QVERIFY(recorder.Events.empty());
    QCOMPARE(upDown.Position(), 1);

    upDown.SetWrap(true);
    Press(upDown.UpButton());
    QCOMPARE(upDown.Position(), 0);
    Press(upDown.DownButton());
    QCOMPARE(upDown.Position(), 1);
    const std::vector<Recorder::Event> expected{{'c', 0, UpDownDirection::Up},
                                                {'k', 0, UpDownDirection::Up},
                                                {'c', 1, UpDownDirection::Down},
                                                {'k', 1, UpDownDirection::Down}};
    QVERIFY(recorder.Events == expected);

    // Limits at the ends of the integer range stop a step as any other limit does.
    TUpDown extreme;
    extreme.SetRange(INT_MIN, INT_MAX);
    Recorder extremeRecorder(extreme);
    extreme.SetPosition(INT_MAX);
    Press(extreme.UpButton());
    extreme.SetPosition(INT_MIN);
    Press(extreme.DownButton());
    QVERIFY(extremeRecorder.Events.empty());
    QCOMPARE(extreme.Position(), INT_MIN);
}

void TestUpDown::namesAndOrientation() {
    QWidget parent;
    auto *upDown = new TUpDown(&parent);
    upDown->setObjectName(QStringLiteral("UDSample"));
    QCOMPARE(parent.findChild<QToolButton *>(QStringLiteral("UDSampleUp")), upDown->UpButton());
    QCOMPARE(parent.findChild<QToolButton *>(QStringLiteral("UDSampleDown")), upDown->DownButton());
    QCOMPARE(upDown->UpButton()->arrowType(), Qt::UpArrow);

    TUpDown horizontal(nullptr, Qt::Horizontal);
    horizontal.resize(40, 20);
    horizontal.show();
    QCOMPARE(horizontal.UpButton()->arrowType(), Qt::RightArrow);
    QCOMPARE(horizontal.DownButton()->arrowType(), Qt::LeftArrow);
    QVERIFY(horizontal.DownButton()->geometry().right() < horizontal.UpButton()->x());
}

void TestUpDown::rangeKeepsPositionInside() {
    TUpDown upDown;
    upDown.SetRange(0, 100);
    upDown.SetPosition(80);
    upDown.SetRange(20, 10);
    QCOMPARE(upDown.Min(), 10);
    QCOMPARE(upDown.Max(), 20);
    QCOMPARE(upDown.Position(), 20);
    upDown.SetPosition(-5);
    QCOMPARE(upDown.Position(), 10);
}

QTEST_MAIN(TestUpDown)
#include "tst_updown.moc"
