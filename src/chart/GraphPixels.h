#pragma once
// Every chart pixel goes through these conversions: halves round to even,
// values that are not numbers give 0, and nothing leaves a range QPainter
// handles, so a NaN or huge price cannot overflow an int.

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

inline int Px(double value)
{
    if (std::isnan(value))
        return 0;
    return RoundToInt(std::clamp(value, -1.0e6, 1.0e6));
}

inline uint16_t U16(int64_t value)
{
    return uint16_t(std::clamp<int64_t>(value, 0, 65535));
}

// "YYYYMMDD" as the status bar shows it, "MM-DD-YYYY".
inline QString ConvertDateText(const QString &stored)
{
    return ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, stored);
}
