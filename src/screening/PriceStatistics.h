#pragma once
// What the expression language asks of one security's price history: the
// statistics of the price file. The price file class offers exactly these
// operations; screening is written against this small interface so that it
// can be evaluated over a file, over prices held in memory (benchmarks,
// fuzzing) or over a scripted source in tests.
//
// Contract (the same as the price file's statistics):
// - `field` is one of "HIGH", "LOW", "CLOSE", "VOLUME" (upper case; the volume
//   is read as a double). The evaluator never passes another name.
// - LastIndex() is the index of the last record, -1 for an empty history.
// - The statistics window starts at record S = LastIndex() - N when the
//   statistics limit of the configuration (GetStatisticsOptions()) is on and
//   N < LastIndex(), else at record 0; it always ends with the last record.
// - StartValue: the field of record S. Lowest / Highest: the smallest /
//   greatest value of records S..last, ties keep the earlier record.
// - ValueBack(field, n): the field of record LastIndex() - n.
//   LastValue(field) = ValueBack(field, 0).
// - Average / StdDev(field, skip, count): mean / population standard
//   deviation over records LastIndex()-skip-count .. LastIndex()-skip-1;
//   0 when count <= 0.
// The evaluator only asks for records that exist: it never calls a
// statistic on an empty history, never calls ValueBack outside 0..last and
// never asks Average or StdDev for a window reaching before record 0. What an
// implementation returns in those cases is therefore its own affair.
// Statistics may move the source's current record; the evaluator does not
// rely on any position.

#include <QString>
#include <cstdint>

class TPriceStatistics
{
public:
    virtual ~TPriceStatistics() = default;

    virtual int32_t LastIndex() const = 0;
    virtual double StartValue(const QString &field) = 0;
    virtual double ValueBack(const QString &field, int32_t n) = 0;
    virtual double LastValue(const QString &field) = 0;
    virtual double Average(const QString &field, int32_t skip, int32_t count) = 0;
    virtual double StdDev(const QString &field, int32_t skip, int32_t count) = 0;
    virtual double Lowest(const QString &field) = 0;
    virtual double Highest(const QString &field) = 0;
};
