#pragma once
// Answers every modal message box the program opens, so that a measured command runs to its
// end without a user, and remembers the texts and when each box appeared.

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

class BoxAnswerer : public QObject {
public:
    BoxAnswerer();

    // Boxes seen since the last call, and the time of the first of them on `clock`.
    QStringList take() { return std::exchange(texts_, {}); }
    void measureFrom(const QElapsedTimer& clock) {
        clock_ = &clock;
        firstAt_ = -1;
    }
    qint64 firstAtNs() const { return firstAt_; }

private:
    void poll();

    QTimer timer_;
    QStringList texts_;
    const QElapsedTimer* clock_ = nullptr;
    qint64 firstAt_ = -1;
};
