#pragma once
// The arithmetic of the return estimator: one purchase and its sale, with the
// commissions of the chosen schedule, the holding period and the returns,
// already in the texts the window shows.

#include <QString>

struct TReturnEstimate
{
    // Inputs as typed. The dates are date box texts ("MM/DD/YYYY").
    QString BuyDate, SellDate, Shares, BuyPrice, SellPrice;
};

struct TReturnEstResult
{
    QString BuyCommission, SellCommission, InitialCost, Proceeds, ProfitLoss, Return, Annualized;
    QString DaysHeld, YearsHeld, TotalDaysHeld;
    bool Profit = true; // "Profit" in black, else "Loss" in red
    // The numbers behind the texts.
    double InitialCostValue = 0, ProceedsValue = 0, ProfitLossValue = 0;
    bool DatesValid = false;
    int TotalDays = 0;
};

// Shares count only as a whole number (0 otherwise), prices as numbers (0
// otherwise). When a date box holds no valid date the day counts and the
// annualised figure are "N/A"; when the initial cost is 0 the return and
// the annualised figure are "N/A".
TReturnEstResult ComputeReturnEstimate(const TReturnEstimate &input, int schedule);
