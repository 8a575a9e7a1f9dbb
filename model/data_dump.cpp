#include "model/data_dump.h"

#include "model/area.h"
#include "model/device_model.h"
#include "model/hazard_class.h"
#include "model/project.h"
#include "model/vent.h"
#include "storage/address.h"
#include "storage/printf.h"
#include "storage/safe_file.h"

#include <ostream>

namespace
{
// Writes the lines; the depth is shared by the whole dump, each object
// raising it for its members and lowering it after them.
class CDumpWriter
{
public:
  explicit CDumpWriter(std::string& out, int depth = 0) : mOut(out), mDepth(depth) {}

  void Line(const std::string& text)
  {
    mOut.append(static_cast<std::size_t>(mDepth), '\t');
    mOut.append(text, 0, kDumpLineMax);
    mOut.append("\r\n");
  }
  void Begin(const std::string& header)
  {
    Line(header);
    ++mDepth;
  }
  void End() { --mDepth; }

private:
  std::string& mOut;
  int mDepth;
};

std::string G(double value) { return FormatC("%g", value); }

// A figure with its validity bit: "%g" when valid, else "INVALID".
std::string Checked(const CArea& area, std::uint32_t bit, double value)
{
  return (area.mFlags & bit) ? G(value) : std::string("INVALID");
}

void DumpAddress(CDumpWriter& w, const CAddress& a, const char* label)
{
  w.Begin(FormatC("%s(%s)", label ? label : "CAddress", a.mName.c_str()));
  w.Line(FormatC("Address1 = %s", a.mAddress1.c_str()));
  w.Line(FormatC("Address2 = %s", a.mAddress2.c_str()));
  w.Line(FormatC("City     = %s", a.mCity.c_str()));
  w.Line(FormatC("State    = %s", a.mState.c_str()));
  w.Line(FormatC("Country  = %s", a.mCountry.c_str()));
  w.Line(FormatC("Zip      = %s", a.mZip.c_str()));
  w.End();
}

void DumpVent(CDumpWriter& w, const CVent& v)
{
  w.Begin(FormatC("CVent(%s)", VentTypeName(v.mType)));
  w.Line(FormatC("mShape     = %s", VentShapeName(v.mShape)));
  w.Line(FormatC("mWidth     = %g", v.mWidth));
  w.Line(FormatC("mHeight    = %g", v.mHeight));
  w.Line(FormatC("mUpper     = %g", v.mUpper));
  w.Line(FormatC("mSize      = %g", v.mSize));
  w.Line(FormatC("mLower     = %g", v.mLower));
  w.Line(FormatC("mSizeUpper = %g", v.mSizeUpper));
  w.Line(FormatC("mSizeLower = %g", v.mSizeLower));
  w.End();
}

void DumpArea(CDumpWriter& w, const CArea& a)
{
  w.Begin(FormatC("CArea(%s)", a.mName.c_str()));
  w.Line(FormatC("mHazard                     = %s", HazardName(a.mHazard).c_str()));
  w.Line(FormatC("mLength                     = %g", a.mLength));
  w.Line(FormatC("mWidth                      = %g", a.mWidth));
  w.Line(FormatC("mHeight                     = %g", a.mHeight));
  w.Line(FormatC("mVolume                     = %g", a.mVolume));
  w.Line(FormatC("mSizeVentWallUpper          = %g", a.mSizeVentWallUpper));
  w.Line(FormatC("mSizeVentWallLower          = %g", a.mSizeVentWallLower));
  w.Line(FormatC("mSizeVentCeiling            = %g", a.mSizeVentCeiling));
  w.Line(FormatC("mSizeVentFloor              = %g", a.mSizeVentFloor));
  w.Line(FormatC("mSizeClosed                 = %g", a.mSizeClosed));
  w.Line(FormatC("mSizeOpen                   = %g", a.mSizeOpen));
  w.Line(FormatC("mSizeVentUpper              = %g", a.mSizeVentUpper));
  w.Line(FormatC("mSizeVentLower              = %g", a.mSizeVentLower));
  w.Line(FormatC("mLR                         = %s", Checked(a, AF_LR_VALID, a.mLR).c_str()));
  w.Line(FormatC("mLP                         = %s", Checked(a, AF_LP_VALID, a.mLP).c_str()));
  w.Line(FormatC("mLH                         = %s", Checked(a, AF_LH_VALID, a.mLH).c_str()));
  w.Line(FormatC("mK1                         = %s", Checked(a, AF_K1_VALID, a.mK1).c_str()));
  w.Line(FormatC("mK2                         = %s", Checked(a, AF_K2_VALID, a.mK2).c_str()));
  w.Line(FormatC("mK3                         = %s", Checked(a, AF_K3_VALID, a.mK3).c_str()));
  w.Line(FormatC("mConcentrationStandard      = %g", a.mConcentrationStandard));
  w.Line(FormatC("mConcentrationRequired      = %g", a.mConcentrationRequired));
  w.Line(FormatC("mMassRequired               = %g", a.mMassRequired));
  for (int m = 0; m < DeviceModelCount; ++m)
    w.Line(FormatC("Device[%-10s]               = %u", DeviceName(m).c_str(),
                   static_cast<unsigned>(a.mDevice[static_cast<std::size_t>(m)])));
  w.Begin(FormatC("CVentTable(%u)", static_cast<unsigned>(a.mVentTable.Count())));
  for (std::size_t i = 0; i < a.mVentTable.Count(); ++i)
    DumpVent(w, *a.mVentTable.Get(i));
  w.End();
  w.End();
}

void DumpProjectLines(CDumpWriter& w, const CProject& p)
{
  w.Begin(FormatC("CProject(%s)", p.mName.c_str()));
  w.Line(FormatC("mPath                  = %s", p.mPath.c_str()));
  w.Line(FormatC("mProject_Date          = %s", p.mProject_Date.c_str()));
  w.Line(FormatC("mProject_Reference     = %s", p.mProject_Reference.c_str()));
  w.Line(FormatC("mProject_Designer      = %s", p.mProject_Designer.c_str()));
  DumpAddress(w, p.mDistributor, "mDistributor");
  w.Line(FormatC("mDistributor_Reference = %s", p.mDistributor_Reference.c_str()));
  DumpAddress(w, p.mCustomer, "mCustomer");
  w.Line(FormatC("mCustomer_Reference    = %s", p.mCustomer_Reference.c_str()));
  w.Begin(FormatC("CAreaTable(%u)", static_cast<unsigned>(p.mAreaTable.Count())));
  for (std::size_t i = 0; i < p.mAreaTable.Count(); ++i)
    DumpArea(w, *p.mAreaTable.Get(i));
  w.End();
  w.End();
}
} // namespace

std::string DumpText(const CProject& project)
{
  std::string out;
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

bool DumpProject(const CProject& project, std::string* error)
{
  return WriteFileSafely(DumpFilePath(project), DumpText(project), error);
}
