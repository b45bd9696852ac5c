#pragma once
// Scan.dat: the user's screening functions, each a described set of up to
// five conditions in the expression language, in ascending order of the
// description; a description occurs at most once.

#include "frame/CountedString.h"
#include "records/RecordFile.h"

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
// One condition: "expression 1  comparison  expression 2", joined to the
// rows before it by "And" or "Or" (always empty in the first row).
struct TConditionRow
{
    TCountedString<3> LogicalOperator;
    TCountedString<255> Expression1;
    TCountedString<2> Comparison; // "=", "<>", ">", ">=", "<", "<="
    TCountedString<255> Expression2;
};

inline constexpr int kConditionRows = 5;

struct TFunctionRecord
{
    TCountedString<40> Description; // the key
    uint8_t Reserved1[3] = {};
    uint32_t Color = 0; // 0x00BBGGRR of the function's results in the watch run
    TConditionRow Rows[kConditionRows];
    uint8_t Reserved2 = 0;
};
#pragma pack(pop)

static_assert(sizeof(TConditionRow) == 519);
static_assert(offsetof(TConditionRow, Expression1) == 4);
static_assert(offsetof(TConditionRow, Comparison) == 260);
static_assert(offsetof(TConditionRow, Expression2) == 263);
static_assert(sizeof(TFunctionRecord) == 2644);
static_assert(offsetof(TFunctionRecord, Reserved1) == 41);
static_assert(offsetof(TFunctionRecord, Color) == 44);
static_assert(offsetof(TFunctionRecord, Rows) == 48);
static_assert(offsetof(TFunctionRecord, Rows) + 4 * sizeof(TConditionRow) == 2124);
static_assert(offsetof(TFunctionRecord, Reserved2) == 2643);

class TFunctionBase : public TDescribedRecordFile<TFunctionRecord>
{
public:
    using TDescribedRecordFile::TDescribedRecordFile;
};
