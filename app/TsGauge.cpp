#include "TsGauge.h"

#include <algorithm>
#include <string>

TsGauge::TsGauge(QWidget* parent) : QProgressBar(parent)
{
    // The bar shows the percentage only; our own arithmetic decides it, so a
    // maximum of 0 never turns the bar into a busy indicator.
    setRange(0, 100);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    refresh();
}

int TsGauge::Percent() const
{
    return maxValue_ == 0 ? 0 : static_cast<int>(std::int64_t{progress_} * 100 / maxValue_);
}

void TsGauge::SetMaxValue(int value)
{
    if (value < 0)
        throw std::invalid_argument("Максимум индикатора не может быть отрицательным: " + std::to_string(value));
    maxValue_ = value;
    progress_ = std::min(progress_, maxValue_);
    refresh();
}

void TsGauge::SetProgress(int value)
{
    progress_ = std::clamp(value, 0, maxValue_);
    refresh();
}

void TsGauge::refresh()
{
    const int percent = Percent();
    setValue(percent);
    setFormat(QString::number(percent) + '%');
}
