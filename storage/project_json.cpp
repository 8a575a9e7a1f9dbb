#include "storage/project_json.h"

#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "text/charset.h"
#include "text/units.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
// Writes JSON as it goes, laid out as nlohmann's dump(2) lays it out: each
// member and element on a line of its own, indented by two spaces a level,
// an empty object or array as "{}" or "[]". Only the open levels are kept,
// and the text goes out in pieces of kPiece bytes.
class CJsonStream
{
public:
  explicit CJsonStream(const std::function<bool(std::string_view)>& write) : mWrite(write) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  // The name of the next member of the open object.
  void Key(std::string_view utf8)
  {
    NextItem();
    AppendString(utf8);
    mOut += ": ";
    mAfterKey = true;
  }

  void String(std::string_view utf8)
  {
    NextItem();
    AppendString(utf8);
  }
  void Text1252(std::string_view cp1252) { String(Cp1252ToUtf8(cp1252)); }
  // Members of the open object whose values are texts of the model.
  void Texts(std::initializer_list<std::pair<std::string_view, std::string_view>> members)
  {
    for (const auto& [key, cp1252] : members)
    {
      Key(key);
      Text1252(cp1252);
    }
  }

  // A number that is not finite has no JSON form: null.
  void Number(double value)
  {
    NextItem();
    // The figure exactly as the JSON library writes it (shortest text that
    // reads back, "1.0" for a whole number, "1e+16" past fifteen digits).
    if (std::isfinite(value))
      mOut += nlohmann::json(value).dump();
    else
      mOut += "null";
  }
  void Integer(std::int64_t value)
  {
    NextItem();
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    mOut.append(buffer, end);
  }
  void Bool(bool value)
  {
    NextItem();
    mOut += value ? "true" : "false";
  }
  void Null()
  {
    NextItem();
    mOut += "null";
  }
  // Members of the open object whose values are numbers.
  void Numbers(std::initializer_list<std::pair<std::string_view, double>> members)
  {
    for (const auto& [key, value] : members)
    {
      Key(key);
      Number(value);
    }
  }
  // A valid figure, or null.
  void Figure(bool valid, double value)
  {
    if (valid)
      Number(value);
    else
      Null();
  }

  // Hands over what is left; false when any piece could not be written.
  bool Finish()
  {
    mOut += '\n';
    return Flush();
  }

private:
  static constexpr std::size_t kPiece = 64 * 1024;

  struct CLevel
  {
    bool mEmpty = true;
  };

  // The separator and indentation before a member, an element or a value.
  void NextItem()
  {
    if (mAfterKey)
    {
      mAfterKey = false;
      return;
    }
    if (mLevels.empty())
      return;
    mOut += mLevels.back().mEmpty ? "\n" : ",\n";
    mLevels.back().mEmpty = false;
    mOut.append(2 * mLevels.size(), ' ');
    if (mOut.size() >= kPiece)
      Flush();
  }

  void Open(char bracket)
  {
    NextItem();
    mOut += bracket;
    mLevels.push_back({});
  }

  void Close(char bracket)
  {
    const bool empty = mLevels.back().mEmpty;
    mLevels.pop_back();
    if (!empty)
    {
      mOut += '\n';
      mOut.append(2 * mLevels.size(), ' ');
    }
    mOut += bracket;
  }

  // Escaped as the JSON library escapes: the quote, the backslash and the
  // control characters; every other character as it is.
  void AppendString(std::string_view utf8)
  {
    mOut += '"';
    for (char c : utf8)
    {
      switch (c)
      {
      case '"':
        mOut += "\\\"";
        break;
      case '\\':
        mOut += "\\\\";
        break;
      case '\b':
        mOut += "\\b";
        break;
      case '\f':
        mOut += "\\f";
        break;
      case '\n':
        mOut += "\\n";
        break;
      case '\r':
        mOut += "\\r";
        break;
      case '\t':
        mOut += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20)
        {
          static const char kHex[] = "0123456789abcdef";
          mOut += "\\u00";
          mOut += kHex[(c >> 4) & 0xF];
          mOut += kHex[c & 0xF];
        }
        else
          mOut += c;
      }
    }
    mOut += '"';
  }

  bool Flush()
  {
    if (mOk && !mOut.empty())
      mOk = mWrite(mOut);
    mOut.clear();
    return mOk;
  }

  const std::function<bool(std::string_view)>& mWrite;
  std::string mOut;
  std::vector<CLevel> mLevels;
  bool mAfterKey = false;
  bool mOk = true;
};

void Address(CJsonStream& json, const CAddress& a, const std::string& reference)
{
  json.BeginObject();
  json.Texts({{"name", a.mName},
              {"address1", a.mAddress1},
              {"address2", a.mAddress2},
              {"city", a.mCity},
              {"state", a.mState},
              {"country", a.mCountry},
              {"zip", a.mZip},
              {"reference", reference}});
  json.EndObject();
}

void Opening(CJsonStream& json, const CVent& v)
{
  json.BeginObject();
  json.Key("kind");
  json.String(VentTypeName(v.mType));
  json.Key("shape");
  json.String(VentShapeName(v.mShape));
  json.Numbers({{"width_m", v.mWidth},
                {"height_m", v.mHeight},
                {"upper_share", v.mUpper},
                {"area_m2", v.mSize},
                {"area_upper_m2", v.mSizeUpper},
                {"area_lower_m2", v.mSizeLower}});
  json.EndObject();
}

void Volume(CJsonStream& json, const CArea& a)
{
  const std::uint32_t f = a.mFlags;
  const bool creq = (f & AF_CREQ_VALID) != 0;
  json.BeginObject();
  json.Key("name");
  json.Text1252(a.mName);
  json.Key("hazard_class");
  if (IsValidHazard(a.mHazard))
    json.String(HazardName(a.mHazard));
  else
    json.Null();
  json.Key("hazard_index");
  json.Integer(a.mHazard);
  json.Numbers({{"length_m", a.mLength}, {"width_m", a.mWidth}, {"height_m", a.mHeight}});
  json.Key("notes");
  json.Text1252(a.mNotes);
  json.Key("include_notes");
  json.Bool(a.mIncludeNotes);

  json.Key("openings");
  json.BeginArray();
  for (std::size_t i = 0; i < a.mVentTable.Count(); ++i)
    Opening(json, *a.mVentTable.Get(i));
  json.EndArray();

  json.Key("devices");
  json.BeginArray();
  for (int m = 0; m < DeviceModelCount; ++m)
  {
    double mass = 0;
    DeviceMass(m, mass);
    json.BeginObject();
    json.Key("model");
    json.String(DeviceName(m));
    json.Key("mass_g");
    json.Number(mass);
    json.Key("count");
    json.Integer(a.mDevice[static_cast<std::size_t>(m)]);
    json.EndObject();
  }
  json.EndArray();

  const CDeviceFigures d = DeviceFigures(a);
  const double selected = ActualMass(a.mDevice);
  json.Key("figures");
  json.BeginObject();
  // The sizes of a volume whose lengths lie outside the calculation's range
  // have no meaning: null, as every other figure without one.
  const bool sized = (f & AF_SIZE_OUT_OF_RANGE) == 0;
  const std::tuple<const char*, bool, double> figures[] = {
      {"volume_m3", sized, a.mVolume},
      {"open_area_wall_upper_m2", sized, a.mSizeVentWallUpper},
      {"open_area_wall_lower_m2", sized, a.mSizeVentWallLower},
      {"open_area_ceiling_m2", sized, a.mSizeVentCeiling},
      {"open_area_floor_m2", sized, a.mSizeVentFloor},
      {"open_area_m2", sized, a.mSizeOpen},
      {"open_area_upper_m2", sized, a.mSizeVentUpper},
      {"open_area_lower_m2", sized, a.mSizeVentLower},
      {"closed_area_m2", sized, a.mSizeClosed},
      {"lr", f & AF_LR_VALID, a.mLR},
      {"lp_per_m", f & AF_LP_VALID, a.mLP},
      {"lh", f & AF_LH_VALID, a.mLH},
      {"k1", f & AF_K1_VALID, a.mK1},
      {"k2", f & AF_K2_VALID, a.mK2},
      {"k3", f & AF_K3_VALID, a.mK3},
      {"concentration_standard_g_per_m3", f & AF_CSTD_VALID, a.mConcentrationStandard},
      {"concentration_required_g_per_m3", creq, a.mConcentrationRequired},
      {"mass_required_g", creq, a.mMassRequired},
      {"mass_selected_g", true, selected},
      {"mass_remaining_g", d.mValid, d.mRemainingMass},
      {"density_selected_g_per_m3", sized && a.mVolume > 0, selected / a.mVolume},
  };
  for (const auto& [key, valid, value] : figures)
  {
    json.Key(key);
    json.Figure(valid, value);
  }
  json.Key("devices_required");
  json.BeginObject();
  for (int m = 0; m < DeviceModelCount; ++m)
  {
    json.Key(DeviceName(m));
    // A mass no count of the model reaches has no count to show.
    if (d.mValid && d.mRequiredReachable[static_cast<std::size_t>(m)])
      json.Integer(d.mRequiredCounts[static_cast<std::size_t>(m)]);
    else
      json.Null();
  }
  json.EndObject();
  json.Key("ul_minimum_g_per_m3");
  json.Figure(creq, ULMinimumDensity(a.mHazard));
  json.Key("ul_met");
  if (creq)
    json.Bool((a.mWarnings & AW_BELOW_UL_DENSITY) == 0);
  else
    json.Null();
  json.Key("flags");
  json.Integer(f);
  json.Key("warnings");
  json.Integer(a.mWarnings);
  CTextLines labels;
  ErrorLabels(f, labels);
  json.Key("errors");
  json.BeginArray();
  for (const std::string& label : labels.Lines())
    json.String(label);
  json.EndArray();
  json.EndObject();

  json.EndObject();
}
} // namespace

bool WriteProjectJson(const CProject& project, const std::function<bool(std::string_view)>& write)
{
  CJsonStream json(write);
  json.BeginObject();
  json.Texts({{"name", project.mName},
              {"date", project.mProject_Date},
              {"reference", project.mProject_Reference},
              {"designer", project.mProject_Designer}});
  json.Key("units");
  json.String(UnitName(project.mUnits));
  json.Key("distributor");
  Address(json, project.mDistributor, project.mDistributor_Reference);
  json.Key("customer");
  Address(json, project.mCustomer, project.mCustomer_Reference);
  json.Key("notes");
  json.Text1252(project.mNotes);
  json.Key("include_notes");
  json.Bool(project.mIncludeNotes);
  json.Key("volumes");
  json.BeginArray();
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    Volume(json, *project.mAreaTable.Get(i));
  json.EndArray();
  json.EndObject();
  return json.Finish();
}

std::string ProjectJson(const CProject& project)
{
  std::string text;
  WriteProjectJson(project,
                   [&text](std::string_view piece)
                   {
                     text += piece;
                     return true;
                   });
  return text;
}
