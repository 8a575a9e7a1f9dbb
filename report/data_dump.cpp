#include "report/data_dump.h"

#include "model/address.h"
#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "model/vent.h"
#include "text/printf.h"

#include <ostream>

namespace
{
// What "%s" takes of a text: everything before its first NUL.
std::string_view CText(const std::string& text) { return std::string_view(text.c_str()); }

// Writes the lines; the depth is shared by the whole dump, each object
// raising it for its members and lowering it after them. A line is put
// together in one reused buffer: a dump holds millions of lines.
class CDumpWriter
{
public:
  explicit CDumpWriter(std::string& out, int depth = 0) : mOut(out), mDepth(depth) {}

  void Line(std::string_view text)
  {
    mOut.append(static_cast<std::size_t>(mDepth), '\t');
    mOut.append(text.substr(0, kDumpLineMax));
    mOut.append("\r\n");
  }
  // "label" followed by the text.
  void Line(std::string_view label, std::string_view text)
  {
    mLine.assign(label);
    mLine.append(text);
    Line(mLine);
  }
  // "label" followed by the number as "%g" gives it.
  void Number(std::string_view label, double value)
  {
    mLine.assign(label);
    AppendGeneral(mLine, value);
    Line(mLine);
  }
  // "label(name)", then one level deeper.
  void Begin(std::string_view label, std::string_view name)
  {
    mLine.assign(label);
    mLine += '(';
    mLine.append(name);
    mLine += ')';
    Line(mLine);
    ++mDepth;
  }
  void End() { --mDepth; }

private:
  std::string& mOut;
  int mDepth;
  std::string mLine;
};

// A figure with its validity bit: "%g" when valid, else "INVALID".
void Checked(CDumpWriter& w, std::string_view label, const CArea& area, std::uint32_t bit,
             double value)
{
  if (area.mFlags & bit)
    w.Number(label, value);
  else
    w.Line(label, "INVALID");
}

// A size figure of a volume: "INVALID" when its sizes are out of range,
// which leaves them without meaning (even infinite).
void Size(CDumpWriter& w, std::string_view label, const CArea& area, double value)
{
  if (area.mFlags & AF_SIZE_OUT_OF_RANGE)
    w.Line(label, "INVALID");
  else
    w.Number(label, value);
}

// An area of an opening: "INVALID" when its lengths are out of range or the
// area is no finite number.
void VentSize(CDumpWriter& w, std::string_view label, const CVent& vent, double value)
{
  if (vent.AreaValid(value))
    w.Number(label, value);
  else
    w.Line(label, "INVALID");
}

void DumpAddress(CDumpWriter& w, const CAddress& a, const char* label)
{
  w.Begin(label ? label : "CAddress", CText(a.mName));
  w.Line("Address1 = ", CText(a.mAddress1));
  w.Line("Address2 = ", CText(a.mAddress2));
  w.Line("City     = ", CText(a.mCity));
  w.Line("State    = ", CText(a.mState));
  w.Line("Country  = ", CText(a.mCountry));
  w.Line("Zip      = ", CText(a.mZip));
  w.End();
}

void DumpVent(CDumpWriter& w, const CVent& v)
{
  w.Begin("CVent", VentTypeName(v.mType));
  w.Line("mShape     = ", VentShapeName(v.mShape));
  w.Number("mWidth     = ", v.mWidth);
  w.Number("mHeight    = ", v.mHeight);
  w.Number("mUpper     = ", v.mUpper);
  VentSize(w, "mSize      = ", v, v.mSize);
  w.Number("mLower     = ", v.mLower);
  VentSize(w, "mSizeUpper = ", v, v.mSizeUpper);
  VentSize(w, "mSizeLower = ", v, v.mSizeLower);
  w.End();
}

// "Device[%-10s]               = " for each model, made once per dump.
struct CDeviceLabels
{
  CDeviceLabels()
  {
    for (int m = 0; m < DeviceModelCount; ++m)
    {
      std::string name(CText(DeviceName(m)));
      if (name.size() < 10)
        name.append(10 - name.size(), ' ');
      mLabels[static_cast<std::size_t>(m)] = "Device[" + name + "]               = ";
    }
  }
  std::string mLabels[DeviceModelCount];
};

void DumpArea(CDumpWriter& w, const CArea& a, const CDeviceLabels& devices)
{
  w.Begin("CArea", CText(a.mName));
  w.Line("mHazard                     = ", CText(HazardName(a.mHazard)));
  w.Number("mLength                     = ", a.mLength);
  w.Number("mWidth                      = ", a.mWidth);
  w.Number("mHeight                     = ", a.mHeight);
  Size(w, "mVolume                     = ", a, a.mVolume);
  Size(w, "mSizeVentWallUpper          = ", a, a.mSizeVentWallUpper);
  Size(w, "mSizeVentWallLower          = ", a, a.mSizeVentWallLower);
  Size(w, "mSizeVentCeiling            = ", a, a.mSizeVentCeiling);
  Size(w, "mSizeVentFloor              = ", a, a.mSizeVentFloor);
  Size(w, "mSizeClosed                 = ", a, a.mSizeClosed);
  Size(w, "mSizeOpen                   = ", a, a.mSizeOpen);
  Size(w, "mSizeVentUpper              = ", a, a.mSizeVentUpper);
  Size(w, "mSizeVentLower              = ", a, a.mSizeVentLower);
  Checked(w, "mLR                         = ", a, AF_LR_VALID, a.mLR);
  Checked(w, "mLP                         = ", a, AF_LP_VALID, a.mLP);
  Checked(w, "mLH                         = ", a, AF_LH_VALID, a.mLH);
  Checked(w, "mK1                         = ", a, AF_K1_VALID, a.mK1);
  Checked(w, "mK2                         = ", a, AF_K2_VALID, a.mK2);
  Checked(w, "mK3                         = ", a, AF_K3_VALID, a.mK3);
  w.Number("mConcentrationStandard      = ", a.mConcentrationStandard);
  w.Number("mConcentrationRequired      = ", a.mConcentrationRequired);
  w.Number("mMassRequired               = ", a.mMassRequired);
  std::string count;
  for (int m = 0; m < DeviceModelCount; ++m)
  {
    count.clear();
    AppendUnsigned(count, a.mDevice[static_cast<std::size_t>(m)]);
    w.Line(devices.mLabels[static_cast<std::size_t>(m)], count);
  }
  count.clear();
  AppendUnsigned(count, a.mVentTable.Count());
  w.Begin("CVentTable", count);
  for (std::size_t i = 0; i < a.mVentTable.Count(); ++i)
    DumpVent(w, *a.mVentTable.Get(i));
  w.End();
  w.End();
}

void DumpProjectLines(CDumpWriter& w, const CProject& p)
{
  w.Begin("CProject", CText(p.mName));
  w.Line("mPath                  = ", CText(p.mPath));
  w.Line("mProject_Date          = ", CText(p.mProject_Date));
  w.Line("mProject_Reference     = ", CText(p.mProject_Reference));
  w.Line("mProject_Designer      = ", CText(p.mProject_Designer));
  DumpAddress(w, p.mDistributor, "mDistributor");
  w.Line("mDistributor_Reference = ", CText(p.mDistributor_Reference));
  DumpAddress(w, p.mCustomer, "mCustomer");
  w.Line("mCustomer_Reference    = ", CText(p.mCustomer_Reference));
  std::string count;
  AppendUnsigned(count, p.mAreaTable.Count());
  w.Begin("CAreaTable", count);
  const CDeviceLabels devices;
  for (std::size_t i = 0; i < p.mAreaTable.Count(); ++i)
    DumpArea(w, *p.mAreaTable.Get(i), devices);
  w.End();
  w.End();
}
} // namespace

std::string DumpText(const CProject& project)
{
  std::string out;
  // About 1.5 kB a volume and 250 bytes an opening, so the text is not
  // copied over and over while it grows.
  std::size_t openings = 0;
  for (std::size_t i = 0; i < project.mAreaTable.Count(); ++i)
    openings += project.mAreaTable.Get(i)->mVentTable.Count();
  out.reserve(2048 + 1536 * project.mAreaTable.Count() + 256 * openings);
  CDumpWriter w(out);
  DumpProjectLines(w, project);
  return out;
}

void WriteDump(const CProject& project, std::ostream& out)
{
  const std::string text = DumpText(project);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string DumpAddressText(const CAddress& address, const char* label, int depth)
{
  std::string out;
  CDumpWriter w(out, depth);
  DumpAddress(w, address, label);
  return out;
}

std::string DumpFilePath(const CProject& project)
{
  const std::size_t slash = project.mPath.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : project.mPath.substr(0, slash + 1);
  return folder + FormatC("%s.dmp", project.mName.c_str());
}
