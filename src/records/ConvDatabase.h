#pragma once
// The import definition record, kept alone in an .imp file, and Convert.dat,
// the register of data-conversion formats that keeps records of the same
// layout in ascending order of their description.

#include "frame/CountedString.h"
#include "records/RecordFile.h"

#include <cstddef>
#include <cstdint>

// Room for the field map: one entry per field row plus an empty one.
inline constexpr int kFieldMapEntries = 138;

#pragma pack(push, 1)
struct TImportDefinition
{
    TCountedString<50> Description; // the key of Convert.dat
    TCountedString<50> KindTag;     // which kind of import the definition is for
    TCountedString<255> FileName;   // the import file
    uint8_t Unused1[2] = {};
    int32_t Layout = -1;   // 0 fixed length, 1 comma, 2 tab; -1 none chosen
    int32_t DateForm = -1; // index into the date forms; -1 none chosen
    uint8_t Append = 0;    // 1 append to the target, 0 replace it
    uint8_t Unused2[3] = {};
    int32_t LinesToSkip = 0;
    int32_t FieldRowCount = 0;
    uint8_t Unused3[4] = {};
    double VolumeDivisor = 1.0;                    // data conversion only
    uint8_t Summary = 0;                           // data conversion only: write Summary.txt
    TCountedString<10> FieldMap[kFieldMapEntries]; // "Field N" per field row, N from 1
    uint8_t Unused4[1] = {};
};
#pragma pack(pop)

using TConvRecord = TImportDefinition;

static_assert(sizeof(TImportDefinition) == 1912);
static_assert(offsetof(TImportDefinition, KindTag) == 51);
static_assert(offsetof(TImportDefinition, FileName) == 102);
static_assert(offsetof(TImportDefinition, Unused1) == 358);
static_assert(offsetof(TImportDefinition, Layout) == 360);
static_assert(offsetof(TImportDefinition, DateForm) == 364);
static_assert(offsetof(TImportDefinition, Append) == 368);
static_assert(offsetof(TImportDefinition, LinesToSkip) == 372);
static_assert(offsetof(TImportDefinition, FieldRowCount) == 376);
static_assert(offsetof(TImportDefinition, VolumeDivisor) == 384);
static_assert(offsetof(TImportDefinition, Summary) == 392);
static_assert(offsetof(TImportDefinition, FieldMap) == 393);
static_assert(offsetof(TImportDefinition, Unused4) == 1911);

class TConvDataBase : public TDescribedRecordFile<TConvRecord>
{
public:
    using TDescribedRecordFile::TDescribedRecordFile;
};
