#pragma once
// The three commission schedules: the flat web schedule and the tiered broker
// schedule of Brenwick & Co., and a percent schedule whose rate and broker
// the user sets. Callers pass the schedule index of the configuration
// (GetCommissionSchedule): 0 web, 1 broker, 2 percent; any other index
// selects no schedule (empty texts, commission 0).
//
// The percent schedule's settings are read from the configuration at every
// call, so a change made in the settings dialog applies at once.

#include <QString>

enum TCommissionSchedule { csWeb = 0, csBroker = 1, csPercent = 2 };

// The commission of buying or selling `shares` shares at `price` per share,
// in money units, not rounded.
double ComputeCommission(int index, double shares, double price);
QString ScheduleTitle(int index);
QString ScheduleBroker(int index);
// Lines end in "\r\n".
QString ScheduleDescription(int index);
