#pragma once
// Gregorian calendar facts shared by every page that lays out days.

constexpr bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
