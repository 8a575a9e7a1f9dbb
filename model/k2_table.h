#pragma once
// The leakage correction table K2, indexed by LP (row) and LH (column).

#include <array>
#include <cstdint>

constexpr int K2RowCount = 57;
constexpr int K2ColumnCount = 101; // lh 0.00 .. 1.00
constexpr int K2KnotCount = 12;    // lh 0.00, 0.05, 0.10, 0.20 .. 1.00

using K2Row = std::array<std::uint16_t, K2ColumnCount>;

// The key value of lp of a row.
double K2RowKey(int row);
// The column of each knot (0, 5, 10, 20, ..., 100).
int K2KnotColumn(int knot);
// The knot values of a row, in thousandths.
std::uint16_t K2Knot(int row, int knot);
// The whole table, in thousandths.
const std::array<K2Row, K2RowCount>& K2Table();

// Reads K2 for lp and lh; false (result 0) when lp is outside 0..0.2, lh
// outside 0..1, or either is not a finite number.
bool LookupK2(double lp, double lh, double& k2);
