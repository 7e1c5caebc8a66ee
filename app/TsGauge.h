#pragma once

#include <QProgressBar>
#include <stdexcept>

// The progress gauge: minimum 0, a maximum that refuses negatives, a position
// clamped into 0..maximum, and the whole percentage rounded down followed by
// "%" (0% when the maximum is 0).
class TsGauge : public QProgressBar {
    Q_OBJECT

public:
    explicit TsGauge(QWidget* parent = nullptr);

    int MaxValue() const { return maxValue_; }
    int Progress() const { return progress_; }
    int Percent() const;

    // Throws std::invalid_argument for a negative maximum and changes nothing.
    // A maximum below the position pulls the position down to it.
    void SetMaxValue(int value);
    void SetProgress(int value);

private:
    void refresh();

    int maxValue_ = 100;
    int progress_ = 0;
};
