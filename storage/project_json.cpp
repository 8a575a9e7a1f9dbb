#include "storage/project_json.h"

#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "text/charset.h"
#include "text/units.h"

#include <cmath>
#include <nlohmann/json.hpp>

using nlohmann::ordered_json;

namespace
{
ordered_json Text(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

// A valid, finite figure or null.
ordered_json Figure(bool valid, double value)
{
  return valid && std::isfinite(value) ? ordered_json(value) : ordered_json(nullptr);
}

ordered_json Address(const CAddress& a, const std::string& reference)
{
  return {{"name", Text(a.mName)},       {"address1", Text(a.mAddress1)},
          {"address2", Text(a.mAddress2)}, {"city", Text(a.mCity)},
          {"state", Text(a.mState)},     {"country", Text(a.mCountry)},
          {"zip", Text(a.mZip)},         {"reference", Text(reference)}};
}

ordered_json Opening(const CVent& v)
{
  return {{"kind", VentTypeName(v.mType)},   {"shape", VentShapeName(v.mShape)},
          {"width_m", v.mWidth},             {"height_m", v.mHeight},
          {"upper_share", v.mUpper},         {"area_m2", Figure(true, v.mSize)},
          {"area_upper_m2", Figure(true, v.mSizeUpper)},
          {"area_lower_m2", Figure(true, v.mSizeLower)}};
}

ordered_json Volume(const CArea& a)
{
  const std::uint32_t f = a.mFlags;
  const bool creq = (f & AF_CREQ_VALID) != 0;
  ordered_json openings = ordered_json::array();
  for (std::size_t i = 0; i < a.mVentTable.Count(); ++i)
    openings.push_back(Opening(*a.mVentTable.Get(i)));
  ordered_json devices = ordered_json::array();
  for (int m = 0; m < DeviceModelCount; ++m)
  {
    double mass = 0;
    DeviceMass(m, mass);
    devices.push_back({{"model", DeviceName(m)},
                       {"mass_g", mass},
                       {"count", a.mDevice[static_cast<std::size_t>(m)]}});
  }
  const CDeviceFigures d = DeviceFigures(a);
  ordered_json required = ordered_json::object();
  for (int m = 0; m < DeviceModelCount; ++m)
    required[DeviceName(m)] = d.mValid ? ordered_json(d.mRequiredCounts[static_cast<std::size_t>(m)])
                                       : ordered_json(nullptr);
  CTextLines labels;
  ErrorLabels(f, labels);
  const double selected = ActualMass(a.mDevice);
  return {
    {"name", Text(a.mName)},
    {"hazard_class", IsValidHazard(a.mHazard) ? ordered_json(HazardName(a.mHazard)) : ordered_json(nullptr)},
    {"hazard_index", a.mHazard},
    {"length_m", a.mLength},
    {"width_m", a.mWidth},
    {"height_m", a.mHeight},
    {"notes", Text(a.mNotes)},
    {"include_notes", a.mIncludeNotes},
    {"openings", openings},
    {"devices", devices},
    {"figures",
     {{"volume_m3", Figure(true, a.mVolume)},
      {"open_area_wall_upper_m2", Figure(true, a.mSizeVentWallUpper)},
      {"open_area_wall_lower_m2", Figure(true, a.mSizeVentWallLower)},
      {"open_area_ceiling_m2", Figure(true, a.mSizeVentCeiling)},
      {"open_area_floor_m2", Figure(true, a.mSizeVentFloor)},
      {"open_area_m2", Figure(true, a.mSizeOpen)},
      {"open_area_upper_m2", Figure(true, a.mSizeVentUpper)},
      {"open_area_lower_m2", Figure(true, a.mSizeVentLower)},
      {"closed_area_m2", Figure(true, a.mSizeClosed)},
      {"lr", Figure(f & AF_LR_VALID, a.mLR)},
      {"lp_per_m", Figure(f & AF_LP_VALID, a.mLP)},
      {"lh", Figure(f & AF_LH_VALID, a.mLH)},
      {"k1", Figure(f & AF_K1_VALID, a.mK1)},
      {"k2", Figure(f & AF_K2_VALID, a.mK2)},
      {"k3", Figure(f & AF_K3_VALID, a.mK3)},
      {"concentration_standard_g_per_m3", Figure(f & AF_CSTD_VALID, a.mConcentrationStandard)},
      {"concentration_required_g_per_m3", Figure(creq, a.mConcentrationRequired)},
      {"mass_required_g", Figure(creq, a.mMassRequired)},
      {"mass_selected_g", selected},
      {"mass_remaining_g", Figure(d.mValid, d.mRemainingMass)},
      {"density_selected_g_per_m3", Figure(a.mVolume > 0, selected / a.mVolume)},
      {"devices_required", required},
      {"ul_minimum_g_per_m3", Figure(creq, ULMinimumDensity(a.mHazard))},
      {"ul_met", creq ? ordered_json((a.mWarnings & AW_BELOW_UL_DENSITY) == 0) : ordered_json(nullptr)},
      {"flags", f},
      {"warnings", a.mWarnings},
      {"errors", labels.Lines()}}},
  };
}
} // namespace

std::string ProjectJson(const CProject& project)
{
  ordered_json volumes = ordered_json::array();
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    volumes.push_back(Volume(*project.mAreaTable.Get(i)));
  ordered_json json = {
    {"name", Text(project.mName)},
    {"date", Text(project.mProject_Date)},
    {"reference", Text(project.mProject_Reference)},
    {"designer", Text(project.mProject_Designer)},
    {"units", UnitName(project.mUnits)},
    {"distributor", Address(project.mDistributor, project.mDistributor_Reference)},
    {"customer", Address(project.mCustomer, project.mCustomer_Reference)},
    {"notes", Text(project.mNotes)},
    {"include_notes", project.mIncludeNotes},
    {"volumes", volumes},
  };
  return json.dump(2) + "\n";
}
