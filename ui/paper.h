#pragma once
// The paper the report is printed on: the locale's paper (Letter where
// letter-size paper is the usage, A4 elsewhere) until the user chooses
// another in Print Setup or Print Report; the choice, with its orientation,
// is kept in the settings store under "Print"/"Paper" and "Orientation".
// The desktop program prints, exports PDF files and sets up the printer
// with it; the batch tool, which has no settings, takes the locale's paper.

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>

class CSettingsStore;

inline constexpr char kPaperSection[] = "Print";

// Letter for the territories whose paper is letter size (the United States,
// Canada, Mexico, the Philippines and several countries of Central and South
// America) and for a locale that measures in US units; A4 elsewhere.
QPageSize::PageSizeId LocalePaper(const QLocale& locale = QLocale::system());

// The remembered paper and orientation; the locale's paper upright when
// nothing (or nothing known) is remembered.
QPageLayout DefaultPageLayout(const CSettingsStore& settings);
void RememberPageLayout(CSettingsStore& settings, const QPageLayout& layout);
