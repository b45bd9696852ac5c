#pragma once
// The shared utility unit: file naming and platform services, dates, text
// fields, symbol renaming and position look-ups. One include for all of it.

#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/StdUnitFiles.h"
#include "frame/StdUnitLookups.h"
#include "screening/StdUnitExpr.h"
