#include "storage/schedule_export.h"

#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "storage/csv.h"
#include "storage/schedule_format.h"
#include "text/charset.h"

namespace
{
// "devices_30g" .. "devices_2500g".
std::string DeviceColumn(int model)
{
  std::string name = DeviceName(model); // "30 g"
  name.erase(name.find(' '), 1);
  return "devices_" + name;
}

std::string Valid(bool valid, double value) { return valid ? ScheduleNumber(value) : std::string(); }
} // namespace

const std::vector<std::string>& ScheduleColumns()
{
  static const std::vector<std::string> columns = []
  {
    std::vector<std::string> c = {"name",
                                  "hazard_class",
                                  "length_m",
                                  "width_m",
                                  "height_m",
                                  "openings_m",
                                  "volume_m3",
                                  "open_area_wall_upper_m2",
                                  "open_area_wall_lower_m2",
                                  "open_area_ceiling_m2",
                                  "open_area_floor_m2",
                                  "lr",
                                  "lp_per_m",
                                  "lh",
                                  "k1",
                                  "k2",
                                  "k3",
                                  "concentration_required_g_per_m3",
                                  "mass_required_g"};
    for (int m = 0; m < DeviceModelCount; ++m)
      c.push_back(DeviceColumn(m));
    for (const char* name : {"mass_selected_g", "density_selected_g_per_m3", "ul_minimum_g_per_m3",
                             "ul_met", "errors", "notes", "include_notes"})
      c.push_back(name);
    return c;
  }();
  return columns;
}

std::string ScheduleCsv(const CProject& project)
{
  std::vector<const CArea*> volumes;
  volumes.reserve(project.mAreaTable.Count());
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    volumes.push_back(project.mAreaTable.Get(i));
  return ScheduleText(volumes, ',');
}

std::string ScheduleText(const std::vector<const CArea*>& volumes, char separator)
{
  std::string out;
  out.reserve(256 * (volumes.size() + 1));
  AppendCsvRecord(out, ScheduleColumns(), separator);
  std::vector<std::string> row;
  for (const CArea* volume : volumes)
  {
    const CArea& a = *volume;
    const std::uint32_t f = a.mFlags;
    const bool creq = (f & AF_CREQ_VALID) != 0;
    const double selected = ActualMass(a.mDevice);
    row.clear();
    // The free texts never run as formulas in a spreadsheet; every other
    // text cell is a word or figure of the program.
    row.push_back(SpreadsheetText(Cp1252ToUtf8(a.mName)));
    row.push_back(HazardName(a.mHazard));
    row.push_back(ScheduleNumber(a.mLength));
    row.push_back(ScheduleNumber(a.mWidth));
    row.push_back(ScheduleNumber(a.mHeight));
    row.push_back(OpeningsCell(a.mVentTable));
    // Sizes out of range leave the volume and its areas without meaning.
    const bool sized = !(f & AF_SIZE_OUT_OF_RANGE);
    row.push_back(Valid(sized, a.mVolume));
    row.push_back(Valid(sized, a.mSizeVentWallUpper));
    row.push_back(Valid(sized, a.mSizeVentWallLower));
    row.push_back(Valid(sized, a.mSizeVentCeiling));
    row.push_back(Valid(sized, a.mSizeVentFloor));
    row.push_back(Valid(f & AF_LR_VALID, a.mLR));
    row.push_back(Valid(f & AF_LP_VALID, a.mLP));
    row.push_back(Valid(f & AF_LH_VALID, a.mLH));
    row.push_back(Valid(f & AF_K1_VALID, a.mK1));
    row.push_back(Valid(f & AF_K2_VALID, a.mK2));
    row.push_back(Valid(f & AF_K3_VALID, a.mK3));
    row.push_back(Valid(creq, a.mConcentrationRequired));
    row.push_back(Valid(creq, a.mMassRequired));
    for (int m = 0; m < DeviceModelCount; ++m)
      row.push_back(std::to_string(a.mDevice[static_cast<std::size_t>(m)]));
    row.push_back(ScheduleNumber(selected));
    row.push_back(Valid(a.mVolume > 0, selected / a.mVolume));
    // The UL test runs only on a valid required mass.
    row.push_back(Valid(creq, ULMinimumDensity(a.mHazard)));
    row.push_back(creq ? ((a.mWarnings & AW_BELOW_UL_DENSITY) ? "no" : "yes") : "");
    CTextLines labels;
    ErrorLabels(f, labels);
    std::string errors;
    for (const std::string& label : labels)
      errors += (errors.empty() ? "" : "; ") + label;
    row.push_back(errors);
    row.push_back(SpreadsheetText(Cp1252ToUtf8(a.mNotes)));
    row.push_back(a.mIncludeNotes ? "yes" : "no");
    AppendCsvRecord(out, row, separator);
  }
  return out;
}
