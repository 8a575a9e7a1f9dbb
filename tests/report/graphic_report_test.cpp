#include "report/graphic_report.h"

#include "report/report_table.h"
#include "tests/report/fake_surface.h"
#include "tests/report/report_cases.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{
constexpr int L = CFakeSurface::kLine;
constexpr int C = CFakeSurface::kChar;
constexpr int I = CFakeSurface::kInch / 2;
const CReportPage kWindowPage{0, 0, 800};

struct CAt
{
  int mX;
  int mY;
  bool operator==(const CAt&) const = default;
};

std::ostream& operator<<(std::ostream& out, const CAt& at)
{
  return out << "(" << at.mX << ", " << at.mY << ")";
}

CAt At(const CFakeSurface& surface, const std::string& text)
{
  const CDrawnText* t = surface.Find(text);
  EXPECT_NE(t, nullptr) << "not drawn: " << text;
  return t ? CAt{t->mX, t->mY} : CAt{-1, -1};
}

// A volume of zero size whose table shows only the stated factors.
CArea& ZeroVolume(CProject& project, const std::string& name)
{
  CArea& area = AddVolume(project, name, 0, 0_m, 0_m, 0_m);
  area.mFlags = AF_ZERO_VOLUME;
  return area;
}
} // namespace

TEST(GraphicReport, ProjectPartPositions)
{
  auto project = EmptyProject("Plant");
  project->mProject_Date = "01/02/24";
  project->mDistributor = {"Dist Co", "1 Road", "Town", "", "", "", ""};
  project->mCustomer = {"Customer Ltd", "Unit 4", "Harbour Estate", "Port City", "", "", "12345"};
  project->mCustomer_Reference = "PO 991";
  CFakeSurface surface;
  const CReportSize size = DrawWindowReport(surface, kWindowPage, *project, true);

  // The word-mark: 2L high, its width in proportion, against the right edge.
  ASSERT_EQ(surface.mPictures.size(), 1u);
  const CDrawnPicture& picture = surface.mPictures[0];
  EXPECT_EQ(picture.mHeight, 2 * L);
  EXPECT_EQ(picture.mWidth, 2 * L * 589 / 177);
  EXPECT_EQ(picture.mX + picture.mWidth, 800);
  EXPECT_EQ(picture.mY, 0);
  EXPECT_GT(picture.mBytes, 0u);

  // Identity values start 2C after the widest label.
  EXPECT_EQ(At(surface, "Project:"), CAt({0, 3 * L}));
  EXPECT_EQ(At(surface, "Plant"), CAt({8 * C + 2 * C, 3 * L}));
  EXPECT_EQ(At(surface, "01/02/24"), CAt({10 * C, 4 * L}));

  // Addresses one line below; the customer block ends at the right edge.
  const int addressY = 5 * L + L;
  EXPECT_EQ(At(surface, "Dist Co"), CAt({0, addressY}));
  const int customerX = 800 - 17 * C; // "Reference: PO 991" is the widest
  EXPECT_EQ(At(surface, "Customer Ltd"), CAt({customerX, addressY}));
  EXPECT_EQ(At(surface, "Reference: PO 991"), CAt({customerX, addressY + 4 * L}));

  // The taller customer block decides where "Totals:" stands.
  const int totalsY = addressY + 5 * L + L;
  EXPECT_EQ(At(surface, "Totals:"), CAt({0, totalsY}));
  EXPECT_EQ(At(surface, "NO DEVICES"), CAt({I, totalsY + 2 * L}));
  EXPECT_EQ(At(surface, "NO VOLUMES"), CAt({I + 10 * C + 2 * C, totalsY + 2 * L}));

  EXPECT_EQ(size.mWidth, 800);
  EXPECT_EQ(size.mHeight, totalsY + 2 * L + L + L);
}

TEST(GraphicReport, EmptyBlocksAddNoSpacingAndErrorsAreRed)
{
  auto project = EmptyProject("P");
  CArea& area = ZeroVolume(*project, "V");
  area.mIncludeNotes = true;
  area.mNotes = "  Hello  ";
  CFakeSurface surface;
  const CReportSize size = DrawWindowReport(surface, kWindowPage, *project, true);

  // No addresses: "Totals:" follows the identity table after one line.
  EXPECT_EQ(At(surface, "Totals:"), CAt({0, 5 * L}));
  const CDrawnText* projectError = surface.Find("ZERO VOLUME");
  ASSERT_NE(projectError, nullptr);
  EXPECT_TRUE(projectError->mRed);
  EXPECT_EQ(CAt({projectError->mX, projectError->mY}), CAt({I, 7 * L}));
  EXPECT_FALSE(surface.Find("Totals:")->mRed);
  // Devices and volumes tables one line below the errors.
  EXPECT_EQ(At(surface, "NO DEVICES"), CAt({I, 9 * L}));
  EXPECT_EQ(At(surface, "Total"), CAt({I + 12 * C, 11 * L}));

  // The volume starts below the volumes table (taller than devices + L).
  EXPECT_EQ(At(surface, "Volume \"V\":"), CAt({0, 12 * L}));
  EXPECT_EQ(surface.Count("ZERO VOLUME"), 2);
  EXPECT_TRUE(surface.mTexts.back().mNotes);
  const int devicesY = 12 * L + 2 * L + 2 * L;
  const int xr = I + 10 * C + 2 * C;
  EXPECT_EQ(surface.Count("NO DEVICES"), 2);
  EXPECT_EQ(At(surface, "Hazard Class:"), CAt({xr, devicesY}));
  // Without valid factors the openings follow the dimensions directly.
  EXPECT_EQ(At(surface, "Length"), CAt({xr, devicesY + 2 * L}));
  EXPECT_EQ(surface.Find("K2"), nullptr);
  EXPECT_EQ(At(surface, "NO OPENINGS"), CAt({xr, devicesY + 5 * L}));
  // Notes caption one line below the openings, the cleaned text beside it.
  const int notesY = devicesY + 7 * L;
  EXPECT_EQ(At(surface, "Volume Notes:"), CAt({I, notesY}));
  EXPECT_EQ(At(surface, "Hello").mY, notesY);
  EXPECT_EQ(size.mHeight, notesY + L);

  // "Volume Notes:" is wider than "NO DEVICES": the notes move right of it,
  // in the window and on the printer alike.
  CFakeSurface printer;
  PrintReport(printer, *project);
  for (const CFakeSurface* s : {&surface, &printer})
  {
    const CAt caption = At(*s, "Volume Notes:");
    const CAt notes = At(*s, "Hello");
    EXPECT_EQ(notes.mX, caption.mX + 13 * C + 2 * C);
    EXPECT_EQ(notes.mY, caption.mY);
  }
}

TEST(GraphicReport, MeasuringDrawsNothingAndGivesTheDrawnSize)
{
  auto project = FullMetricCase();
  CFakeSurface measure;
  CFakeSurface draw;
  const CReportSize measured = DrawWindowReport(measure, kWindowPage, *project, false);
  const CReportSize drawn = DrawWindowReport(draw, kWindowPage, *project, true);
  EXPECT_TRUE(measure.mTexts.empty());
  EXPECT_TRUE(measure.mPictures.empty());
  EXPECT_EQ(measured.mWidth, drawn.mWidth);
  EXPECT_EQ(measured.mHeight, drawn.mHeight);
  int bottom = 0;
  for (const CDrawnText& t : draw.mTexts)
    bottom = std::max(bottom, t.mY + L);
  EXPECT_EQ(drawn.mHeight, bottom);
  // Moving the origin moves everything, and the size stays.
  CFakeSurface moved;
  const CReportSize size = DrawWindowReport(moved, {-30, -200, 770}, *project, true);
  EXPECT_EQ(size.mHeight, drawn.mHeight);
  ASSERT_EQ(moved.mTexts.size(), draw.mTexts.size());
  EXPECT_EQ(moved.mTexts[5].mX, draw.mTexts[5].mX - 30);
  EXPECT_EQ(moved.mTexts[5].mY, draw.mTexts[5].mY - 200);
}

TEST(GraphicReport, ColumnsAreAsWideAsTheirWidestCellInAnyRow)
{
  CReportTable table;
  table.AddCell(0, "a");
  table.AddCell(0, "wide cell");
  table.AddCell(1, "b");
  CFakeSurface surface;
  EXPECT_EQ(ColumnWidths(surface, table), std::vector<int>({9 * C, C}));
  const CReportSize size = DrawTable(surface, 0, 0, table, true);
  EXPECT_EQ(size.mWidth, 9 * C + 2 * C + C);
  EXPECT_EQ(size.mHeight, 2 * L);
  EXPECT_EQ(At(surface, "b"), CAt({11 * C, 0}));

  // A page showing only the heading and the last row keeps the columns.
  CFakeSurface page;
  std::size_t resume = 1;
  EXPECT_EQ(DrawTablePage(page, 0, 0, table, 1000, resume, true).mWidth, size.mWidth);
  EXPECT_EQ(At(page, "b"), CAt({11 * C, 0}));
  EXPECT_EQ(At(page, "wide cell"), CAt({0, L}));
  EXPECT_EQ(resume, 2u);
}

TEST(GraphicReport, TablePageStopsBeforeTheLimit)
{
  CReportTable table;
  for (int r = 0; r < 10; ++r)
    table.AddCell(0, "row" + std::to_string(r));
  CFakeSurface surface;
  std::size_t resume = 0;
  // Not even started when the top plus 2L does not lie above the limit.
  EXPECT_TRUE(DrawTablePage(surface, 0, 100, table, 140, resume, true).Empty());
  EXPECT_EQ(resume, 0u);
  // Rows whose bottom reaches the limit wait for the next page.
  EXPECT_EQ(DrawTablePage(surface, 0, 100, table, 180, resume, true).mHeight, 3 * L);
  EXPECT_EQ(resume, 3u);
  surface.mTexts.clear();
  EXPECT_EQ(DrawTablePage(surface, 0, 0, table, 1000, resume, true).mHeight, 8 * L);
  EXPECT_EQ(surface.mTexts.front().mText, "row0");
  EXPECT_EQ(surface.mTexts[1].mText, "row3");
  EXPECT_EQ(resume, 10u);
}

TEST(PrintReport, LongVolumesTableContinuesBelowARepeatedHeading)
{
  auto project = EmptyProject("Many");
  for (int i = 0; i < 60; ++i)
    AddVolume(*project, "V" + std::to_string(100 + i), 0, 2_m, 2_m, 2_m);
  CFakeSurface printer;
  PrintReport(printer, *project);
  EXPECT_EQ(printer.mDocument, "Many");
  EXPECT_EQ(printer.mDocuments, 1);
  EXPECT_EQ(printer.mEnded, 1);

  // Every row once, in order; the heading on both pages of the table.
  int lastPage = -1;
  int lastY = -1;
  for (int i = 1; i <= 60; ++i)
  {
    const std::string label = "#" + std::to_string(i);
    ASSERT_EQ(printer.Count(label), 1) << label;
    const CDrawnText* row = printer.Find(label);
    EXPECT_TRUE(row->mPage > lastPage || (row->mPage == lastPage && row->mY == lastY + L)) << label;
    EXPECT_LT(row->mY + L, 1050) << label;
    if (row->mPage != lastPage && lastPage >= 0)
    {
      // The first row of a new page sits below the heading, which stands
      // below the part's caption marked as continued at the top margin.
      EXPECT_EQ(row->mY, 50 + 3 * L) << label;
    }
    lastPage = row->mPage;
    lastY = row->mY;
  }
  EXPECT_EQ(printer.Count("Hazard Class"), 2);
  int headings = 0;
  for (const CDrawnText& t : printer.mTexts)
    if (t.mText == "Hazard Class" && t.mPage == 1)
    {
      EXPECT_EQ(t.mY, 50 + 2 * L);
      ++headings;
    }
  EXPECT_EQ(headings, 1);
  EXPECT_EQ(At(printer, "Totals: (continued)"), CAt({50, 50}));
  EXPECT_GE(printer.mPage, 1);
}

TEST(PrintReport, VolumeSectionThatDoesNotFitStartsANewPage)
{
  auto project = EmptyProject("P");
  for (int i = 0; i < 8; ++i)
    AddVolume(*project, "Room " + std::to_string(i), 0, 10_m, 10_m, 3_m);
  CFakeSurface printer;
  PrintReport(printer, *project);
  ASSERT_GE(printer.mPage, 1);
  int moved = 0;
  for (int i = 0; i < 8; ++i)
  {
    const CDrawnText* title = printer.Find("Volume \"Room " + std::to_string(i) + "\":");
    ASSERT_NE(title, nullptr);
    if (title->mPage > 0 && title->mY == 50)
    {
      ++moved;
      continue;
    }
    // A section left on its page fits there with two lines to spare:
    // 2L title, 5 summary rows, 2 dimensions, 2 factors, each with a gap.
    EXPECT_LE(title->mY + 2 * L + 12 * L + 2 * L, 1050) << i;
  }
  EXPECT_GE(moved, 1);
  // Each openings table starts on its section's page.
  std::vector<const CDrawnText*> titles;
  for (const CDrawnText& t : printer.mTexts)
    if (t.mText.rfind("Volume \"", 0) == 0)
      titles.push_back(&t);
  std::size_t section = 0;
  for (const CDrawnText& t : printer.mTexts)
  {
    if (section + 1 < titles.size() && &t == titles[section + 1])
      ++section;
    if (t.mText == "NO OPENINGS")
    {
      EXPECT_EQ(t.mPage, titles[section]->mPage) << titles[section]->mText;
    }
  }
  // Nothing but the footer is printed into the bottom margin.
  for (const CDrawnText& t : printer.mTexts)
    if (!t.mFooter)
    {
      EXPECT_LE(t.mY + L, 1050) << t.mText;
    }
}

TEST(PrintReport, NotesContinueAtTheTopOfTheNextPageAtTheSameX)
{
  auto project = EmptyProject("P");
  project->mIncludeNotes = true;
  for (int i = 0; i < 80; ++i)
    project->mNotes += "note line " + std::to_string(i) + "\n";
  CFakeSurface printer;
  PrintReport(printer, *project);
  const CDrawnText* caption = printer.Find("Project Notes:");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->mX, 50);
  const CDrawnText* first = printer.Find("note line 0");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CAt({first->mX, first->mY}), CAt({50 + I, caption->mY + 2 * L}));
  for (int i = 0; i < 80; ++i)
  {
    const CDrawnText* line = printer.Find("note line " + std::to_string(i));
    ASSERT_NE(line, nullptr) << i;
    EXPECT_EQ(line->mX, 50 + I);
    EXPECT_LE(line->mY + L, 1050);
  }
  const CDrawnText* last = printer.Find("note line 79");
  EXPECT_EQ(last->mPage, 1);
  const CDrawnText* top = nullptr;
  for (const CDrawnText& t : printer.mTexts)
    if (t.mPage == 1 && t.mNotes && (!top || t.mY < top->mY))
      top = &t;
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->mY, 50 + 2 * L);
  EXPECT_EQ(At(printer, "Project Notes: (continued)"), CAt({50, 50}));
}

TEST(PrintReport, TallDevicesTableKeepsTheNextSectionClear)
{
  auto project = EmptyProject("P");
  CArea& a = ZeroVolume(*project, "A");
  for (int m = 0; m < 7; ++m)
    a.SetDeviceCount(m, 1);
  a.mIncludeNotes = true;
  a.mNotes = "n";
  ZeroVolume(*project, "B");
  for (bool window : {true, false})
  {
    SCOPED_TRACE(window ? "window" : "printer");
    CFakeSurface surface;
    if (window)
      DrawWindowReport(surface, kWindowPage, *project, true);
    else
      PrintReport(surface, *project);
    // The devices table of A: heading, 7 models, total.
    const CDrawnText* total = nullptr;
    for (const CDrawnText& t : surface.mTexts)
      if (t.mText == "Total" && t.mX == (window ? I : 50 + I))
        total = &t;
    ASSERT_NE(total, nullptr);
    EXPECT_GT(At(surface, "Volume Notes:").mY, total->mY);
    EXPECT_GT(At(surface, "Volume \"B\":").mY, At(surface, "Volume Notes:").mY);
  }
}

TEST(PrintReport, APageTooSmallForAnyRowStillEnds)
{
  auto project = FullMetricCase();
  CFakeSurface printer;
  printer.mPageHeight = 150;
  PrintReport(printer, *project);
  EXPECT_EQ(printer.mEnded, 1);
  EXPECT_LT(printer.mPage, 200);
}

TEST(PrintReport, EveryPageHasAFooterAndContinuedSectionsRepeatTheirTitle)
{
  auto project = EmptyProject("P");
  project->mProject_Reference = "R-1";
  CArea& area = AddVolume(*project, "A", 0, 10_m, 10_m, 3_m);
  for (int i = 0; i < 60; ++i)
    AddOpening(area, VENT_WALL, SHAPE_RECTANGULAR, 0.1_m, 0.1_m, 0.5);
  area.CalculateArea();
  area.mIncludeNotes = true;
  for (int i = 0; i < 60; ++i)
    area.mNotes += "n" + std::to_string(i) + "\n";
  AddVolume(*project, "B", 0, 10_m, 10_m, 3_m);
  CFakeSurface printer;
  PrintReport(printer, *project, {"Program 1.0", "2026-12-09"});
  const int pages = printer.mPage + 1;
  ASSERT_GE(pages, 2);
  for (int page = 0; page < pages; ++page)
  {
    const std::string label = "Page " + std::to_string(page + 1) + " of " + std::to_string(pages);
    ASSERT_EQ(printer.Count(label), 1) << label;
    const CDrawnText* number = printer.Find(label);
    EXPECT_EQ(number->mPage, page);
    EXPECT_TRUE(number->mFooter);
    EXPECT_EQ(number->mX + 6 * static_cast<int>(label.size()), 800);
    EXPECT_GE(number->mY, 1050);
    EXPECT_LE(number->mY + 2 * 12, 1100);
  }
  EXPECT_EQ(printer.Count("P  Reference: R-1"), pages);
  EXPECT_EQ(printer.Count("Program 1.0"), pages);
  EXPECT_EQ(printer.Count("Printed 2026-12-09"), pages);
  const CDrawnText* continued = printer.Find("Volume \"A\": (continued)");
  ASSERT_NE(continued, nullptr);
  EXPECT_EQ(CAt({continued->mX, continued->mY}), CAt({50, 50}));
  // The next section follows the notes where they ended, on their last page.
  const CDrawnText* last = printer.Find("n59");
  const CDrawnText* next = printer.Find("Volume \"B\":");
  ASSERT_TRUE(last && next);
  EXPECT_EQ(next->mPage, last->mPage);
  EXPECT_EQ(next->mY, last->mY + 2 * L);
}

TEST(GraphicReport, LongTextsWrapAndAddressBlocksThatWouldMeetStack)
{
  auto project = EmptyProject(std::string(100, 'N'));
  project->mDistributor = {std::string(67, 'D'), "", "", "", "", "", ""};
  project->mCustomer = {"Customer Ltd", "", "", "", "", "", ""};
  project->mCustomer_Reference = "";
  AddVolume(*project, std::string(60, 'T') + " " + std::string(30, 'U'), 0, 10_m, 10_m, 3_m);
  CFakeSurface surface;
  DrawWindowReport(surface, kWindowPage, *project, true);
  for (const CDrawnText& t : surface.mTexts)
    EXPECT_LE(t.mX + C * static_cast<int>(t.mText.size()), 800) << t.mText;
  // 800 pixels take 80 characters; the identity values start after "Project:".
  EXPECT_EQ(At(surface, std::string(70, 'N')), CAt({10 * C, 3 * L}));
  EXPECT_EQ(At(surface, std::string(30, 'N')), CAt({10 * C, 4 * L}));
  const CAt title = At(surface, "Volume \"" + std::string(60, 'T'));
  EXPECT_EQ(At(surface, std::string(30, 'U') + "\":"), CAt({0, title.mY + L}));
  // 67 characters and 2C leave less than the 12 of "Customer Ltd" to the edge.
  const CAt distributor = At(surface, std::string(67, 'D'));
  EXPECT_EQ(At(surface, "Customer Ltd"), CAt({800 - 12 * C, distributor.mY + L}));
  project->mDistributor.mName = std::string(66, 'D');
  CFakeSurface apart;
  DrawWindowReport(apart, kWindowPage, *project, true);
  EXPECT_EQ(At(apart, "Customer Ltd").mY, At(apart, std::string(66, 'D')).mY);
}

TEST(GraphicReport, WindowLayoutMeasuresAgainOnlyWhatAnEditChangedAndDrawsTheSameBands)
{
  // A layout brought up to date after each edit, told which volume changed
  // (or finding it through the content keys), must equal one measured
  // afresh; and a band drawn from it must show what the whole report draws
  // there, the long volumes table included.
  auto project = EmptyProject("Plant");
  for (int i = 0; i < 40; ++i)
    AddVolume(*project, "Room " + std::to_string(i), 0, 10_m, 8_m, 3_m);
  CFakeSurface surface;
  CWindowLayout told = LayoutWindowReport(surface, kWindowPage, *project);
  CWindowLayout found = told;
  auto same = [&](const CWindowLayout& layout, const std::string& when)
  {
    const CWindowLayout fresh = LayoutWindowReport(surface, kWindowPage, *project);
    EXPECT_EQ(layout.VolumeTops(), fresh.VolumeTops()) << when;
    EXPECT_EQ(layout.Size().mWidth, fresh.Size().mWidth) << when;
    EXPECT_EQ(layout.Size().mHeight, fresh.Size().mHeight) << when;
    EXPECT_EQ(layout.VolumesColumns(), fresh.VolumesColumns()) << when;
  };
  CArea& room = *project->mAreaTable.Get(7);
  const std::vector<std::pair<const char*, std::function<CArea*()>>> edits = {
      {"height",
       [&]
       {
         room.SetHeight(12);
         return &room;
       }},
      {"hazard class",
       [&]
       {
         room.SetHazard(9);
         return &room;
       }}, // the widest class name
      {"openings",
       [&]
       {
         AddOpening(room, VENT_WALL, SHAPE_RECTANGULAR, 4, 3, 0.5);
         return &room;
       }},
      {"devices",
       [&]
       {
         room.SetDeviceCount(2, 123456);
         return &room;
       }},
      {"notes",
       [&]
       {
         room.SetNotes(std::string(300, 'x') + " and a few words after a long word");
         room.SetIncludeNotes(true);
         return &room;
       }},
      {"volume total",
       [&]
       {
         project->mAreaTable.Get(39)->SetLength(100000);
         return project->mAreaTable.Get(39);
       }},
      {"project notes",
       [&]
       {
         project->mNotes = "Several lines\nof project notes\nmove every section.";
         project->mIncludeNotes = true;
         return nullptr;
       }},
  };
  for (const auto& [what, edit] : edits)
  {
    CArea* volume = edit();
    project->RecalculateProject();
    told.Remeasure(surface, kWindowPage, *project, {volume});
    same(told, std::string("told of ") + what);
    found.Check(surface, kWindowPage, *project);
    same(found, std::string("found ") + what);
  }

  CFakeSurface whole;
  DrawWindowReport(whole, kWindowPage, *project, true);
  const int height = told.Size().mHeight;
  for (int top : {0, 5 * L + 3, height / 3, height - 300})
  {
    const int bottom = top + 400;
    auto inBand = [&](const std::vector<CDrawnText>& texts)
    {
      std::vector<std::string> shown;
      for (const CDrawnText& t : texts)
        if (t.mY < bottom && t.mY + L > top)
          shown.push_back(std::to_string(t.mX) + "," + std::to_string(t.mY) + " " + t.mText);
      return shown;
    };
    CFakeSurface band;
    DrawWindowReportBand(band, kWindowPage, *project, told, top, bottom);
    EXPECT_EQ(inBand(band.mTexts), inBand(whole.mTexts)) << "band from " << top;
  }
}
